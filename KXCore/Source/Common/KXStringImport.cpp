// Preparing text that comes in from other files: choosing its variant and converting its
// characters through the host's tables.
#include "KXCharTables.h"
#include "KXCharacters.h"
#include "KXMemory.h"
#include "KXServiceTable.h"
#include "KXString.h"
#include "KXStrings.h"

namespace {

const KXCharTables* HostCharTables() {
  IKXPlatformInfo* platform = KXPlatformInfoService();
  return platform ? static_cast<const KXCharTables*>(platform->GetCharacterTables()) : nullptr;
}

// The replacement text of `key` in `list`, or null. The walk never leaves the list's L bytes: an
// entry whose text runs past them does not count.
const char* FindExpansion(const std::uint8_t* list, std::uint8_t key) {
  if (!list) return nullptr;
  std::int32_t remaining = list[0];
  const std::uint8_t* p = list + 1;
  while (remaining > 0) {
    const std::uint8_t entryKey = *p++;
    --remaining;
    const std::uint8_t* text = p;
    while (remaining > 0 && *p != 0) {
      ++p;
      --remaining;
    }
    if (remaining == 0) return nullptr;
    ++p;
    --remaining;
    if (entryKey == key) return reinterpret_cast<const char*>(text);
  }
  return nullptr;
}

}  // namespace

void TKXString::PrepareImported() {
  if (CharAt(0) == '@') {
    const TKXString15 variantMark("@W");
    const std::int32_t variant = Find(variantMark, 0);
    if (variant != -1) Erase(0, variant + 2);
    Erase(FindChar('@', 0), charLength_);
  }
  if (KXIsWesternCodePage()) MapCharacters(false);
}

void TKXString::MapCharacters(bool second) {
  const KXCharTables* tables = HostCharTables();
  if (!tables) return;
  const std::uint8_t* map = tables->maps[second ? 1 : 0];
  const std::uint8_t* expansions = tables->expansions[second ? 1 : 0];
  // Room a growable string reserves beyond what one expansion needs.
  const auto margin = static_cast<std::uint32_t>(static_cast<float>(capacity_) * 0.01f);
  std::uint32_t o = 0;
  for (std::uint32_t i = 0; i < byteLength_; ++i) {
    const std::uint8_t byte = ByteAt(static_cast<std::int32_t>(i));
    const std::uint8_t mapped = map[byte];
    if (mapped == kKXCharDrop) continue;
    if (mapped != kKXCharExpand) {
      SetByteAt(mapped, static_cast<std::int32_t>(o++));
      continue;
    }
    const char* replacement = FindExpansion(expansions, byte);
    if (!replacement) continue;
    const auto size = static_cast<std::uint16_t>(StrLength(replacement));
    const std::uint32_t freed = i - o + 1;
    if (size > freed) {
      const std::uint32_t extra = size - freed;
      if (byteLength_ + extra > capacity_) Reserve(byteLength_ + extra + margin);
      if (byteLength_ + extra > capacity_) continue;
      // The unread rest, NUL included, moves right to make room.
      char* buffer = GetBuffer();
      KXMemMove(buffer + i + extra, buffer + i, static_cast<std::int32_t>(byteLength_ - i + 1));
      i += extra;
      byteLength_ += extra;
    }
    KXMemMove(GetBuffer() + o, replacement, size);
    o += size;
  }
  SetByteAt(0, static_cast<std::int32_t>(o));
  SetByteLength(o);
  charLength_ = static_cast<std::int32_t>(o);
}
