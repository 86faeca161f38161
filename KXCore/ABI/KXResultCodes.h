// Result codes the plug-in produces or tests.
#pragma once

#include "KXTypes.h"

constexpr KXResult kKXOk = 0;
constexpr KXResult kKXErrNoMemory = static_cast<KXResult>(0x80010002u);
constexpr KXResult kKXErrNotImplemented = static_cast<KXResult>(0x80010003u);
constexpr KXResult kKXErrSystemException = static_cast<KXResult>(0x80010004u);
constexpr KXResult kKXErrMissingObject = static_cast<KXResult>(0x80010005u);
constexpr KXResult kKXErrNotSupported = static_cast<KXResult>(0x80010006u);
constexpr KXResult kKXErrTokenSyntax = static_cast<KXResult>(0x80010024u);
constexpr KXResult kKXErrEndOfStream = static_cast<KXResult>(0x80010027u);
constexpr KXResult kKXErrFileNotFound = static_cast<KXResult>(0x8001002Bu);
constexpr KXResult kKXErrNotImplementedByComponent = static_cast<KXResult>(0x80014001u);
constexpr KXResult kKXErrNoInterface = static_cast<KXResult>(0x80014002u);
constexpr KXResult kKXErrClassNotAvailable = static_cast<KXResult>(0x8001FFFFu);
constexpr KXResult kKXErrRefCountUnderflow = -2;
