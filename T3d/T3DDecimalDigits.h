// Decimal digits of unsigned integers, without library formatting or locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

/// The most characters WriteDecimalDigits writes: every 32-bit value has at most ten digits.
constexpr int kMaxDecimalDigits = 10;

/// "00" to "99": two digits per division, so a number costs half as many divisions.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

/// Writes `n` in decimal at `out`, with leading zeros up to `minDigits` characters (at most
/// kMaxDecimalDigits); returns the end of the digits.
inline char* WriteDecimalDigits(char* out, std::uint32_t n, int minDigits) {
  char digits[kMaxDecimalDigits];
  char* const end = digits + kMaxDecimalDigits;
  char* first = end;
  while (n >= 100) {
    first -= 2;
    std::memcpy(first, kDigitPairs + 2 * (n % 100), 2);
    n /= 100;
  }
  if (n >= 10) {
    first -= 2;
    std::memcpy(first, kDigitPairs + 2 * n, 2);
  } else {
    *--first = static_cast<char>('0' + n);
  }
  while (end - first < minDigits) *--first = '0';
  const auto count = static_cast<std::size_t>(end - first);
  std::memcpy(out, first, count);
  return out + count;
}
