// Characters and words of map text, by their ASCII values whatever the locale.
#pragma once

#include <string_view>

inline bool IsMapDigit(char c) { return c >= '0' && c <= '9'; }

/// What separates words on a line: space, tab, and the carriage return of a CRLF line end.
inline bool IsMapBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

inline char LowerMapChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Whether `a` and `b` are the same word in any mix of cases, as readers compare keywords.
inline bool SameMapWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerMapChar(a[i]) != LowerMapChar(b[i])) return false;
  return true;
}
