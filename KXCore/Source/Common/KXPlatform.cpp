#include "KXPlatform.h"

#ifdef _WIN32

#include <windows.h>

namespace {

// 0 while the system's ANSI code page rules; a test may select another one.
std::uint32_t gCodePage = 0;

}  // namespace

// Fault translation for the GCC runtime. The MSVC-ABI build has its own, on the runtime's
// per-thread translator: KXCore/Source/MSVC/KXFaultTranslation.cpp.
#ifndef _MSC_VER

#include <exception>

#include "KXWindowsFaults.h"

namespace {

thread_local KXSystemTranslator tTranslator = nullptr;
thread_local KXSystemExceptionRecord tRecord{};
thread_local KXSystemExceptionInfo tInfo{&tRecord, nullptr};
PVOID gHandler = nullptr;
KXImageRange gImage;

// The handler lives in this library's code: take it out of the chain when the library goes.
struct HandlerAtUnload {
  ~HandlerAtUnload() {
    if (gHandler) RemoveVectoredExceptionHandler(gHandler);
  }
} gHandlerAtUnload;

// Entered as though the faulting instruction had called it (see OnException). The translator's
// throw unwinds from here into the faulting code, which is built with -fnon-call-exceptions; a
// translator that returns has nowhere to return to.
__attribute__((used)) void RaiseTranslated() __asm__("t3d_kx_raise_translated");
void RaiseTranslated() {
  tTranslator(tRecord.code, &tInfo);
  std::terminate();
}

}  // namespace

// The faulting thread resumes here with the return address it needs in EAX. The address is
// pushed only now: during dispatch the stack right below the faulting ESP holds the system's
// exception frames, so nothing may be written there from the handler.
__asm__(
    ".text\n"
    "  .p2align 4\n"
    "t3d_kx_raise_translated_entry:\n"
    "  pushl %eax\n"
    "  jmp t3d_kx_raise_translated\n");
extern "C" void RaiseTranslatedEntry() __asm__("t3d_kx_raise_translated_entry");

