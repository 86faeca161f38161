// Small functions on NUL-terminated 8-bit texts.
#pragma once

#include <cstdint>

/// The number of bytes before the NUL; 0 for a null text.
std::int32_t StrLength(const char* s);
