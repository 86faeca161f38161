#include "THostPluginLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
void* OpenLibrary(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(module);
}
void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
bool Mapped(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }
// GetProcAddress hands back a generic function pointer; cast through it to the entry's type.
template <class Fn>
Fn FindSymbol(void* handle, const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(handle), name)));
}
#else
void* OpenLibrary(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    error = reason ? reason : "cannot load " + path;
  }
  return handle;
}
void CloseLibrary(void* handle) { dlclose(handle); }
bool Mapped(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}
// POSIX guarantees that a data pointer from dlsym converts to a function pointer.
template <class Fn>
Fn FindSymbol(void* handle, const char* name) {
  return reinterpret_cast<Fn>(dlsym(handle, name));
}
#endif

}  // namespace

THostPluginLibrary::~THostPluginLibrary() { Unload(); }

bool THostPluginLibrary::IsMapped(const std::string& path) { return Mapped(path); }

bool THostPluginLibrary::Load(const std::string& path) {
  Unload();
  handle_ = OpenLibrary(path, error_);
  if (!handle_) return false;
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
  if (handle_) CloseLibrary(handle_);
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
  fn = FindSymbol<Fn>(handle_, name);
  if (!fn) {
    error_ = std::string("the plug-in does not export ") + name;
    return false;
  }
  return true;
}
