#include "KXRelativePath.h"

#include <cstdint>

#include "KXServiceTable.h"
#include "KXStrings.h"

namespace {

constexpr char kRelativeMark = ':';

// Fills an output area from the front, dropping what does not fit before its final NUL.
class PathWriter {
 public:
  PathWriter(char* out, std::size_t size)
      : out_(size == 0 ? nullptr : out), room_(size == 0 ? 0 : size - 1) {}
  ~PathWriter() {
    if (out_) out_[at_] = '\0';
  }
  PathWriter(const PathWriter&) = delete;
  PathWriter& operator=(const PathWriter&) = delete;

  void Put(char c) {
    if (at_ < room_) out_[at_++] = c;
  }
  void PutText(const char* text) {
    for (; *text != '\0'; ++text) Put(*text);
  }

 private:
  char* out_;
  std::size_t room_;
  std::size_t at_ = 0;
};

bool IsAnySeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::int32_t CountOf(const char* text, char c) {
  std::int32_t count = 0;
  for (; *text != '\0'; ++text)
    if (*text == c) ++count;
  return count;
}

// The host's path separator; false when the host has no file service.
bool HostSeparator(char& separator) {
  IKXFileManager* files = KXFileManagerService();
  if (!files) return false;
  separator = files->GetPathSeparator();
  return true;
}

}  // namespace

void MakeRelativePath(const char* path, char* out, std::size_t outSize, const char* base) {
  PathWriter writer(out, outSize);
  char separator = 0;
  if (!HostSeparator(separator)) return writer.PutText(path);
  // The shared prefix counts character by character, not name by name; only the base's
  // separators inside it are directories that both paths share.
  const std::int32_t baseLength = StrLength(base);
  const std::int32_t pathLength = StrLength(path);
  std::int32_t shared = 0;
  std::int32_t lastShared = 0;
  for (std::int32_t i = 0; i < baseLength && i < pathLength && CharEqualNoCase(path[i], base[i]);
       ++i) {
    if (base[i] != separator) continue;
    ++shared;
    lastShared = i;
  }
  if (shared == 0) return writer.PutText(path);
  for (std::int32_t up = CountOf(base, separator) - shared; up > 0; --up) writer.Put(kRelativeMark);
  for (const char* p = path + lastShared; *p != '\0'; ++p)
    writer.Put(IsAnySeparator(*p) ? kRelativeMark : *p);
}

void ResolveRelativePath(const char* rel, char* out, std::size_t outSize, const char* base) {
  PathWriter writer(out, outSize);
  char separator = 0;
  if (!HostSeparator(separator) || rel[0] != kRelativeMark) return writer.PutText(rel);
  const char* p = rel + 1;
  std::int32_t up = 0;
  for (; *p == kRelativeMark; ++p) ++up;
  // The base's directories that remain after climbing, each with its separator.
  for (std::int32_t keep = CountOf(base, separator) - up; keep > 0; ++base) {
    writer.Put(*base);
    if (*base == separator) --keep;
  }
  for (; *p != '\0'; ++p) writer.Put(IsAnySeparator(*p) ? separator : *p);
}
