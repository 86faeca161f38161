// The operating-system facilities the support library relies on: the error mode, per-thread
// translation of processor faults, and the ANSI code page's character rules. On Windows they are
// the system's own; elsewhere this module stands in for them.
#pragma once

#include <cstdint>

/// What a translator learns about a processor fault. Both records begin as the system's own
/// (EXCEPTION_RECORD, EXCEPTION_POINTERS), so a translator of the Windows runtime reads them too.
struct KXSystemExceptionRecord {
  std::uint32_t code;   // the system exception code, e.g. kKXSystemAccessViolation
  std::uint32_t flags;  // 0
  KXSystemExceptionRecord* next;  // null
  const void* address;  // the faulting address, when known
};

struct KXSystemExceptionInfo {
  KXSystemExceptionRecord* record;
  void* context;  // the processor state, where the platform gives one
};

/// Called on the faulting thread; it either returns (the system goes on as without a
/// translator) or throws.
using KXSystemTranslator = void (*)(std::uint32_t code, KXSystemExceptionInfo* info);

constexpr std::uint32_t kKXSystemBreakpoint = 0x80000003u;
constexpr std::uint32_t kKXSystemAccessViolation = 0xC0000005u;
constexpr std::uint32_t kKXSystemIllegalInstruction = 0xC000001Du;
constexpr std::uint32_t kKXSystemIntegerDivideByZero = 0xC0000094u;

/// No dialog for a critical error or a file that cannot be opened.
constexpr std::uint32_t kKXErrorModeNoDialogs = 0x8001u;

/// Sets the process error mode; returns the previous mode.
std::uint32_t KXPlatformSetErrorMode(std::uint32_t mode);
/// The process error mode last set.
std::uint32_t KXPlatformErrorMode();

/// Installs `translator` for the calling thread (null switches translation off) and returns
/// the one it replaces.
KXSystemTranslator KXPlatformSetTranslator(KXSystemTranslator translator);
/// The calling thread's translator, or null.
KXSystemTranslator KXPlatformCurrentTranslator();

/// The system's ANSI code page (1252 for Western text).
std::uint32_t KXPlatformCodePage();
/// True when `byte` starts a two-byte character in the ANSI code page.
bool KXPlatformIsLeadByte(std::uint8_t byte);
/// The next character after `p`; stays on a NUL.
const char* KXPlatformNextChar(const char* p);
/// Compares two texts without case by the user's locale: negative, 0 or positive.
int KXPlatformCompareNoCase(const char* a, const char* b);

/// Selects the code page whose rules the character functions follow, so tests can walk
/// double-byte text (932). The stand-in starts at 1252; on Windows the system's ANSI code page
/// rules until a test selects one, and 0 gives it back.
void KXPlatformSetCodePage(std::uint32_t codePage);
