#include "plugin/KXOutSlot.h"

void KXStoreInterface(void** slot, IKXUnknown* part) {
  // The new reference is taken before the old one goes: the slot may hold the last reference to
  // the very object that answers.
  if (part) part->AddRef();
  KXReleaseSlot(slot);
  *slot = part;
}

void KXReleaseSlot(void** slot) {
  auto* held = static_cast<IKXUnknown*>(*slot);
  if (!held) return;
  *slot = nullptr;
  held->Release();
}
