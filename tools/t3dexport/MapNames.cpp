#include "MapNames.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordByte(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

bool HasLetter(std::string_view text) {
  for (const char c : text) {
    if (IsLetter(c)) return true;
  }
  return false;
}

std::string Lower(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool IsTrimmed(char c) { return c == ' ' || c == '"' || c == '\''; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string SafeName(std::string_view name, std::string_view whenEmpty) {
  std::string safe;
  safe.reserve(name.size() + 1);
  for (const char c : name) {
    if (IsWordByte(c)) {
      safe += c;
    } else if (safe.empty() || safe.back() != '_') {
      safe += '_';
    }
  }
  if (safe.empty()) return std::string(whenEmpty);
  if (IsDigit(safe.front())) safe.insert(safe.begin(), '_');
  return safe;
}

std::string_view FileStem(std::string_view path) {
  std::string_view stem = Trim(path);
  const std::size_t separator = stem.find_last_of("/\\");
  if (separator != std::string_view::npos) stem.remove_prefix(separator + 1);
  const std::size_t dot = stem.rfind('.');
  if (dot != std::string_view::npos && dot > 0) stem = stem.substr(0, dot);
  return Trim(stem);
}

MapNames::MapNames() {
  Take("dummy");
  Take("None");
}

std::string MapNames::ActorName(std::string_view original) {
  const std::string base = SafeName(original, kUnnamedActor);
  std::string name = base;
  if (!Take(name)) {
    unsigned& suffix = nextSuffix_[Lower(base)];
    if (suffix < 2) suffix = 2;
    do {
      name = base + "_" + std::to_string(suffix++);
    } while (!Take(name));
  }
  if (name != original) renamings_.push_back({Renaming::Kind::kActor, std::string(original), name});
  return name;
}

std::string MapNames::TextureName(std::string_view texturePath, std::string_view materialName) {
  const std::string_view stem = FileStem(texturePath);
  const bool fromFile = HasLetter(stem);
  const std::string_view source = fromFile ? stem : materialName;
  std::string name = SafeName(source, kUnnamedTexture);
  const std::string original(fromFile ? texturePath : materialName);
  if (name != source && texturesRecorded_.insert(original).second) {
    renamings_.push_back({Renaming::Kind::kTexture, original, name});
  }
  return name;
}

bool MapNames::Take(const std::string& name) { return taken_.insert(Lower(name)).second; }
