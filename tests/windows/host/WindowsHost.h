// The Windows test host: T3dExport.dll loaded with LoadLibrary and reached through the entry
// points it exports by name, with the Windows SDK's own IUnknown and IClassFactory for the
// component calls, so the DLL is held to the published COM layout and not only to our headers.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef NOGDI
#define NOGDI
#endif
#include <windows.h>
#include <unknwn.h>
#undef GetObject

#include <gtest/gtest.h>

#include <string>

#include "KXEntryPoints.h"
#include "KXGUID.h"

/// The loaded DLL, unloaded on destruction. Each entry point is looked up by its plain name.
class TWindowsPluginDll {
 public:
  TWindowsPluginDll() : module_(LoadLibraryA(T3D_PLUGIN_DLL)) {
    if (!module_) return;
    Init = Entry<decltype(&KXDllInit)>("KXDllInit");
    CleanUp = Entry<decltype(&KXDllCleanUp)>("KXDllCleanUp");
    GetClassObject = Entry<decltype(&KXDllGetClassObject)>("KXDllGetClassObject");
    CanUnloadNow = Entry<decltype(&KXDllCanUnloadNow)>("KXDllCanUnloadNow");
    InitExceptionTranslator =
        Entry<decltype(&KXDllInitExceptionTranslator)>("KXDllInitExceptionTranslator");
    CleanUpExceptionTranslator =
        Entry<decltype(&KXDllCleanUpExceptionTranslator)>("KXDllCleanUpExceptionTranslator");
  }
  ~TWindowsPluginDll() { Unload(); }
  TWindowsPluginDll(const TWindowsPluginDll&) = delete;
  TWindowsPluginDll& operator=(const TWindowsPluginDll&) = delete;

  HMODULE Module() const { return module_; }
  bool Complete() const {
    return Init && CleanUp && GetClassObject && CanUnloadNow && InitExceptionTranslator &&
           CleanUpExceptionTranslator;
  }
  void Unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

  static const KXGUID* AsKX(const GUID& guid) { return reinterpret_cast<const KXGUID*>(&guid); }
  static const IID& AsIID(const KXGUID& guid) { return reinterpret_cast<const IID&>(guid); }

  decltype(&KXDllInit) Init = nullptr;
  decltype(&KXDllCleanUp) CleanUp = nullptr;
  decltype(&KXDllGetClassObject) GetClassObject = nullptr;
  decltype(&KXDllCanUnloadNow) CanUnloadNow = nullptr;
  decltype(&KXDllInitExceptionTranslator) InitExceptionTranslator = nullptr;
  decltype(&KXDllCleanUpExceptionTranslator) CleanUpExceptionTranslator = nullptr;

 private:
  template <class Fn>
  Fn Entry(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }

  HMODULE module_;
};

static_assert(sizeof(GUID) == sizeof(KXGUID), "an SDK GUID and a KXGUID are the same 16 bytes");
