// Holds one reference to an interface and gives it back when it goes out of scope.
#pragma once

template <class T>
class TKXCountedPtr {
 public:
  TKXCountedPtr() = default;
  TKXCountedPtr(const TKXCountedPtr&) = delete;
  TKXCountedPtr& operator=(const TKXCountedPtr&) = delete;
  ~TKXCountedPtr() { Reset(); }

  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  bool operator!() const { return ptr_ == nullptr; }

  /// The address of the held pointer, for an operation that stores an interface there.
  T** AsOutParam() { return &ptr_; }
  /// The same address as the untyped slot that queries take.
  void** AsQuerySlot() { return reinterpret_cast<void**>(&ptr_); }

  /// Holds `p` instead, adding a reference to it and releasing the old one.
  TKXCountedPtr& operator=(T* p) {
    if (p == ptr_) return *this;
    if (p) p->AddRef();
    T* old = ptr_;
    ptr_ = p;
    if (old) old->Release();
    return *this;
  }

  /// Releases the held reference, if any.
  void Reset() {
    if (ptr_) {
      T* old = ptr_;
      ptr_ = nullptr;
      old->Release();
    }
  }

 private:
  T* ptr_ = nullptr;
};
