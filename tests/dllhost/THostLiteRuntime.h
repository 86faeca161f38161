// The C++ runtime's per-thread state that the plug-in changes and the host looks at: the
// terminate handler and, in the MSVC-ABI build, the structured-exception translator. The host
// application's runtime is Microsoft's (msvcrt.dll); the MinGW build's is the GCC runtime.
#pragma once

using THostTerminateHandler = void (*)();

/// The calling thread's terminate handler.
THostTerminateHandler HostTerminateHandler();

#ifdef _MSC_VER
struct _EXCEPTION_POINTERS;
using THostTranslator = void(__cdecl*)(unsigned int, _EXCEPTION_POINTERS*);

/// Installs `translator` as the calling thread's structured-exception translator (msvcrt's
/// _set_se_translator); returns the one it replaces.
THostTranslator HostSetTranslator(THostTranslator translator);
#endif
