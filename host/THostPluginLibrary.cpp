#include "THostPluginLibrary.h"

#include <dlfcn.h>

THostPluginLibrary::~THostPluginLibrary() { Unload(); }

bool THostPluginLibrary::Load(const std::string& path) {
  Unload();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = dlerror();
    error_ = reason ? reason : "cannot load " + path;
    return false;
  }
  const bool resolved = Resolve("KXDllInit", KXDllInit) && Resolve("KXDllCleanUp", KXDllCleanUp) &&
                        Resolve("KXDllGetClassObject", KXDllGetClassObject) &&
                        Resolve("KXDllCanUnloadNow", KXDllCanUnloadNow) &&
                        Resolve("KXDllInitExceptionTranslator", KXDllInitExceptionTranslator) &&
                        Resolve("KXDllCleanUpExceptionTranslator", KXDllCleanUpExceptionTranslator);
  if (!resolved) {
    const std::string missing = error_;
    Unload();
    error_ = missing;
  }
  return resolved;
}

void THostPluginLibrary::Unload() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
  KXDllInit = nullptr;
  KXDllCleanUp = nullptr;
  KXDllGetClassObject = nullptr;
  KXDllCanUnloadNow = nullptr;
  KXDllInitExceptionTranslator = nullptr;
  KXDllCleanUpExceptionTranslator = nullptr;
  error_.clear();
}

template <class Fn>
bool THostPluginLibrary::Resolve(const char* name, Fn& fn) {
  void* symbol = dlsym(handle_, name);
  if (!symbol) {
    error_ = std::string("the plug-in does not export ") + name;
    return false;
  }
  // POSIX guarantees that a data pointer from dlsym converts to a function pointer.
  fn = reinterpret_cast<Fn>(symbol);
  return true;
}
