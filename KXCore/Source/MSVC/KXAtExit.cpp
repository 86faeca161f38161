// The image's own atexit. Code compiled for the MSVC C++ ABI registers the destructor of every
// static object with atexit; msvcrt.dll's would run them when the process ends, long after a
// DLL is unloaded, so a DLL keeps its own list and runs it when it is unloaded.
#include "KXImageStartup.h"

using KXExitFunction = void(__cdecl*)();

namespace {

// One entry per static object with a destructor; the plug-in has a handful.
constexpr int kCapacity = 64;
KXExitFunction gExitList[kCapacity];
int gExitCount = 0;

}  // namespace

/// Registers `function` to run when the image is unloaded; nonzero when the list is full.
extern "C" int __cdecl atexit(KXExitFunction function) {
  if (gExitCount == kCapacity) return -1;
  gExitList[gExitCount++] = function;
  return 0;
}

void KXRunExitList() {
  while (gExitCount > 0) gExitList[--gExitCount]();
}
