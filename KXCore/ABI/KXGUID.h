// 16-byte identifier of an interface or a component class.
#pragma once

#include <cstdint>
#include <cstring>

struct KXGUID {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];

  constexpr KXGUID(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::uint8_t b0,
                   std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                   std::uint8_t b5, std::uint8_t b6, std::uint8_t b7)
      : data1(d1), data2(d2), data3(d3), data4{b0, b1, b2, b3, b4, b5, b6, b7} {}
};

// Equal when all 16 bytes are equal, compared as four 32-bit words.
inline bool operator==(const KXGUID& a, const KXGUID& b) {
  std::uint32_t wa[4];
  std::uint32_t wb[4];
  std::memcpy(wa, &a, sizeof wa);
  std::memcpy(wb, &b, sizeof wb);
  return wa[0] == wb[0] && wa[1] == wb[1] && wa[2] == wb[2] && wa[3] == wb[3];
}

inline bool operator!=(const KXGUID& a, const KXGUID& b) { return !(a == b); }
