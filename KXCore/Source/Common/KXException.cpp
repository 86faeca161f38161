#include "KXExceptionSupport.h"

#include <exception>

#include "KXException.h"
#include "KXPlatform.h"
#include "KXResultCodes.h"
#include "KXTranslator.h"

namespace {

// The translator that was in force when translation was last switched on; process-wide.
KXSystemTranslator gSavedTranslator = nullptr;

}  // namespace

void KXNotImplemented() { throw TKXException(kKXErrNotImplemented, nullptr, 0); }

void KXTranslateSystemException(std::uint32_t, KXSystemExceptionInfo* info) {
  // The code that counts is the one in the exception record.
  if (info->record->code == kKXSystemBreakpoint) return;
  throw TKXException(kKXErrSystemException, nullptr, 0);
}

void KXTerminateHandler() {
  throw TKXException(kKXErrSystemException, kKXRaisedTerminate);
}

namespace {

// The terminate handler in force before the plug-in first installed its own. Switching off keeps
// ours, but once the library is unloaded its handler would point into unmapped code, so the
// host's handler goes back then.
std::terminate_handler gHostTerminateHandler = nullptr;
bool gTerminateHandlerInstalled = false;

struct TerminateHandlerAtUnload {
  ~TerminateHandlerAtUnload() {
    if (gTerminateHandlerInstalled && std::get_terminate() == KXTerminateHandler) {
      std::set_terminate(gHostTerminateHandler);
    }
  }
} gTerminateHandlerAtUnload;

void InstallTerminateHandler() {
  const std::terminate_handler previous = std::set_terminate(KXTerminateHandler);
  if (!gTerminateHandlerInstalled) gHostTerminateHandler = previous;
  gTerminateHandlerInstalled = true;
}

}  // namespace

void KXSetExceptionTranslator(bool on) {
  if (!on) {
    KXPlatformSetTranslator(gSavedTranslator);
    return;
  }
  gSavedTranslator = KXPlatformSetTranslator(KXTranslateSystemException);
  KXPlatformSetErrorMode(kKXErrorModeNoDialogs);
  InstallTerminateHandler();
}
