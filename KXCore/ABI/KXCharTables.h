// The host's character conversion tables, as IKXPlatformInfo hands them out: two byte maps and,
// for each, a list of the bytes that expand to more than one.
#pragma once

#include <cstdint>

/// A map entry that sends a byte to nothing: the byte is dropped.
constexpr std::uint8_t kKXCharDrop = 0;
/// A map entry that sends a byte to its replacement text in the expansion list.
constexpr std::uint8_t kKXCharExpand = 27;

/// An expansion list is a length byte L followed by L bytes of entries; each entry is a key byte
/// and a NUL-terminated replacement text.
struct KXCharTables {
  std::uint8_t maps[2][256];
  const std::uint8_t* expansions[2];
};

