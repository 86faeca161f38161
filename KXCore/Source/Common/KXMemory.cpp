#include "KXMemory.h"

#include <cstring>

#include "KXServiceTable.h"

void* KXAllocObject(std::uint32_t size) {
  IKXMemoryManager* memory = KXMemoryManagerService();
  return memory ? memory->AllocObject(size) : nullptr;
}

void KXFreeObject(void* object) {
  if (IKXMemoryManager* memory = KXMemoryManagerService()) memory->FreeObject(object);
}

void* KXAllocBlock(std::uint32_t size) {
  IKXMemoryManager* memory = KXMemoryManagerService();
  return memory ? memory->AllocBlock(size) : nullptr;
}

void* KXReallocBlock(void* block, std::uint32_t size) {
  IKXMemoryManager* memory = KXMemoryManagerService();
  return memory ? memory->ReallocBlock(block, size) : nullptr;
}

void KXFreeBlock(void* block) {
  if (!block) return;
  if (IKXMemoryManager* memory = KXMemoryManagerService()) memory->FreeBlock(block);
}

namespace {

// Word moves go through memcpy: the addresses need not be aligned, and the compiler turns each
// fixed-size memcpy into one load or store.
template <class Word>
void CopyWord(std::uint8_t* destination, const std::uint8_t* source) {
  Word word;
  std::memcpy(&word, source, sizeof word);
  std::memcpy(destination, &word, sizeof word);
}

bool WideMovesAllowed() { return KXProcessorFeatures[0] != 0; }

}  // namespace

void KXMemFill(std::uint32_t value, void* destination, std::int32_t count) {
  auto* out = static_cast<std::uint8_t*>(destination);
  if (WideMovesAllowed()) {
    const std::uint64_t wide = (static_cast<std::uint64_t>(value) << 32) | value;
    for (; count >= 8; count -= 8, out += 8) std::memcpy(out, &wide, 8);
  }
  for (; count >= 4; count -= 4, out += 4) std::memcpy(out, &value, 4);
  for (; count > 0; --count) *out++ = static_cast<std::uint8_t>(value);
}

void KXMemCopy(void* destination, const void* source, std::int32_t count) {
  auto* out = static_cast<std::uint8_t*>(destination);
  const auto* in = static_cast<const std::uint8_t*>(source);
  if (WideMovesAllowed()) {
    for (; count >= 32; count -= 32, out += 32, in += 32) {
      std::uint64_t block[4];
      std::memcpy(block, in, sizeof block);
      std::memcpy(out, block, sizeof block);
    }
  }
  for (; count >= 4; count -= 4, out += 4, in += 4) CopyWord<std::uint32_t>(out, in);
  for (; count > 0; --count) *out++ = *in++;
}

void KXMemMove(void* destination, const void* source, std::int32_t count) {
  auto* out = static_cast<std::uint8_t*>(destination);
  const auto* in = static_cast<const std::uint8_t*>(source);
  const auto to = reinterpret_cast<std::uintptr_t>(out);
  const auto from = reinterpret_cast<std::uintptr_t>(in);
  if (count <= 0 || to == from) return;
  if (to < from) {
    const std::uintptr_t distance = from - to;
    if (distance >= 32) {
      KXMemCopy(out, in, count);
      return;
    }
    if (distance >= 4)
      for (; count >= 4; count -= 4, out += 4, in += 4) CopyWord<std::uint32_t>(out, in);
    for (; count > 0; --count) *out++ = *in++;
    return;
  }
  // Destination above the source: copy backward from the last byte.
  out += count;
  in += count;
  if (to - from >= 4)
    for (; count >= 4; count -= 4) {
      out -= 4;
      in -= 4;
      CopyWord<std::uint32_t>(out, in);
    }
  for (; count > 0; --count) *--out = *--in;
}
