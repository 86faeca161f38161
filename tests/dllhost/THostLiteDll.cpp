#include "THostLiteDll.h"

THostLiteDll::THostLiteDll(const char* path) : module_(LoadLibraryA(path)) {
  if (!module_) return;
  Find(Init, "KXDllInit");
  Find(CleanUp, "KXDllCleanUp");
  Find(GetClassObject, "KXDllGetClassObject");
  Find(CanUnloadNow, "KXDllCanUnloadNow");
  Find(InitExceptionTranslator, "KXDllInitExceptionTranslator");
  Find(CleanUpExceptionTranslator, "KXDllCleanUpExceptionTranslator");
}

bool THostLiteDll::Complete() const {
  return Init && CleanUp && GetClassObject && CanUnloadNow && InitExceptionTranslator &&
         CleanUpExceptionTranslator;
}

void THostLiteDll::Unload() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}
