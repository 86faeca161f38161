// Test main of the Windows build. Nothing may stop a run on a dialog box: the system's error boxes
// are off, and an exception that nobody handles ends the program with its code, at once, instead
// of reaching the crash dialog or a debugger.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* pointers) {
  const DWORD code = pointers->ExceptionRecord->ExceptionCode;
  std::fprintf(stderr, "unhandled exception 0x%08lX at %p\n", static_cast<unsigned long>(code),
               pointers->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), code);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(EndWithExceptionCode);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
