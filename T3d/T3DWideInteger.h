// Whole numbers too wide for 32 bits, up to the largest double, in decimal.
#pragma once

#include <cstdint>

/// The most characters WriteWideInteger writes: the 309 digits of the largest double.
constexpr int kMaxWideIntegerDigits = 309;

/// Writes `mantissa` times 2 to the power `exponent` (0 or more, the product below 2^1024 as every
/// double is) in decimal at `out`, without leading zeros; returns the end of the digits.
char* WriteWideInteger(char* out, std::uint64_t mantissa, int exponent);
