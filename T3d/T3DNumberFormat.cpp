#include "T3d/T3DNumberFormat.h"

#include <cstring>

#include "T3d/T3DNumberForms.h"

T3DLineBuffer& T3DLineBuffer::Append(const char* text) {
  AppendBytes(text, std::strlen(text));
  return *this;
}

T3DLineBuffer& T3DLineBuffer::AppendPolygonValue(double value) {
  char text[kMaxNumberFormLength];
  AppendBytes(text, static_cast<std::size_t>(FormatPolygonValue(text, value) - text));
  return *this;
}

T3DLineBuffer& T3DLineBuffer::AppendLocationValue(double value) {
  char text[kMaxNumberFormLength];
  AppendBytes(text, static_cast<std::size_t>(FormatLocationValue(text, value) - text));
  return *this;
}

void T3DLineBuffer::AppendBytes(const char* bytes, std::size_t count) {
  const std::size_t room = kSize - 1 - length_;
  if (count > room) count = room;
  std::memcpy(text_ + length_, bytes, count);
  length_ += count;
  text_[length_] = '\0';
}
