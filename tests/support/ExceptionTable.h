// Reads a TKXException the way a host built with another compiler does: through the raw table
// of its one virtual operation, not through the language.
#pragma once

#include "KXException.h"

// A member function takes `this` in ECX on 32-bit Windows, with MSVC's ABI and with MinGW's
// alike; elsewhere as its first argument.
#if defined(_WIN32) && !defined(_WIN64)
#define T3D_THIS_CALL __thiscall
#else
#define T3D_THIS_CALL
#endif

/// Calls entry 0 of `exception`'s table with the exception as `this`: GetFileName's answer when
/// the table is laid out as the host reads it.
inline const char* CallExceptionTableEntry0(const TKXException& exception) {
  using Entry = const char*(T3D_THIS_CALL*)(const TKXException*);
  const Entry* table = *reinterpret_cast<const Entry* const*>(&exception);
  return table[0](&exception);
}
