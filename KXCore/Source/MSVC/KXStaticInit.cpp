#include "KXImageStartup.h"

using KXInitializer = void(__cdecl*)();

// The compiler puts a pointer to each translation unit's dynamic initialisation into .CRT$XCU
// (.CRT$XCL and the like for ordered ones). The linker places sections of one name in the order
// of the text after '$', so an entry in .CRT$XCA and one in .CRT$XCZ bracket the table.
#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) extern const KXInitializer kKXInitializersBegin = nullptr;
__declspec(allocate(".CRT$XCZ")) extern const KXInitializer kKXInitializersEnd = nullptr;

namespace {

// Out of line, with the bounds read through volatile pointers: the compiler must not reason about
// the distance between the two markers, which only the linker knows.
[[gnu::noinline]] void RunInitializers(const KXInitializer* first, const KXInitializer* last) {
  // The linker may pad between contributions with zeros.
  for (const KXInitializer* entry = first; entry < last; ++entry) {
    if (*entry) (*entry)();
  }
}

}  // namespace

void KXRunStaticInitializers() {
  const KXInitializer* volatile first = &kKXInitializersBegin + 1;
  const KXInitializer* volatile last = &kKXInitializersEnd;
  RunInitializers(first, last);
}
