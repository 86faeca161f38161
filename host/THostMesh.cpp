#include "THostMesh.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"
#include "THostPolygonGroup.h"

THostMesh::THostMesh(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger), ledger_(ledger), switches_(switches) {}

THostMesh::~THostMesh() = default;

THostPolygonGroup& THostMesh::AddGroup() {
  groups_.push_back(std::make_unique<THostPolygonGroup>(ledger_, switches_));
  return *groups_.back();
}

KXResult THostMesh::QueryInterface(const KXGUID& iid, void** out) {
  const bool mesh = iid == kKXIIDMesh && !switches_.IsNull(THostNull::MeshQuery);
  const bool list =
      iid == kKXIIDPolygonGroupList && !switches_.IsNull(THostNull::GroupListQuery);
  if (mesh || list || iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

std::int32_t THostMesh::GetGroupCount() { return static_cast<std::int32_t>(groups_.size()); }

KXResult THostMesh::GetGroup(IKXPolygonGroup** group, std::int32_t index) {
  if (index < 0 || index >= GetGroupCount()) {
    THostStore(THostSlot(group), nullptr);
    return kKXErrMissingObject;
  }
  const bool null = switches_.IsNull(THostNull::Group);
  THostPolygonGroup* answer = groups_[static_cast<std::size_t>(index)].get();
  return THostStore(THostSlot(group), null ? nullptr : answer);
}
