// Small functions on NUL-terminated 8-bit texts.
#pragma once

#include <cstdint>

/// The number of bytes before the NUL; 0 for a null text.
std::int32_t StrLength(const char* s);
/// Copies `src` with its NUL to `dst`, which must hold StrLength(src) + 1 bytes.
void StrCopy(char* dst, const char* src);
/// Compares while both texts have characters: the difference of the first unequal pair as
/// signed characters, or 0 when one text ends first (a text and any longer one that begins with
/// it compare as 0).
std::int32_t StrCompareShort(const char* a, const char* b);
/// True when the characters are equal, or are an ASCII uppercase letter and its lowercase form.
bool CharEqualNoCase(char a, char b);
