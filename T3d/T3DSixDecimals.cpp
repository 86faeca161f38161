#include "T3d/T3DSixDecimals.h"

#include <cstdint>
#include <cstring>

#include "T3d/T3DDecimalDigits.h"
#include "T3d/T3DShortValues.h"
#include "T3d/T3DWideInteger.h"

namespace {

constexpr std::uint32_t kMillion = 1000000;
constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1075;  // biased exponent minus this scales the 53-bit mantissa
constexpr int kSubnormalExponent = -1074;
// A value with more fraction bits than this is below 2^53 / 2^74 = 2^-21, less than half a
// millionth, and rounds to zero. Up to it, the fraction times 10^6 stays below 2^73.
constexpr int kLongestFraction = 73;

// magnitude = mantissa * 2^exponent.
struct Binary {
  std::uint64_t mantissa;
  int exponent;
};

Binary Decompose(double magnitude) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const auto biased = static_cast<int>(bits >> kMantissaBits);  // the sign bit is clear
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << kMantissaBits) - 1);
  if (biased == 0) return {fraction, kSubnormalExponent};
  return {fraction | (std::uint64_t{1} << kMantissaBits), biased - kExponentBias};
}

// A product of up to 128 bits as two 64-bit halves; plain integers, so every compiler takes it.
struct Wide {
  std::uint64_t high;
  std::uint64_t low;
};

// fraction * 10^6 for a fraction below 2^53, from two 32-bit by 32-bit products.
Wide TimesMillion(std::uint64_t fraction) {
  const std::uint64_t low = (fraction & 0xFFFFFFFF) * kMillion;  // below 2^52
  const std::uint64_t upper = (fraction >> 32) * kMillion;       // below 2^41
  const std::uint64_t sum = low + (upper << 32);
  return {(upper >> 32) + (sum < low ? 1 : 0), sum};
}

// The bits of `w` from bit `shift` (1 to 127) up, where they fit in 64 bits.
std::uint64_t BitsFrom(Wide w, int shift) {
  if (shift >= 64) return w.high >> (shift - 64);
  return (w.low >> shift) | (w.high << (64 - shift));
}

bool BitSet(Wide w, int bit) {
  if (bit >= 64) return ((w.high >> (bit - 64)) & 1) != 0;
  return ((w.low >> bit) & 1) != 0;
}

bool AnyBitBelow(Wide w, int bit) {
  if (bit >= 64) return w.low != 0 || (w.high & ((std::uint64_t{1} << (bit - 64)) - 1)) != 0;
  return (w.low & ((std::uint64_t{1} << bit) - 1)) != 0;
}

// The six decimals of fraction / 2^shift (shift 1 to kLongestFraction), rounded half to even;
// 10^6 when the rounding carries into the integer part.
std::uint32_t RoundedMillionths(std::uint64_t fraction, int shift) {
  const Wide product = TimesMillion(fraction);
  auto millionths = static_cast<std::uint32_t>(BitsFrom(product, shift));
  const bool half = BitSet(product, shift - 1);
  if (half && (AnyBitBelow(product, shift - 1) || (millionths & 1) != 0)) ++millionths;
  return millionths;
}

char* WriteWhole(char* out, std::uint64_t whole, int minDigits) {
  if (whole <= 0xFFFFFFFF) return WriteDecimalDigits(out, static_cast<std::uint32_t>(whole), minDigits);
  return WriteWideInteger(out, whole, 0);
}

char* WriteDecimals(char* out, std::uint32_t millionths) {
  *out++ = '.';
  return WriteSixDigits(out, millionths);
}

// The mantissa without the low zero bits that keep more than kNarrowFractionBits fraction bits;
// false when they are not all zero. Every value widened from a float narrows so.
bool Narrow(Binary& binary) {
  const int excess = -binary.exponent - kNarrowFractionBits;
  if (excess <= 0) return true;
  if ((binary.mantissa & ((std::uint64_t{1} << excess) - 1)) != 0) return false;
  binary.mantissa >>= excess;
  binary.exponent += excess;
  return true;
}

}  // namespace

char* WriteSixDecimals(char* out, double magnitude, int minIntegerDigits) {
  Binary binary = Decompose(magnitude);
  // From 2^52 up every double is whole, and from 2^64 up only the wide digits can hold it.
  if (binary.exponent >= 0) {
    return WriteDecimals(WriteWideInteger(out, binary.mantissa, binary.exponent), 0);
  }
  if (-binary.exponent > kLongestFraction) {
    return WriteDecimals(WriteDecimalDigits(out, 0, minIntegerDigits), 0);
  }
  const bool narrow = Narrow(binary);
  const int shift = -binary.exponent;
  std::uint64_t whole = 0;
  std::uint64_t fraction = binary.mantissa;
  if (shift < 64) {
    whole = binary.mantissa >> shift;
    fraction = binary.mantissa & ((std::uint64_t{1} << shift) - 1);
  }
  std::uint32_t millionths =
      narrow ? NarrowRoundedMillionths(fraction, shift) : RoundedMillionths(fraction, shift);
  if (millionths == kMillion) {
    ++whole;
    millionths = 0;
  }
  return WriteDecimals(WriteWhole(out, whole, minIntegerDigits), millionths);
}
