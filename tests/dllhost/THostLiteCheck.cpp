#include "THostLiteCheck.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

int gFailures = 0;

// Straight to the handle: the standard streams of this runtime are not reachable the same way in
// both Windows builds.
void WriteError(const char* text, int length) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void HostSay(const char* format, ...) {
  char line[1024];
  va_list arguments;
  va_start(arguments, format);
  int length = std::vsnprintf(line, sizeof line - 1, format, arguments);
  va_end(arguments);
  // A line too long for the buffer is cut.
  constexpr int kRoom = static_cast<int>(sizeof line) - 2;
  if (length < 0 || length > kRoom) length = kRoom;
  line[length++] = '\n';
  WriteError(line, length);
}

bool HostCheck(bool ok, const char* what, const char* file, int line) {
  if (!ok) {
    ++gFailures;
    HostSay("%s(%d): failed: %s", file, line, what);
  }
  return ok;
}

bool HostCheckEqual(std::uint32_t actual, std::uint32_t expected, const char* what,
                    const char* file, int line) {
  if (actual == expected) return true;
  ++gFailures;
  HostSay("%s(%d): failed: %s: 0x%08lX (%ld), expected 0x%08lX (%ld)", file, line, what,
          static_cast<unsigned long>(actual), static_cast<long>(static_cast<std::int32_t>(actual)),
          static_cast<unsigned long>(expected),
          static_cast<long>(static_cast<std::int32_t>(expected)));
  return false;
}

bool HostCheckText(const char* actual, const char* expected, const char* what, const char* file,
                   int line) {
  const bool equal =
      (!actual || !expected) ? actual == expected : std::strcmp(actual, expected) == 0;
  if (equal) return true;
  ++gFailures;
  HostSay("%s(%d): failed: %s: \"%s\", expected \"%s\"", file, line, what,
          actual ? actual : "(null)", expected ? expected : "(null)");
  return false;
}

int HostFailures() { return gFailures; }
