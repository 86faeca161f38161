// The lean host's memory service: object and block memory from the C runtime's heap, counted, and
// a switch that refuses object memory.
#pragma once

#include "KXHostServices.h"
#include "THostLiteObject.h"

class THostLiteMemory final : public THostLiteObject<IKXMemoryManager> {
 public:
  /// Grants `count` more object allocations, then refuses every one (a negative count: never).
  void RefuseObjectsAfter(std::int32_t count) { objectsLeft_ = count; }
  std::int32_t LiveObjects() const { return liveObjects_; }
  std::int32_t LiveBlocks() const { return liveBlocks_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  void* KX_CALL AllocBlock(std::uint32_t size) override;
  void* KX_CALL ReallocBlock(void* block, std::uint32_t size) override;
  void KX_CALL FreeBlock(void* block) override;
  void* KX_CALL AllocObject(std::uint32_t size) override;
  void KX_CALL FreeObject(void* object) override;

 private:
  std::int32_t objectsLeft_ = -1;
  std::int32_t liveObjects_ = 0;
  std::int32_t liveBlocks_ = 0;
};
