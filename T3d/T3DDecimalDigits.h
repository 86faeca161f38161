// Decimal digits of unsigned integers, without library formatting or locale.
#pragma once

#include <cstdint>
#include <cstring>

/// The most characters WriteDecimalDigits writes: every 32-bit value has at most ten digits.
constexpr int kMaxDecimalDigits = 10;

/// The magnitude of `value`, negated in unsigned arithmetic so that -2^31 has one too.
inline std::uint32_t Magnitude(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return value < 0 ? 0u - bits : bits;
}

/// "00" to "99": two digits per division, so a number costs half as many divisions.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

/// 10^1 to 10^9: a number below kDigitLimits[k] has at most k + 1 digits.
inline constexpr std::uint32_t kDigitLimits[kMaxDecimalDigits - 1] = {
    10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

/// `n` (below 10^6) over 10^4 in 32.32 fixed point, by one multiplication: the constant is 2^32 /
/// 10^4 rounded up, and below 10^6 its excess adds under 10^-4, which moves no digit of the
/// integer part nor, multiplied by 100 twice below, of the two pairs of digits after the point.
inline std::uint64_t TenThousandths(std::uint32_t n) { return static_cast<std::uint64_t>(n) * 429497; }

/// Writes the four digits after the point of `fixed` (TenThousandths of n, that is n mod 10^4):
/// each pair is the next two digits moved above the point by a multiplication by 100.
inline void WriteFourDigitsAfterPoint(char* out, std::uint64_t fixed) {
  const std::uint64_t second = (fixed & 0xFFFFFFFF) * 100;
  const std::uint64_t third = (second & 0xFFFFFFFF) * 100;
  std::memcpy(out, kDigitPairs + 2 * (second >> 32), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (third >> 32), 2);
}

/// Writes `n` (below 10^5) as exactly five digits at `out`; returns the end. The widths of most
/// map coordinates, without the search for the width that WriteDecimalDigits makes.
inline char* WriteFiveDigits(char* out, std::uint32_t n) {
  const std::uint64_t fixed = TenThousandths(n);
  out[0] = static_cast<char>('0' + (fixed >> 32));
  WriteFourDigitsAfterPoint(out + 1, fixed);
  return out + 5;
}

/// Writes `n` in decimal at `out`, with leading zeros up to `minDigits` characters (1 to
/// kMaxDecimalDigits); returns the end of the digits.
inline char* WriteDecimalDigits(char* out, std::uint32_t n, int minDigits) {
  // Five places, those of "%+013.6f", hold most values of a map.
  if (minDigits == 5 && n < kDigitLimits[4]) return WriteFiveDigits(out, n);
  // Counting from the fill width costs one comparison for the usual values, and lets the digits
  // go straight to their places, last first, with no copy afterwards.
  int count = minDigits;
  while (count < kMaxDecimalDigits && n >= kDigitLimits[count - 1]) ++count;
  char* const end = out + count;
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
  while (first > out) *--first = '0';
  return end;
}

/// Writes `n` (below 10^6) as exactly six digits at `out`; returns the end.
inline char* WriteSixDigits(char* out, std::uint32_t n) {
  const std::uint64_t fixed = TenThousandths(n);
  std::memcpy(out, kDigitPairs + 2 * (fixed >> 32), 2);
  WriteFourDigitsAfterPoint(out + 2, fixed);
  return out + 6;
}
