// The six entry points through which a host starts, uses and stops the plug-in library.
#pragma once

#include "KXGUID.h"
#include "KXHostServices.h"
#include "KXTypes.h"

// The library is built with hidden symbols and exports exactly these six names. On Windows the
// module-definition file exports them, which keeps the names undecorated.
#if defined(_WIN32)
#define KX_ENTRY_POINT
#else
#define KX_ENTRY_POINT __attribute__((visibility("default")))
#endif

extern "C" {

/// Starts the plug-in: takes one reference to each host service that `shell` answers, switches
/// exception translation on for the calling thread and starts the component. `shell` is
/// borrowed. Returns 0.
KX_ENTRY_POINT KXResult KX_CALL KXDllInit(IKXShell* shell);

/// Stops the plug-in: stops the component, gives every host service reference back and switches
/// exception translation off. Acts once per start; later calls do nothing. Returns 0.
KX_ENTRY_POINT KXResult KX_CALL KXDllCleanUp();

/// Makes a class factory for `*classId` and stores its interface `*iid` in `*out` with one
/// reference. Returns 0, or kKXErrNoInterface with `*out` null. Throws TKXException
/// (kKXErrNoMemory) when host memory refuses the factory.
KX_ENTRY_POINT KXResult KX_CALL KXDllGetClassObject(const KXGUID* classId, const KXGUID* iid,
                                                    void** out);

/// 1 while a factory or component of the plug-in is alive, else 0.
KX_ENTRY_POINT KXResult KX_CALL KXDllCanUnloadNow();

/// Switches exception translation on for the calling thread. Returns 0.
KX_ENTRY_POINT KXResult KX_CALL KXDllInitExceptionTranslator();

/// Switches exception translation off for the calling thread. Returns 0.
KX_ENTRY_POINT KXResult KX_CALL KXDllCleanUpExceptionTranslator();

}  // extern "C"
