// Symbols that code compiled for the MSVC C++ ABI expects from the compiler vendor's static
// runtime or from libc++'s compiled library, neither of which exists in this build. Each one is
// small, or forwards to msvcrt.dll.
#include <eh.h>

#include <exception>

extern "C" {

/// Marks an image that uses floating point; the vendor's start-up objects define it.
int _fltused = 0;

/// Every run-time type descriptor points at type_info's table, which msvcrt.dll does not export.
/// Its one entry, the deleting destructor, is never called: type descriptors are static data.
extern const void* const kKXTypeInfoTable[1] __asm__("??_7type_info@@6B@") = {nullptr};

/// Called where an exception would leave a noexcept function.
[[noreturn]] void __cdecl __std_terminate() { ::terminate(); }

}  // extern "C"

// libc++'s headers declare these for the vendor-neutral configuration; the terminate handler is
// the runtime's own, per thread.
namespace std {

terminate_handler set_terminate(terminate_handler handler) noexcept {
  return ::set_terminate(handler);
}

terminate_handler get_terminate() noexcept {
  const terminate_handler current = ::set_terminate(nullptr);
  ::set_terminate(current);
  return current;
}

[[noreturn]] void terminate() noexcept { ::terminate(); }

}  // namespace std
