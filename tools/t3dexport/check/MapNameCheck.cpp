#include "MapNameCheck.h"

#include "MapText.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsSafeName(std::string_view name) {
  if (name.empty() || !IsLetter(name[0])) return false;
  for (const char c : name)
    if (!IsLetter(c) && !IsMapDigit(c)) return false;
  return true;
}

bool IsSafeDottedName(std::string_view name) {
  for (;;) {
    const std::size_t point = name.find('.');
    if (!IsSafeName(name.substr(0, point))) return false;
    if (point == std::string_view::npos) return true;
    name.remove_prefix(point + 1);
  }
}

bool IsSafeReference(std::string_view reference) {
  const std::size_t open = reference.find('\'');
  if (open == std::string_view::npos) return IsSafeName(reference);
  const std::string_view path = reference.substr(open + 1);
  return IsSafeName(reference.substr(0, open)) && !path.empty() && path.back() == '\'' &&
         IsSafeDottedName(path.substr(0, path.size() - 1));
}
