// A counted holder for tests and tools, so they need no plug-in code to hold an interface.
#pragma once

#include <utility>

/// Holds one reference to an interface `I` and gives it back when it goes out of scope.
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
