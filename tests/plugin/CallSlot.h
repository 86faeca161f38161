// Calls an operation by its slot number, as a host built with another compiler does: the
// function in slot `slot` of the part's table, with the part as its first argument.
#pragma once

#include "KXTypes.h"

template <class Result, class... Args>
Result CallSlot(void* part, int slot, Args... args) {
  using Operation = Result(KX_CALL*)(void*, Args...);
  Operation operation = (*static_cast<Operation**>(part))[slot];
  return operation(part, args...);
}
