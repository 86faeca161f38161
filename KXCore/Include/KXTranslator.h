// The translator KXSetExceptionTranslator installs: turns a processor fault on the calling
// thread into a thrown TKXException.
#pragma once

#include <cstdint>

#include "KXPlatform.h"

/// Lets a breakpoint pass; throws TKXException(kKXErrSystemException) for any other fault.
void KXTranslateSystemException(std::uint32_t code, KXSystemExceptionInfo* info);
