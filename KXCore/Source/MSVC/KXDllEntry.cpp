#include <windows.h>

#include "KXImageStartup.h"

/// The DLL's entry point (lld-link /entry): constructs the static objects when the DLL is loaded
/// and destroys them, through the DLL's own exit list, when it is unloaded. Thread notices need
/// nothing.
extern "C" BOOL WINAPI KXDllEntry(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) KXRunStaticInitializers();
  if (reason == DLL_PROCESS_DETACH) KXRunExitList();
  return TRUE;
}
