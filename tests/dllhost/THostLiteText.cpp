#include "THostLiteText.h"

#include <cstring>

void HostFillString(TKXString* string, const char* text) {
  std::uint32_t length = static_cast<std::uint32_t>(std::strlen(text));
  if (length > string->Capacity()) length = string->Capacity();
  char* buffer = string->GetBuffer();
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  // One byte per character: the texts the host hands out have no lead bytes.
  string->SetCounts(static_cast<std::int32_t>(length), length);
}

void HostReadString(const TKXString* string, char* out, std::uint32_t size) {
  // GetBuffer is not const in the string's table, but reading through it changes nothing.
  const char* buffer = const_cast<TKXString*>(string)->GetBuffer();
  std::uint32_t length = string->ByteLength();
  if (length > size - 1) length = size - 1;
  std::memcpy(out, buffer, length);
  out[length] = '\0';
}
