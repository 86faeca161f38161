// The character model of strings: a character is one byte under code page 1252, and one or two
// bytes (a lead byte and the next) under the double-byte code pages.
#pragma once

#include <cstdint>

/// True when the ANSI code page is 1252. Worked out on first use and then kept.
bool KXIsWesternCodePage();
/// Makes the next KXIsWesternCodePage ask the platform again, for a test that switches the
/// stand-in's code page.
void KXForgetCodePage();
/// 2 when `firstByte` is a lead byte of the ANSI code page, else 1.
std::uint32_t KXCharBytes(std::uint8_t firstByte);
/// The 16-bit code of the character at `p`: lead byte x 256 + second byte, or the byte value.
std::uint16_t KXCharCode(const char* p);
/// `p` advanced by `n` characters; never past a NUL under a double-byte code page.
const char* KXAdvanceChars(const char* p, std::int32_t n);
/// The number of characters before the NUL.
std::int32_t KXCharLength(const char* p);
