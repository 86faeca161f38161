#include "THostLiteMemory.h"

#include <cstdlib>

#include "KXIdentifiers.h"

KXResult KX_CALL THostLiteMemory::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDMemoryManager;
  return HandOut(known ? this : nullptr, out);
}

void* KX_CALL THostLiteMemory::AllocBlock(std::uint32_t size) {
  void* block = std::malloc(size);
  if (block) ++liveBlocks_;
  return block;
}

void* KX_CALL THostLiteMemory::ReallocBlock(void* block, std::uint32_t size) {
  if (!block) return AllocBlock(size);
  return std::realloc(block, size);
}

void KX_CALL THostLiteMemory::FreeBlock(void* block) {
  if (block) --liveBlocks_;
  std::free(block);
}

void* KX_CALL THostLiteMemory::AllocObject(std::uint32_t size) {
  if (objectsLeft_ == 0) return nullptr;
  if (objectsLeft_ > 0) --objectsLeft_;
  void* object = std::malloc(size);
  if (object) ++liveObjects_;
  return object;
}

void KX_CALL THostLiteMemory::FreeObject(void* object) {
  if (object) --liveObjects_;
  std::free(object);
}
