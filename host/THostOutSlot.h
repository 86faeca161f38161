// Storing answers in the out slots of host operations.
//
// Every host operation that hands out an interface treats its slot the same way: what the slot
// held is given back first (the caller passes a slot that is null or holds a reference it owns),
// then the answer is stored with one reference for the caller.
#pragma once

#include "KXUnknown.h"

/// Stores `part` (an interface part of a host object, or null) in `slot` as described above.
/// Returns kKXOk, also for a null answer.
KXResult THostStore(void** slot, IKXUnknown* part);

/// Empties `slot` as a refused query does; returns kKXErrNoInterface.
KXResult THostRefuse(void** slot);

/// The untyped view of a typed out slot.
template <class I>
void** THostSlot(I** slot) {
  return reinterpret_cast<void**>(slot);
}
