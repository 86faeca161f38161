// Moving text into and out of the strings the plug-in hands to the host.
#pragma once

#include "KXString.h"

/// Writes `text` into `string` as the host fills strings: into its buffer, cut at its capacity,
/// NUL-terminated, with both counters set.
void HostFillString(TKXString* string, const char* text);

/// Copies the text of `string` (at most `size` - 1 bytes) into `out`, NUL-terminated.
void HostReadString(const TKXString* string, char* out, std::uint32_t size);
