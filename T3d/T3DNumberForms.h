// The two real-number forms of the T3D text, written byte for byte as printf writes "%+013.6f"
// and "%f" in the C locale, except that a zero of either sign is written without a minus sign.
// Exact for every double, with no library formatting and no allocation.
#pragma once

#include <cstddef>

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
