#include "T3d/T3DNumberForms.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "T3d/T3DDecimalDigits.h"
#include "T3d/T3DSixDecimals.h"

namespace {

constexpr int kPolygonIntegerDigits = 5;  // 13 characters: sign, 5 digits, point, 6 decimals
constexpr int kLocationIntegerDigits = 1;
constexpr int kNonFiniteFill = 9;  // 13 characters less a sign and three letters
static_assert(kMaxNumberFormLength == 1 + kMaxSixDecimalsLength, "a sign and the digits");

// Every vertex and Origin value is a whole number in the signed 32-bit range; false for any
// other value, NaN included.
bool AsInt32(double value, std::int32_t& whole) {
  if (!(value >= -2147483648.0 && value < 2147483648.0)) return false;
  whole = static_cast<std::int32_t>(value);
  return static_cast<double>(whole) == value;
}

// A zero of either sign is 0 here, and so gets no minus sign.
char* WriteWhole(char* out, std::int32_t whole, bool alwaysSigned, int minDigits) {
  if (whole < 0) {
    *out++ = '-';
  } else if (alwaysSigned) {
    *out++ = '+';
  }
  out = WriteDecimalDigits(out, Magnitude(whole), minDigits);
  std::memcpy(out, ".000000", 7);
  return out + 7;
}

// printf's spelling of a non-finite value, after its sign; the sign of a NaN is kept.
char* WriteNonFinite(char* out, double value, bool alwaysSigned) {
  if (std::signbit(value)) {
    *out++ = '-';
  } else if (alwaysSigned) {
    *out++ = '+';
  }
  std::memcpy(out, std::isnan(value) ? "nan" : "inf", 3);
  return out + 3;
}

}  // namespace

char* FormatPolygonValue(char* out, double value) {
  std::int32_t whole;
  if (AsInt32(value, whole)) {
    if (IsShortWhole(whole)) return WriteShortWhole(out, whole);
    return WriteWhole(out, whole, true, kPolygonIntegerDigits);
  }
  // printf fills non-finite values with spaces before the sign, not zeros after it.
  if (!std::isfinite(value)) {
    std::memset(out, ' ', kNonFiniteFill);
    return WriteNonFinite(out + kNonFiniteFill, value, true);
  }
  // Zero went the whole-number way: what is left keeps its sign, even when it rounds to zero.
  *out++ = value < 0 ? '-' : '+';
  return WriteSixDecimals(out, std::fabs(value), kPolygonIntegerDigits);
}

char* FormatLocationValue(char* out, double value) {
  std::int32_t whole;
  if (AsInt32(value, whole)) return WriteWhole(out, whole, false, kLocationIntegerDigits);
  if (!std::isfinite(value)) return WriteNonFinite(out, value, false);
  if (value < 0) *out++ = '-';
  return WriteSixDecimals(out, std::fabs(value), kLocationIntegerDigits);
}
