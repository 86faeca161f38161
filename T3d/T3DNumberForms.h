// The two real-number forms of the T3D text, written byte for byte as printf writes "%+013.6f"
// and "%f" in the C locale, except that a zero of either sign is written without a minus sign.
// Exact for every double, with no library formatting and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "T3d/T3DShortValues.h"
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

/// FormatPolygonValue of the float nearest `whole`, negated when `negate`: a rounded coordinate,
/// as the map writes it (the float is whole too, and equal to `whole` below 2^24 in magnitude).
inline char* FormatPolygonWhole(char* out, std::int32_t whole, bool negate) {
  if (IsShortWhole(whole)) return WriteShortWhole(out, negate ? -whole : whole);
  const auto value = static_cast<double>(static_cast<float>(whole));
  return FormatPolygonValue(out, negate ? -value : value);
}

/// FormatPolygonValue of a float; the values of a map, below 10^5 in magnitude, without a call.
inline char* FormatPolygonFloat(char* out, float value) {
  if (IsShortFloat(value)) return WriteShortFloat(out, value);
  return FormatPolygonValue(out, static_cast<double>(value));
}
