#include "T3d/T3DWideInteger.h"

#include "T3d/T3DDecimalDigits.h"

namespace {

// The number is held in 16-bit limbs, least significant first, so that one limb with a
// remainder of up to 9999 above it fits in 32 bits: each division by 10000 is a 32-bit one,
// with no 64-bit division (which 32-bit Windows code would have to call a runtime helper for).
constexpr int kLimbBits = 16;
constexpr std::uint32_t kLimbMask = 0xFFFF;
constexpr std::uint32_t kGroup = 10000;
constexpr int kGroupDigits = 4;
// 2^1024 spans 64 limbs; a shifted 64-bit mantissa may reach one limb further.
constexpr int kMaxLimbs = 1024 / kLimbBits + 2;
constexpr int kMaxGroups = (kMaxWideIntegerDigits + kGroupDigits - 1) / kGroupDigits;

// Places mantissa << exponent into `limbs`; returns the number of limbs in use.
int Spread(std::uint64_t mantissa, int exponent, std::uint32_t* limbs) {
  const int first = exponent / kLimbBits;
  const int shift = exponent % kLimbBits;
  for (int i = 0; i < first; ++i) limbs[i] = 0;
  int count = first;
  std::uint32_t carry = 0;
  while (mantissa != 0 || carry != 0) {
    const std::uint32_t piece = (static_cast<std::uint32_t>(mantissa & kLimbMask) << shift) | carry;
    limbs[count++] = piece & kLimbMask;
    carry = piece >> kLimbBits;
    mantissa >>= kLimbBits;
  }
  return count;
}

// Divides the number by 10000 in place, dropping limbs that became zero at the top; returns the
// remainder, the number's last four digits.
std::uint32_t DivideByGroup(std::uint32_t* limbs, int& count) {
  std::uint32_t remainder = 0;
  for (int i = count - 1; i >= 0; --i) {
    const std::uint32_t current = (remainder << kLimbBits) | limbs[i];
    limbs[i] = current / kGroup;
    remainder = current % kGroup;
  }
  while (count > 0 && limbs[count - 1] == 0) --count;
  return remainder;
}

}  // namespace

char* WriteWideInteger(char* out, std::uint64_t mantissa, int exponent) {
  std::uint32_t limbs[kMaxLimbs];
  int count = Spread(mantissa, exponent, limbs);
  std::uint32_t groups[kMaxGroups];
  int groupCount = 0;
  do {
    groups[groupCount++] = DivideByGroup(limbs, count);
  } while (count > 0);
  out = WriteDecimalDigits(out, groups[--groupCount], 1);
  while (groupCount > 0) out = WriteDecimalDigits(out, groups[--groupCount], kGroupDigits);
  return out;
}
