// What both Windows builds' fault translation asks of a structured exception: is it a processor
// fault the plug-in turns into TKXException, and did it happen in the plug-in's own code.
#pragma once

#include <windows.h>

#include <cstdint>

// The image this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

/// Processor faults only: breakpoints, debugger notices and other software exceptions go on to
/// the system, and a stack overflow leaves no stack to throw on.
inline bool KXIsTranslatedFault(DWORD code) {
  return (code & 0xF0000000u) == 0xC0000000u && code != EXCEPTION_STACK_OVERFLOW;
}

/// The addresses of this image's code and data. A fault elsewhere (the host, the C runtime, the
/// system) stays with its own callers' handlers: only the plug-in's frames can be unwound by a
/// throw from the translator.
class KXImageRange {
 public:
  void Find() {
    const auto base = reinterpret_cast<std::uintptr_t>(&__ImageBase);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + static_cast<std::uintptr_t>(__ImageBase.e_lfanew));
    start_ = base;
    end_ = base + headers->OptionalHeader.SizeOfImage;
  }
  bool Contains(const void* address) const {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    return at >= start_ && at < end_;
  }

 private:
  std::uintptr_t start_ = 0;
  std::uintptr_t end_ = 0;
};
