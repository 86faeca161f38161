#include "KXException.h"
#include "KXExceptionSupport.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#endif

#include <exception>

#include "KXPlatform.h"
#include "KXTranslator.h"
#include "KXMemory.h"
#include "KXResultCodes.h"

namespace {

class CountedDetail : public TKXExceptionDetail {
 public:
  explicit CountedDetail(int* deletions) : deletions_(deletions) {}
  ~CountedDetail() override { ++*deletions_; }

 private:
  int* deletions_;
};

void OtherTranslator(std::uint32_t, KXSystemExceptionInfo*) {}

// A page the process may read but not write.
#ifdef _WIN32
class ReadOnlyPage {
 public:
  ReadOnlyPage() : page_(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY)) {}
  ~ReadOnlyPage() { VirtualFree(page_, 0, MEM_RELEASE); }
  void* Get() const { return page_; }

 private:
  void* page_;
};

// Runs `work` on a thread of its own and waits for it (the compiler's win32 thread model has no
// std::thread).
DWORD WINAPI RunWork(void* work) {
  reinterpret_cast<void (*)()>(work)();
  return 0;
}

void RunOnAnotherThread(void (*work)()) {
  HANDLE thread = CreateThread(nullptr, 0, RunWork, reinterpret_cast<void*>(work), 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

// The test main ends a program on an exception that nobody handles with the exception's code; a
// translated fault that nobody catches would end in abort (exit code 3) instead.
bool DiedOfThePreviousAction(int status) {
  return static_cast<std::uint32_t>(status) == kKXSystemAccessViolation;
}
#else
class ReadOnlyPage {
 public:
  ReadOnlyPage() : page_(mmap(nullptr, Size(), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {}
  ~ReadOnlyPage() { munmap(page_, Size()); }
  void* Get() const { return page_; }

 private:
  static std::size_t Size() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }
  void* page_;
};

void RunOnAnotherThread(void (*work)()) { std::thread(work).join(); }

// The default action kills with SIGSEGV; a sanitizer's handler reports and exits with a failure.
// A translated fault that nobody catches would end in abort instead.
bool DiedOfThePreviousAction(int status) {
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGSEGV;
  return WIFEXITED(status) && WEXITSTATUS(status) != 0;
}
#endif

// Leaves the thread without a translator and the terminate handler as it found them.
class KXTranslatorTest : public ::testing::Test {
 protected:
  void TearDown() override {
    KXPlatformSetTranslator(nullptr);
    std::set_terminate(terminate_);
  }

 private:
  std::terminate_handler terminate_ = std::get_terminate();
};

}  // namespace

TEST(KXExceptionTest, CopiesPassTheDetailOnAndTheLastOneDeletesIt) {
  int deletions = 0;
  try {
    try {
      TKXException e(kKXErrMissingObject, "T3d", 366);
      e.AttachDetail(new CountedDetail(&deletions));
      throw e;
    } catch (const TKXException& inner) {
      TKXException copy(inner);
      EXPECT_EQ(inner.Detail(), nullptr);
      EXPECT_EQ(copy.Line(), 366);
      throw copy;
    }
  } catch (const TKXObject& outer) {
    EXPECT_NE(static_cast<const TKXException&>(outer).Detail(), nullptr);
    EXPECT_EQ(deletions, 0);
  }
  EXPECT_EQ(deletions, 1);
}

TEST_F(KXTranslatorTest, SwitchingOnSavesAndSwitchingOffReinstates) {
  KXPlatformSetTranslator(OtherTranslator);
  KXSetExceptionTranslator(true);
  EXPECT_EQ(KXPlatformCurrentTranslator(), &KXTranslateSystemException);
  EXPECT_EQ(KXPlatformErrorMode(), 0x8001u);
  KXSetExceptionTranslator(false);
  EXPECT_EQ(KXPlatformCurrentTranslator(), &OtherTranslator);

  // A second switching-on saves the plug-in's own translator.
  KXSetExceptionTranslator(true);
  KXSetExceptionTranslator(true);
  KXSetExceptionTranslator(false);
  EXPECT_EQ(KXPlatformCurrentTranslator(), &KXTranslateSystemException);
}

TEST_F(KXTranslatorTest, BreakpointsPassAndOtherExceptionsThrow) {
  KXSystemExceptionRecord record{kKXSystemBreakpoint, 0, nullptr, nullptr};
  KXSystemExceptionInfo info{&record, nullptr};
  // The code in the record decides, not the first argument.
  EXPECT_NO_THROW(KXTranslateSystemException(kKXSystemAccessViolation, &info));
  record.code = kKXSystemIntegerDivideByZero;
  EXPECT_THROW(KXTranslateSystemException(kKXSystemBreakpoint, &info), TKXException);
}

TEST_F(KXTranslatorTest, AccessViolationInsideThePlugInSurfacesAsException) {
  ReadOnlyPage page;
  KXSetExceptionTranslator(true);
  for (int attempt = 0; attempt < 2; ++attempt) {  // the second proves the handler still works
    try {
      KXMemFill(0, page.Get(), 16);
      ADD_FAILURE() << "no fault";
    } catch (const TKXException& e) {
      EXPECT_EQ(static_cast<std::uint32_t>(e.Code()), 0x80010004u);
      EXPECT_EQ(e.GetFileName(), nullptr);
      EXPECT_EQ(e.Line(), 0);
    }
  }
}

TEST(KXTranslatorDeathTest, FaultOnAThreadWithoutTranslatorGoesToThePreviousAction) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Another thread switches translation on, so the handlers are in place.
        RunOnAnotherThread([] { KXSetExceptionTranslator(true); });
        ReadOnlyPage page;
        KXMemFill(0, page.Get(), 16);
      },
      DiedOfThePreviousAction, "");
}
