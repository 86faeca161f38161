#include "THostMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kFreshFill = 0xCD;
constexpr int kFreedFill = 0xDD;

// malloc(0) may answer null, which would read as a refusal.
void* RawAllocate(std::uint32_t size) { return std::malloc(size ? size : 1); }
}  // namespace

THostMemory::THostMemory() = default;

THostMemory::~THostMemory() {
  for (const auto& [p, allocation] : live_) std::free(p);
}

void* THostMemory::AllocBlock(std::uint32_t size) {
  if (!GrantNextRequest(THostMemoryRequest::Kind::Block, size)) return nullptr;
  return Allocate(Kind::Block, size);
}

void* THostMemory::AllocObject(std::uint32_t size) {
  if (!GrantNextRequest(THostMemoryRequest::Kind::Object, size)) return nullptr;
  return Allocate(Kind::Object, size);
}

void THostMemory::FreeBlock(void* block) { Forget(Kind::Block, block); }

void THostMemory::FreeObject(void* object) { Forget(Kind::Object, object); }

void* THostMemory::ReallocBlock(void* block, std::uint32_t size) {
  if (!block) return AllocBlock(size);
  if (!GrantNextRequest(THostMemoryRequest::Kind::Resize, size)) return nullptr;
  if (!IsLive(Kind::Block, block)) {
    ++freeErrors_;
    return nullptr;
  }
  const std::uint32_t oldSize = live_.at(block).size;
  void* moved = Allocate(Kind::Block, size);
  if (!moved) return nullptr;
  std::memcpy(moved, block, std::min(oldSize, size));
  Forget(Kind::Block, block);
  return moved;
}

void THostMemory::RefuseRequest(std::uint32_t n) {
  ClearFaults();
  refuseOnce_ = requests_ + n;
}

void THostMemory::RefuseAllAfter(std::uint32_t n) {
  ClearFaults();
  refuseBeyond_ = requests_ + n;
  refuseAll_ = true;
}

void THostMemory::ClearFaults() {
  refuseOnce_ = 0;
  refuseBeyond_ = 0;
  refuseAll_ = false;
}

std::uint32_t THostMemory::SizeOf(const void* p) const {
  const auto found = live_.find(const_cast<void*>(p));
  return found == live_.end() ? 0 : found->second.size;
}

bool THostMemory::GrantNextRequest(THostMemoryRequest::Kind kind, std::uint32_t size) {
  const std::uint32_t number = ++requests_;
  const bool refused = number == refuseOnce_ || (refuseAll_ && number > refuseBeyond_);
  if (refused) ++refusals_;
  if (logging_) log_.push_back(THostMemoryRequest{kind, size, !refused});
  return !refused;
}

// Called once a request has been granted.
void* THostMemory::Allocate(Kind kind, std::uint32_t size) {
  void* p = RawAllocate(size);
  if (!p) return nullptr;
  std::memset(p, kFreshFill, size);
  live_.emplace(p, Allocation{kind, size});
  if (kind == Kind::Object) {
    ++liveObjects_;
    ++objectAllocations_;
  } else {
    ++liveBlocks_;
    ++blockAllocations_;
  }
  liveBytes_ += size;
  peakBytes_ = std::max(peakBytes_, liveBytes_);
  return p;
}

void THostMemory::Forget(Kind kind, void* p) {
  if (!p) return;
  if (!IsLive(kind, p)) {
    ++freeErrors_;
    return;
  }
  const std::uint32_t size = live_.at(p).size;
  live_.erase(p);
  (kind == Kind::Object ? liveObjects_ : liveBlocks_)--;
  liveBytes_ -= size;
  std::memset(p, kFreedFill, size);
  std::free(p);
}

bool THostMemory::IsLive(Kind kind, void* p) const {
  const auto found = live_.find(p);
  return found != live_.end() && found->second.kind == kind;
}
