// Moving text across strings that the plug-in hands to the host.
#pragma once

#include <string>

class TKXString;

/// Writes `text` into `string` the way the host fills strings: into its buffer, cut at its
/// capacity, NUL-terminated, with both counters set. Nothing for a null string.
void THostFillString(TKXString* string, const std::string& text);

/// The text that `string` holds (its byte length, at most its capacity); empty for null.
std::string THostReadString(const TKXString* string);
