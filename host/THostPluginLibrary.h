// Loads the plug-in library as the host application does and resolves its six entry points.
#pragma once

#include <string>

#include "KXGUID.h"
#include "KXHostServices.h"
#include "KXTypes.h"

/// The plug-in, loaded from its file as the host application loads it (dlopen, or LoadLibrary on
/// Windows): the one loader of the tool, the end-to-end tests and the Windows test programs.
/// Every entry point is resolved by its plain name; loading fails when any is missing. The
/// library is unloaded on destruction.
class THostPluginLibrary {
 public:
  using InitFn = KXResult(KX_CALL*)(IKXShell*);
  using CleanUpFn = KXResult(KX_CALL*)();
  using GetClassObjectFn = KXResult(KX_CALL*)(const KXGUID*, const KXGUID*, void**);
  using CanUnloadNowFn = KXResult(KX_CALL*)();
  using TranslatorFn = KXResult(KX_CALL*)();

  THostPluginLibrary() = default;
  ~THostPluginLibrary();
  THostPluginLibrary(const THostPluginLibrary&) = delete;
  THostPluginLibrary& operator=(const THostPluginLibrary&) = delete;

  /// Loads `path`; false with Error() set when the file does not load or lacks an entry point.
  bool Load(const std::string& path);
  void Unload();
  bool IsLoaded() const { return handle_ != nullptr; }
  const std::string& Error() const { return error_; }
  /// The system's handle of the loaded library (on Windows its module, the image's base).
  void* Handle() const { return handle_; }
  /// True while the library file at `path` is mapped into this process, by anyone.
  static bool IsMapped(const std::string& path);

  InitFn KXDllInit = nullptr;
  CleanUpFn KXDllCleanUp = nullptr;
  GetClassObjectFn KXDllGetClassObject = nullptr;
  CanUnloadNowFn KXDllCanUnloadNow = nullptr;
  TranslatorFn KXDllInitExceptionTranslator = nullptr;
  TranslatorFn KXDllCleanUpExceptionTranslator = nullptr;

 private:
  template <class Fn>
  bool Resolve(const char* name, Fn& fn);

  void* handle_ = nullptr;
  std::string error_;
};
