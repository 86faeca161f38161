#include "KXCharacters.h"

#include "KXPlatform.h"
#include "KXStrings.h"

namespace {

constexpr std::uint32_t kWesternCodePage = 1252;

// -1 until worked out, then 0 or 1. Concurrent first uses compute the same answer.
int gWestern = -1;

}  // namespace

bool KXIsWesternCodePage() {
  if (gWestern < 0) gWestern = KXPlatformCodePage() == kWesternCodePage ? 1 : 0;
  return gWestern == 1;
}

void KXForgetCodePage() { gWestern = -1; }

std::uint32_t KXCharBytes(std::uint8_t firstByte) {
  return KXPlatformIsLeadByte(firstByte) ? 2 : 1;
}

std::uint16_t KXCharCode(const char* p) {
  const auto first = static_cast<std::uint8_t>(p[0]);
  if (KXCharBytes(first) == 1) return first;
  return static_cast<std::uint16_t>(first * 256 + static_cast<std::uint8_t>(p[1]));
}

const char* KXAdvanceChars(const char* p, std::int32_t n) {
  if (KXIsWesternCodePage()) return p + n;
  for (; n > 0; --n) p = KXPlatformNextChar(p);
  return p;
}

std::int32_t KXCharLength(const char* p) {
  if (KXIsWesternCodePage()) return StrLength(p);
  std::int32_t count = 0;
  for (; *p != '\0'; p = KXPlatformNextChar(p)) ++count;
  return count;
}
