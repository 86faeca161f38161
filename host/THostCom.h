// What every host object shares: reference counts that a test can read, the counting root that
// KXImplements builds host objects on, a counted holder for tests and tools, and the services that
// the plug-in only holds.
#pragma once

#include <cstdint>
#include <utility>

#include "KXHostServices.h"
#include "KXImplements.h"

/// The sum over every count that reports to it: how many references others hold right now, and
/// how often an object of the family was released below zero.
class THostRefLedger {
 public:
  std::int32_t Outstanding() const { return outstanding_; }
  std::int32_t Underflows() const { return underflows_; }

 private:
  friend class THostRefCount;
  std::int32_t outstanding_ = 0;
  std::int32_t underflows_ = 0;
};

/// The references that others hold on one host object. The owner's own hold is not counted, so
/// 0 means that nobody else holds the object; a release at 0 is an underflow and is recorded
/// (the count goes negative) instead of being ignored.
class THostRefCount {
 public:
  explicit THostRefCount(THostRefLedger* ledger = nullptr) : ledger_(ledger) {}

  /// One reference more; returns the new count.
  std::int32_t Add() {
    ++added_;
    if (ledger_) ++ledger_->outstanding_;
    return Count();
  }

  /// One reference fewer; returns the new count.
  std::int32_t Drop() {
    const bool underflow = Count() <= 0;
    ++dropped_;
    if (underflow) ++underflows_;
    if (ledger_) {
      --ledger_->outstanding_;
      if (underflow) ++ledger_->underflows_;
    }
    return Count();
  }

  std::int32_t Count() const { return added_ - dropped_; }
  /// References handed out over the object's life.
  std::int32_t Added() const { return added_; }
  /// References given back over the object's life.
  std::int32_t Dropped() const { return dropped_; }
  std::int32_t Underflows() const { return underflows_; }

 private:
  THostRefLedger* ledger_;
  std::int32_t added_ = 0;
  std::int32_t dropped_ = 0;
  std::int32_t underflows_ = 0;
};

/// The chain of every host object built with KXImplements: AddRef and Release move its
/// THostRefCount and never destroy it, because the host owns the object.
class THostCounted {
 public:
  const THostRefCount& References() const { return refs_; }

 protected:
  explicit THostCounted(THostRefLedger* ledger = nullptr) : refs_(ledger) {}
  THostCounted(const THostCounted&) = delete;
  THostCounted& operator=(const THostCounted&) = delete;
  ~THostCounted() = default;

  std::int32_t AddRef() { return refs_.Add(); }
  template <class Self>
  std::int32_t ReleaseObject(Self*) {
    return refs_.Drop();
  }

  THostRefCount refs_;
};

/// Holds one reference to an interface `I` and gives it back when it goes out of scope, so tests
/// and tools need no plug-in code to hold an interface.
template <class I>
class THostRef {
 public:
  THostRef() = default;
  /// Takes over one reference that the caller already owns.
  explicit THostRef(I* adopted) : ptr_(adopted) {}
  THostRef(THostRef&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  THostRef& operator=(THostRef&& other) noexcept {
    if (this != &other) {
      Reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  THostRef(const THostRef&) = delete;
  THostRef& operator=(const THostRef&) = delete;
  ~THostRef() { Reset(); }

  I* Get() const { return ptr_; }
  I* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

  /// The held pointer's address as the untyped slot of a query.
  void** Slot() { return reinterpret_cast<void**>(&ptr_); }
  /// The held pointer's address for an operation with a typed out slot.
  I** Out() { return &ptr_; }

  /// Gives the reference back, if any.
  void Reset() {
    if (ptr_) std::exchange(ptr_, nullptr)->Release();
  }

 private:
  I* ptr_ = nullptr;
};

/// A service that the plug-in only acquires and gives back: answers its entry's identifier and
/// IUnknown, and nothing else.
class THostHeldService final : public KXImplements<THostHeldService, THostCounted, IKXUnknown> {
 public:
  explicit THostHeldService(const KXGUID& iid) : iid_(iid) {}

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == iid_) return KXStoreInterface(out, this);
    return KXImplements::QueryInterface(iid, out);
  }

 private:
  KXGUID iid_;
};

/// A held service with one operation that the plug-in calls once at start-up: `Interface` is
/// IKXHeldService24 or IKXHeldService25.
template <class Interface>
class THostStartupCallService final
    : public KXImplements<THostStartupCallService<Interface>, THostCounted, Interface> {
 public:
  /// Counts the call and answers the configured byte (1 unless changed).
  std::uint8_t KX_CALL StartupCall() override {
    ++calls_;
    return answer_;
  }

  void SetAnswer(std::uint8_t answer) { answer_ = answer; }
  std::int32_t Calls() const { return calls_; }

 private:
  std::uint8_t answer_ = 1;
  std::int32_t calls_ = 0;
};
