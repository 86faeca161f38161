#include "T3d/T3DNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int kDecimals = 6;

// Digits of |value| with six decimals, no sign; non-finite values as printf spells them.
std::size_t FormatMagnitude(double value, char* out, std::size_t size) {
  const double magnitude = std::fabs(value);
  if (std::isnan(value)) {
    std::memcpy(out, "nan", 3);
    return 3;
  }
  if (std::isinf(value)) {
    std::memcpy(out, "inf", 3);
    return 3;
  }
  const auto result = std::to_chars(out, out + size, magnitude, std::chars_format::fixed, kDecimals);
  return static_cast<std::size_t>(result.ptr - out);
}

// A zero of either sign is written as a positive zero.
double WithoutNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

}  // namespace

T3DLineBuffer& T3DLineBuffer::Append(const char* text) {
  AppendBytes(text, std::strlen(text));
  return *this;
}

T3DLineBuffer& T3DLineBuffer::AppendPolygonValue(double value) {
  constexpr std::size_t kWidth = 13;
  value = WithoutNegativeZero(value);
  char digits[400];
  const std::size_t count = FormatMagnitude(value, digits, sizeof digits);
  const char sign = std::signbit(value) ? '-' : '+';
  // printf fills finite values with zeros after the sign, and non-finite ones with spaces
  // before it. The shortest text ("nan") leaves a fill of 9, which each run below covers.
  const bool finite = std::isfinite(value);
  const std::size_t fill = count + 1 < kWidth ? kWidth - count - 1 : 0;
  if (!finite) AppendBytes("            ", fill);
  AppendBytes(&sign, 1);
  if (finite) AppendBytes("000000000000", fill);
  AppendBytes(digits, count);
  return *this;
}

T3DLineBuffer& T3DLineBuffer::AppendLocationValue(double value) {
  value = WithoutNegativeZero(value);
  char digits[400];
  const std::size_t count = FormatMagnitude(value, digits, sizeof digits);
  if (std::signbit(value)) AppendBytes("-", 1);
  AppendBytes(digits, count);
  return *this;
}

void T3DLineBuffer::AppendBytes(const char* bytes, std::size_t count) {
  const std::size_t room = kSize - 1 - length_;
  if (count > room) count = room;
  std::memcpy(text_ + length_, bytes, count);
  length_ += count;
  text_[length_] = '\0';
}
