// Hashing grid coordinates: they often share their low bits, so every input bit must reach every
// output bit before a table takes the low ones.
#pragma once

#include <cstdint>

/// The finaliser of splitmix64.
inline std::uint64_t Scramble(std::uint64_t h) {
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return h ^ (h >> 31);
}
