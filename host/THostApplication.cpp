#include "THostApplication.h"

#include "KXIdentifiers.h"

THostApplication::THostApplication() : refs_(kKXServiceCount, nullptr) {
  Register(1, &utilities_, utilities_.References());
  Register(3, &files_, files_.References());
  Register(4, &resources_, resources_.References());
  Register(5, &startup_, startup_.References());
  Register(8, &memory_, memory_.References());
  Register(9, &platform_, platform_.References());
  Register(24, &entry24_, entry24_.References());
  Register(25, &entry25_, entry25_.References());
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    if (refs_[static_cast<std::size_t>(entry - 1)]) continue;
    held_.push_back(std::make_unique<THostHeldService>(*kKXServiceIDs[entry - 1]));
    Register(entry, held_.back().get(), held_.back()->References());
  }
}

THostApplication::~THostApplication() = default;

std::int32_t THostApplication::ServiceReferences(int entry) const { return RefsOf(entry).Count(); }

std::int32_t THostApplication::ServiceReferencesHandedOut(int entry) const {
  return RefsOf(entry).Added();
}

std::int32_t THostApplication::ServiceReferencesReturned(int entry) const {
  return RefsOf(entry).Dropped();
}

std::int32_t THostApplication::OutstandingServiceReferences() const {
  std::int32_t sum = shell_.References().Count();
  for (const THostRefCount* refs : refs_) sum += refs->Count();
  return sum;
}

std::int32_t THostApplication::ServiceUnderflows() const {
  std::int32_t sum = shell_.References().Underflows();
  for (const THostRefCount* refs : refs_) sum += refs->Underflows();
  return sum;
}

std::int32_t THostApplication::OutstandingReferences() const {
  return OutstandingServiceReferences() + utilities_.OutstandingDisplayReferences() +
         LiveFileObjects();
}

void THostApplication::Register(int entry, IKXUnknown* service, const THostRefCount& refs) {
  shell_.Register(entry, service);
  refs_[static_cast<std::size_t>(entry - 1)] = &refs;
}

const THostRefCount& THostApplication::RefsOf(int entry) const {
  return *refs_.at(static_cast<std::size_t>(entry - 1));
}
