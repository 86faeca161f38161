// Basic types shared by the plug-in and its hosts.
#pragma once

#include <cstdint>

// Every entry point and interface operation uses the host's calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define KX_CALL __stdcall
#else
#define KX_CALL
#endif

// Layout checks that only make sense where pointers are 4 bytes (the 32-bit Windows build).
#define KX_ABI_ASSERT(cond, msg) static_assert(sizeof(void*) != 4 || (cond), msg)

using KXResult = std::int32_t;
using FourCharCode = std::uint32_t;

// Builds a four-character code such as 'TEXT' without relying on multi-character literals.
constexpr FourCharCode KXFourChar(char a, char b, char c, char d) {
  return (static_cast<FourCharCode>(static_cast<unsigned char>(a)) << 24) |
         (static_cast<FourCharCode>(static_cast<unsigned char>(b)) << 16) |
         (static_cast<FourCharCode>(static_cast<unsigned char>(c)) << 8) |
         static_cast<FourCharCode>(static_cast<unsigned char>(d));
}