namespace {




// An exception cannot be thrown through the system's dispatcher frames, which carry no unwind
// information the runtime reads; so the faulting thread is resumed in RaiseTranslatedEntry
// instead, which makes the faulting address its return address. One is added because the
// unwinder looks up the instruction before a return address. EAX is free to carry it: the
// faulting code never resumes where it was, and a landing pad sets EAX itself.
LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (!tTranslator || !KXIsTranslatedFault(record->ExceptionCode) ||
      !gImage.Contains(record->ExceptionAddress)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  tRecord = {record->ExceptionCode, 0, nullptr, record->ExceptionAddress};
  CONTEXT* context = pointers->ContextRecord;
#if defined(__i386__)
  context->Eax = context->Eip + 1;
  context->Eip = reinterpret_cast<DWORD>(&RaiseTranslatedEntry);
#else
#error "Fault translation is written for 32-bit x86 only"
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

KXSystemTranslator KXPlatformSetTranslator(KXSystemTranslator translator) {
  KXSystemTranslator previous = tTranslator;
  tTranslator = translator;
  if (translator && !gHandler) {
    gImage.Find();
    gHandler = AddVectoredExceptionHandler(1, OnException);
  }
  return previous;
}

KXSystemTranslator KXPlatformCurrentTranslator() { return tTranslator; }

#endif  // !_MSC_VER

std::uint32_t KXPlatformSetErrorMode(std::uint32_t mode) { return SetErrorMode(mode); }

std::uint32_t KXPlatformErrorMode() {
  const UINT mode = SetErrorMode(0);
  SetErrorMode(mode);
  return mode;
}

std::uint32_t KXPlatformCodePage() { return gCodePage ? gCodePage : GetACP(); }

void KXPlatformSetCodePage(std::uint32_t codePage) { gCodePage = codePage; }

bool KXPlatformIsLeadByte(std::uint8_t byte) {
  if (gCodePage) return IsDBCSLeadByteEx(gCodePage, byte) != 0;
  return IsDBCSLeadByte(byte) != 0;
}

// The rule of CharNextA, on kernel32's lead-byte test: the plug-in imports nothing from user32.
const char* KXPlatformNextChar(const char* p) {
  if (*p == '\0') return p;
  if (KXPlatformIsLeadByte(static_cast<std::uint8_t>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

int KXPlatformCompareNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }

#else

#include <csignal>
#include <cstring>

namespace {

std::uint32_t gErrorMode = 0;
std::uint32_t gCodePage = 1252;
thread_local KXSystemTranslator tTranslator = nullptr;

// The processor faults a translator sees, and the system exception code each becomes.
struct FaultSignal {
  int number;
  std::uint32_t code;
};
constexpr FaultSignal kFaultSignals[] = {
    {SIGSEGV, kKXSystemAccessViolation},
    {SIGBUS, kKXSystemAccessViolation},
    {SIGFPE, kKXSystemIntegerDivideByZero},
    {SIGILL, kKXSystemIllegalInstruction},
};
constexpr int kFaultSignalCount = sizeof kFaultSignals / sizeof kFaultSignals[0];

bool gHandlersInstalled = false;
struct sigaction gPreviousActions[kFaultSignalCount];

void RestorePreviousActions() {
  for (int i = 0; i < kFaultSignalCount; ++i)
    sigaction(kFaultSignals[i].number, &gPreviousActions[i], nullptr);
  gHandlersInstalled = false;
}

// The handlers live in this library's code: put the previous actions back when it goes.
struct HandlersAtUnload {
  ~HandlersAtUnload() {
    if (gHandlersInstalled) RestorePreviousActions();
  }
} gHandlersAtUnload;

std::uint32_t FaultCode(int signal) {
  for (const FaultSignal& fault : kFaultSignals)
    if (fault.number == signal) return fault.code;
  return kKXSystemAccessViolation;
}

// Runs on the faulting thread. The plug-in is built with -fnon-call-exceptions, so a throw from
// the translator unwinds through the signal frame into the code that faulted. SA_NODEFER keeps
// the signal unblocked after such an unwind, which never returns through sigreturn.
void OnFaultSignal(int signal, siginfo_t* info, void*) {
  if (KXSystemTranslator translator = tTranslator) {
    KXSystemExceptionRecord record{FaultCode(signal), 0, nullptr, info->si_addr};
    KXSystemExceptionInfo exceptionInfo{&record, nullptr};
    translator(record.code, &exceptionInfo);
  }
  // Not translated: put back what was there before us. A real fault re-executes the faulting
  // instruction under the previous action; a sent signal has to be raised again.
  RestorePreviousActions();
  if (info->si_code <= 0) raise(signal);
}

void InstallFaultHandlers() {
  if (gHandlersInstalled) return;
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_sigaction = OnFaultSignal;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kFaultSignalCount; ++i)
    sigaction(kFaultSignals[i].number, &action, &gPreviousActions[i]);
  gHandlersInstalled = true;
}

int FoldCase(char c) {
  auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? byte + ('a' - 'A') : byte;
}

}  // namespace

std::uint32_t KXPlatformSetErrorMode(std::uint32_t mode) {
  std::uint32_t previous = gErrorMode;
  gErrorMode = mode;
  return previous;
}

std::uint32_t KXPlatformErrorMode() { return gErrorMode; }

KXSystemTranslator KXPlatformSetTranslator(KXSystemTranslator translator) {
  KXSystemTranslator previous = tTranslator;
  tTranslator = translator;
  if (translator) InstallFaultHandlers();
  return previous;
}

KXSystemTranslator KXPlatformCurrentTranslator() { return tTranslator; }

std::uint32_t KXPlatformCodePage() { return gCodePage; }

void KXPlatformSetCodePage(std::uint32_t codePage) { gCodePage = codePage; }

bool KXPlatformIsLeadByte(std::uint8_t byte) {
  if (gCodePage != 932) return false;
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char* KXPlatformNextChar(const char* p) {
  if (*p == '\0') return p;
  // A lead byte right before the NUL is a character of its own, so the walk never skips the end.
  if (KXPlatformIsLeadByte(static_cast<std::uint8_t>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

int KXPlatformCompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int difference = FoldCase(*a) - FoldCase(*b);
    if (difference != 0 || *a == '\0') return difference;
  }
}

#endif
