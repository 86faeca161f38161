#include "MapAttributes.h"

#include "MapText.h"

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsMapBlank(text[i])) ++i;
  return i;
}

std::size_t WordEnd(std::string_view text, std::size_t i) {
  while (i < text.size() && !IsMapBlank(text[i])) ++i;
  return i;
}

// The value that starts at `i`, and the index after it.
std::string ValueAt(std::string_view text, std::size_t& i) {
  if (i < text.size() && text[i] == '"') {
    const std::size_t close = text.find('"', i + 1);
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    std::string value(text.substr(i + 1, end - i - 1));
    i = close == std::string_view::npos ? end : close + 1;
    return value;
  }
  std::size_t end = WordEnd(text, i);
  std::string value(text.substr(i, end - i));
  for (;;) {
    const std::size_t next = SkipBlanks(text, end);
    if (next == text.size()) break;
    const std::size_t wordEnd = WordEnd(text, next);
    const std::string_view word = text.substr(next, wordEnd - next);
    if (word.find('=') != std::string_view::npos || word[0] == '"') break;
    value.append(" ").append(word);
    end = wordEnd;
  }
  i = end;
  return value;
}

}  // namespace

std::optional<std::string> FindAttribute(std::string_view words, std::string_view key) {
  for (std::size_t i = SkipBlanks(words, 0); i < words.size(); i = SkipBlanks(words, i)) {
    const std::size_t end = WordEnd(words, i);
    const std::size_t equals = words.substr(i, end - i).find('=');
    if (equals == std::string_view::npos) {
      i = end;
      continue;
    }
    const bool wanted = SameMapWord(words.substr(i, equals), key);
    i += equals + 1;
    std::string value = ValueAt(words, i);
    if (wanted) return value;
  }
  return std::nullopt;
}
