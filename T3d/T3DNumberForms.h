// The two real-number forms of the T3D text, written byte for byte as printf writes "%+013.6f"
// and "%f" in the C locale, except that a zero of either sign is written without a minus sign.
// Exact for every double, with no library formatting and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "T3d/T3DDecimalDigits.h"
#include "T3d/T3DSixDecimals.h"

/// The most characters either form writes: a sign, the 309 integer digits of the largest
/// double, the point and six decimals.
constexpr std::size_t kMaxNumberFormLength = 317;

/// Writes `value` as "%+013.6f" (polygon Origin, Normal and Vertex values): a sign always, at
/// least five integer digits, six decimals; infinities and NaNs as " +inf" or " -nan" right-aligned
/// in 13 characters. `out` must have room for kMaxNumberFormLength characters; no NUL is written.
/// Returns the end of the text.
char* FormatPolygonValue(char* out, double value);

/// Writes `value` as "%f" (actor Location values): a minus sign only for negative values, six
/// decimals, no fill; "inf", "-inf", "nan", "-nan". Same room and result as FormatPolygonValue.
char* FormatLocationValue(char* out, double value);

/// Whole numbers up to this magnitude (exclusive) fill the five integer digits of "%+013.6f".
constexpr std::int32_t kShortWholeLimit = 100000;

/// Writes `whole` (of a magnitude below kShortWholeLimit) as "%+013.6f": the sign, five digits and
/// six zero decimals, each at its fixed place. Returns the end of the text.
inline char* WriteShortWholePolygonValue(char* out, std::int32_t whole) {
  out[0] = whole < 0 ? '-' : '+';
  // Negation in unsigned arithmetic, as for every magnitude of the forms.
  const auto bits = static_cast<std::uint32_t>(whole);
  WriteFiveDigits(out + 1, whole < 0 ? 0u - bits : bits);
  std::memcpy(out + 6, ".000000", 7);
  return out + 13;
}

/// FormatPolygonValue of a float. The values of a map, below 10^5 in magnitude, take a short way:
/// whole numbers (rounded coordinates; zeros of either sign get a plus sign) without a call, and
/// fractions (normals) in the float's own precision.
inline char* FormatPolygonFloat(char* out, float value) {
  constexpr auto kLimit = static_cast<float>(kShortWholeLimit);
  if (value > -kLimit && value < kLimit) {
    const auto whole = static_cast<std::int32_t>(value);
    if (static_cast<float>(whole) == value) return WriteShortWholePolygonValue(out, whole);
    // Not zero, so the sign is the value's, even when it rounds to zero.
    out[0] = value < 0 ? '-' : '+';
    return WriteShortFloatSixDecimals(out + 1, value < 0 ? -value : value);
  }
  return FormatPolygonValue(out, static_cast<double>(value));
}
