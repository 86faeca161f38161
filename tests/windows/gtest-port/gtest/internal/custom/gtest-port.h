// GoogleTest's customisation point, taken in front of Debian's empty one for the Windows build.
// The compiler's win32 thread model (which keeps the GCC runtime to two DLLs) has no std::mutex
// or std::condition_variable, and GoogleTest's Notification is the one place that uses them.
// Everything else in GoogleTest's Windows port works on the system's own primitives.
#ifndef T3D_TESTS_WINDOWS_GTEST_PORT_H_
#define T3D_TESTS_WINDOWS_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets threads that GoogleTest starts wait until their controller says go. Only GoogleTest's
// own thread helpers use it, and none of our tests starts threads through them, so a spin on a
// flag is enough.
class Notification {
 public:
  Notification() : notified_(false) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_;
};

}  // namespace internal
}  // namespace testing

#endif  // T3D_TESTS_WINDOWS_GTEST_PORT_H_
