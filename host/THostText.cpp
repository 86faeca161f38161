#include "THostText.h"

#include <algorithm>
#include <cstring>

#include "KXString.h"

void THostFillString(TKXString* string, const std::string& text) {
  if (!string) return;
  const auto length =
      static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), string->Capacity()));
  char* buffer = string->GetBuffer();
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  // One byte per character: the host's code page has no lead bytes in the texts it hands out.
  string->SetCounts(static_cast<std::int32_t>(length), length);
}

std::string THostReadString(const TKXString* string) {
  if (!string) return {};
  // GetBuffer is not const in the string's table, but reading through it changes nothing.
  const char* buffer = const_cast<TKXString*>(string)->GetBuffer();
  return std::string(buffer, std::min(string->ByteLength(), string->Capacity()));
}
