#include "KXStrings.h"

#include <cstring>

std::int32_t StrLength(const char* s) { return s ? static_cast<std::int32_t>(std::strlen(s)) : 0; }

void StrCopy(char* dst, const char* src) {
  while ((*dst++ = *src++) != '\0') {
  }
}

std::int32_t StrCompareShort(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (*a != *b) return static_cast<signed char>(*a) - static_cast<signed char>(*b);
  }
  return 0;
}

bool CharEqualNoCase(char a, char b) {
  const auto x = static_cast<signed char>(a);
  const auto y = static_cast<signed char>(b);
  const signed char lower = x < y ? x : y;
  const signed char upper = x < y ? y : x;
  return x == y || (lower >= 'A' && lower <= 'Z' && upper == lower + ('a' - 'A'));
}
