// Locale-free number forms of the T3D text: "%+013.6f" for polygon values and "%f" for actor
// locations, byte for byte as printf writes them, except that a zero is never written with a
// minus sign.
#pragma once

#include <cstddef>

/// A line assembled in a fixed buffer; appends that would not fit are cut, never overflow.
class T3DLineBuffer {
 public:
  static constexpr std::size_t kSize = 192;

  T3DLineBuffer() { text_[0] = '\0'; }

  T3DLineBuffer& Append(const char* text);
  /// "%+013.6f": sign always, zero-filled to 13 characters, six decimals.
  T3DLineBuffer& AppendPolygonValue(double value);
  /// "%f": six decimals, minus sign only for negative values.
  T3DLineBuffer& AppendLocationValue(double value);

  const char* Text() const { return text_; }

 private:
  void AppendBytes(const char* bytes, std::size_t count);

  char text_[kSize];
  std::size_t length_ = 0;
};
