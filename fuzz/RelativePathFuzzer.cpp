// The relative-path conversions over arbitrary paths, bases, separators and area sizes; on
// simple paths, a path made relative resolves back to itself.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzHost.h"
#include "KXRelativePath.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The conversion into an area of exactly `size` bytes on the heap, so a write past it is
// caught; returns what it holds.
template <class Convert>
std::string Converted(Convert convert, const std::string& text, std::size_t size,
                      const std::string& base) {
  std::unique_ptr<char[]> out(new char[size == 0 ? 1 : size]);
  std::memset(out.get(), 'X', size == 0 ? 1 : size);
  convert(text.c_str(), out.get(), size, base.c_str());
  if (size == 0) return std::string();
  Check(std::memchr(out.get(), '\0', size) != nullptr);
  return out.get();
}

// Names of 'a' and 'b' between single separators, starting with one: text the colon form
// carries through both conversions unchanged.
std::string SimplePath(const std::string& bytes, char separator) {
  std::string path(1, separator);
  for (char c : bytes) {
    const char next = c % 3 == 0 ? separator : static_cast<char>('a' + (c & 1));
    if (next == separator && path.back() == separator) continue;
    path += next;
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const char separator = static_cast<char>(data[0]);
  const std::size_t areaSize = data[1];
  const std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);
  const std::size_t split = std::min<std::size_t>(data[2], rest.size());
  const std::string path = rest.substr(0, split).c_str();
  const std::string base = rest.substr(split).c_str();
  FuzzHost().Files().SetPathSeparator(separator);

  Converted(MakeRelativePath, path, areaSize, base);
  Converted(ResolveRelativePath, path, areaSize, base);

  const char simpleSeparator = (data[0] & 1) ? '/' : '\\';
  FuzzHost().Files().SetPathSeparator(simpleSeparator);
  const std::string simplePath = SimplePath(path, simpleSeparator);
  const std::string simpleBase = SimplePath(base, simpleSeparator);
  const std::size_t room = simplePath.size() + simpleBase.size() + 2;
  const std::string relative = Converted(MakeRelativePath, simplePath, room, simpleBase);
  Check(Converted(ResolveRelativePath, relative, room, simpleBase) == simplePath);
  return 0;
}
