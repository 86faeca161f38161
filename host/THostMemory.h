// Host memory (service entry 8): object memory and block memory, with accounting and refusals.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "KXHostServices.h"
#include "THostCom.h"

/// One request as the log keeps it.
struct THostMemoryRequest {
  enum class Kind { Object, Block, Resize };
  Kind kind;
  std::uint32_t size;
  bool granted;
};

/// IKXMemoryManager on malloc. Object memory (slots 7, 8) and block memory (slots 3, 5, 6) are
/// kept apart: memory of one kind given back through the other kind's operation, or any pointer
/// the host never handed out, is not freed and counts as a free error. New memory is filled with
/// 0xCD and memory given back with 0xDD, so a reader of uninitialised or freed memory sees
/// garbage rather than luck.
///
/// Requests are numbered together over both kinds: every AllocObject, AllocBlock and
/// ReallocBlock is one request, refused or not. A refused request returns null (a refused
/// resize leaves the block as it was). Freeing null is allowed and does nothing.
class THostMemory final : public KXImplements<THostMemory, THostCounted, IKXMemoryManager> {
 public:
  THostMemory();
  /// Gives back whatever is still live, so that a leak shows in the counters, not in the process.
  ~THostMemory();

  void* KX_CALL AllocBlock(std::uint32_t size) override;
  void* KX_CALL ReallocBlock(void* block, std::uint32_t size) override;
  void KX_CALL FreeBlock(void* block) override;
  void* KX_CALL AllocObject(std::uint32_t size) override;
  void KX_CALL FreeObject(void* object) override;

  // Fault injection; each call replaces the faults set before.
  /// Refuses the n-th request from now (1: the next one), once; the others are granted.
  void RefuseRequest(std::uint32_t n);
  /// Grants the next n requests, then refuses every one (0: refuses everything from now).
  void RefuseAllAfter(std::uint32_t n);
  /// Grants every request again.
  void ClearFaults();

  // Accounting.
  std::uint32_t LiveObjects() const { return liveObjects_; }
  std::uint32_t LiveBlocks() const { return liveBlocks_; }
  /// Bytes of both kinds handed out and not given back.
  std::uint64_t LiveBytes() const { return liveBytes_; }
  std::uint64_t PeakBytes() const { return peakBytes_; }
  /// Granted object allocations.
  std::uint32_t ObjectAllocations() const { return objectAllocations_; }
  /// Granted block allocations and resizes.
  std::uint32_t BlockAllocations() const { return blockAllocations_; }
  /// Every request so far, granted or refused.
  std::uint32_t Requests() const { return requests_; }
  std::uint32_t Refusals() const { return refusals_; }
  /// Frees of pointers that are not live memory of the kind being freed.
  std::uint32_t FreeErrors() const { return freeErrors_; }
  /// Size of the live memory at `p` (either kind), or 0 when `p` is not live.
  std::uint32_t SizeOf(const void* p) const;

  /// Starts (or stops) keeping a log of every request from now on, so that a test can tell what
  /// request number n was for. Off by default: a long-running host would only grow it.
  void LogRequests(bool on = true) { logging_ = on; }
  const std::vector<THostMemoryRequest>& RequestLog() const { return log_; }

 private:
  enum class Kind { Object, Block };
  struct Allocation {
    Kind kind;
    std::uint32_t size;
  };

  bool GrantNextRequest(THostMemoryRequest::Kind kind, std::uint32_t size);
  void* Allocate(Kind kind, std::uint32_t size);
  void Forget(Kind kind, void* p);
  bool IsLive(Kind kind, void* p) const;

  std::unordered_map<void*, Allocation> live_;
  std::uint32_t liveObjects_ = 0;
  std::uint32_t liveBlocks_ = 0;
  std::uint64_t liveBytes_ = 0;
  std::uint64_t peakBytes_ = 0;
  std::uint32_t objectAllocations_ = 0;
  std::uint32_t blockAllocations_ = 0;
  std::uint32_t requests_ = 0;
  std::uint32_t refusals_ = 0;
  std::uint32_t freeErrors_ = 0;
  std::uint32_t refuseOnce_ = 0;     // request number refused once; 0: none
  std::uint32_t refuseBeyond_ = 0;   // requests after this number are refused; 0: none
  bool refuseAll_ = false;
  bool logging_ = false;
  std::vector<THostMemoryRequest> log_;
};
