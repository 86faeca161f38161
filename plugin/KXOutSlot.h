// The out slot of a query: the caller's interface pointer, passed by address, null or holding a
// reference the caller owns.
#pragma once

#include "KXUnknown.h"

/// Hands `part` (an interface part, or null) out in `slot` with one reference for the caller,
/// giving back what the slot held before.
void KXStoreInterface(void** slot, IKXUnknown* part);

/// Gives back what `slot` holds, if anything, and leaves it null.
void KXReleaseSlot(void** slot);
