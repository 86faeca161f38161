// T3dExport.dll as the host application loads it: LoadLibrary, and each entry point found by its
// plain name with GetProcAddress. Unloaded on destruction.
#pragma once

#include "KXEntryPoints.h"
#include "THostLiteWindows.h"

class THostLiteDll {
 public:
  explicit THostLiteDll(const char* path);
  ~THostLiteDll() { Unload(); }
  THostLiteDll(const THostLiteDll&) = delete;
  THostLiteDll& operator=(const THostLiteDll&) = delete;

  HMODULE Module() const { return module_; }
  /// True when the DLL loaded and all six entry points were found.
  bool Complete() const;
  void Unload();

  decltype(&KXDllInit) Init = nullptr;
  decltype(&KXDllCleanUp) CleanUp = nullptr;
  decltype(&KXDllGetClassObject) GetClassObject = nullptr;
  decltype(&KXDllCanUnloadNow) CanUnloadNow = nullptr;
  decltype(&KXDllInitExceptionTranslator) InitExceptionTranslator = nullptr;
  decltype(&KXDllCleanUpExceptionTranslator) CleanUpExceptionTranslator = nullptr;

 private:
  template <class Entry>
  void Find(Entry& entry, const char* name) {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }

  HMODULE module_;
};
