// The usual values of a map's polygon lines, below 10^5 in magnitude: the 13 characters of
// "%+013.6f" with five integer digits, filled into their places in a copy of a fixed text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "T3d/T3DDecimalDigits.h"

/// One value of the short form before its sign and digits are filled in.
inline constexpr char kShortPolygonValue[] = "+00000.000000";
constexpr std::size_t kShortPolygonValueLength = sizeof kShortPolygonValue - 1;

/// Whole numbers and floats below this magnitude (exclusive) fill the five integer digits.
constexpr std::int32_t kShortWholeLimit = 100000;

/// A fraction of up to this many bits times 10^6 fits in 64 bits.
constexpr int kNarrowFractionBits = 44;

inline bool IsShortWhole(std::int32_t whole) {
  // In unsigned arithmetic, so that no value overflows.
  constexpr auto kEdge = static_cast<std::uint32_t>(kShortWholeLimit - 1);
  return static_cast<std::uint32_t>(whole) + kEdge <= 2 * kEdge;
}

/// Finite and below kShortWholeLimit in magnitude.
inline bool IsShortFloat(float value) {
  // 100000.0f; the bits of non-negative floats grow with their values, and NaNs and infinities
  // lie above every finite value.
  constexpr std::uint32_t kLimitBits = 0x47C35000;
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & 0x7FFFFFFF) < kLimitBits;
}

/// fraction / 2^shift to six decimals, rounded half to even (as printf rounds), for a fraction
/// below 2^kNarrowFractionBits and a shift of 1 to kNarrowFractionBits: 10^6 when it rounds up to
/// a whole unit.
inline std::uint32_t NarrowRoundedMillionths(std::uint64_t fraction, int shift) {
  const std::uint64_t product = fraction * 1000000;
  auto millionths = static_cast<std::uint32_t>(product >> shift);
  const std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (millionths & 1) != 0)) ++millionths;
  return millionths;
}

/// Fills the sign and five digits of `whole` (IsShortWhole) into `slot`, which holds the text of
/// kShortPolygonValue. A zero gets a plus sign.
inline void FillShortWhole(char* slot, std::int32_t whole) {
  slot[0] = whole < 0 ? '-' : '+';
  WriteFiveDigits(slot + 1, Magnitude(whole));
}

/// Fills the sign and the eleven digits of `value` (IsShortFloat) into `slot`, which holds the
/// text of kShortPolygonValue: exactly as printf writes the value widened to double, except that
/// a zero of either sign gets a plus sign. Any other value keeps its sign, even when it rounds
/// to zero. The float's 24-bit mantissa keeps every step in 64-bit integers.
inline void FillShortFloat(char* slot, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint32_t magnitude = bits & 0x7FFFFFFF;
  slot[0] = magnitude != bits && magnitude != 0 ? '-' : '+';
  // The value is mantissa / 2^shift; below 10^5 < 2^17 the shift is at least 7.
  const int shift = 150 - static_cast<int>(magnitude >> 23);
  std::uint32_t whole = 0;
  std::uint32_t millionths = 0;
  // Below 2^-21 (subnormals and zeros among them) a value is under half a millionth: zero.
  if (shift <= kNarrowFractionBits) {
    const std::uint32_t mantissa = (magnitude & 0x007FFFFF) | 0x00800000;
    std::uint64_t fraction = mantissa;
    if (shift < 24) {
      whole = mantissa >> shift;
      fraction = mantissa & ((1u << shift) - 1);
    }
    millionths = NarrowRoundedMillionths(fraction, shift);
    // The largest float below 10^5 has 7 fraction bits: no carry reaches the sixth digit there.
    if (millionths == 1000000) {
      ++whole;
      millionths = 0;
    }
  }
  // The slot's zeros stand for a whole part of 0, as in every unit normal's values.
  if (whole != 0) WriteFiveDigits(slot + 1, whole);
  WriteSixDigits(slot + 7, millionths);
}

/// Writes `whole` (IsShortWhole) in the short form at `out`; returns the end.
inline char* WriteShortWhole(char* out, std::int32_t whole) {
  std::memcpy(out, kShortPolygonValue, kShortPolygonValueLength);
  FillShortWhole(out, whole);
  return out + kShortPolygonValueLength;
}

/// Writes `value` (IsShortFloat) in the short form at `out`; returns the end.
inline char* WriteShortFloat(char* out, float value) {
  std::memcpy(out, kShortPolygonValue, kShortPolygonValueLength);
  FillShortFloat(out, value);
  return out + kShortPolygonValueLength;
}
