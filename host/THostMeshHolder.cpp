#include "THostMeshHolder.h"

#include "KXIdentifiers.h"
#include "THostMesh.h"
#include "THostOutSlot.h"

THostMeshHolder::THostMeshHolder(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger),
      switches_(switches),
      mesh_(std::make_unique<THostMesh>(ledger, switches)) {}

THostMeshHolder::~THostMeshHolder() = default;

KXResult THostMeshHolder::QueryInterface(const KXGUID& iid, void** out) {
  const bool source = iid == kKXIIDMeshSource && !switches_.noMeshSource;
  if (source || iid == kKXIIDPrimitive || iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostMeshHolder::GetMesh(IKXUnknown** mesh) {
  return THostStore(THostSlot(mesh), switches_.noMesh ? nullptr : mesh_.get());
}
