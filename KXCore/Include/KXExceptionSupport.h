// The support library's side of exceptions: the placeholder of abstract slots, and the switch
// that turns processor faults and terminate calls into TKXException.
#pragma once

/// Fills every slot an abstract class leaves open: throws kKXErrNotImplemented.
[[noreturn]] void KXNotImplemented();

/// Switches translation of processor faults into TKXException on (true) or off (false) for the
/// calling thread. Switching on saves the translator in force; switching off reinstates it.
void KXSetExceptionTranslator(bool on);

/// Terminate handler installed by the translator switch: throws kKXErrSystemException.
[[noreturn]] void KXTerminateHandler();
