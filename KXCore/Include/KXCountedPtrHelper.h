// Creating plug-in objects in host memory.
#pragma once

#include <new>
#include <utility>

#include "KXException.h"
#include "KXMemory.h"
#include "KXResultCodes.h"

/// Allocates a T in host object memory and constructs it; throws kKXErrNoMemory when the host
/// refuses the memory.
template <class T, class... Args>
T* KXCreateObject(Args&&... args) {
  void* memory = KXAllocObject(static_cast<std::uint32_t>(sizeof(T)));
  if (!memory) throw TKXException(kKXErrNoMemory, kKXRaisedNoObjectMemory);
  try {
    return ::new (memory) T(std::forward<Args>(args)...);
  } catch (...) {
    KXFreeObject(memory);
    throw;
  }
}
