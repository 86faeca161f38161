#include "THostPolygonGroup.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"
#include "THostPolygon.h"

THostPolygonGroup::THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger), ledger_(ledger), switches_(switches) {}

THostPolygonGroup::~THostPolygonGroup() = default;

THostPolygon& THostPolygonGroup::AddPolygon(const std::vector<TKXVector3>& points,
                                            TKXVector3 normal, std::int16_t domain) {
  polygons_.push_back(std::make_unique<THostPolygon>(ledger_, switches_, points, normal, domain));
  return *polygons_.back();
}

KXResult THostPolygonGroup::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

std::int32_t THostPolygonGroup::GetPolygonCount() {
  return static_cast<std::int32_t>(polygons_.size());
}

IKXPolygon* THostPolygonGroup::GetPolygon(std::int32_t index) {
  if (index < 0 || index >= GetPolygonCount() || switches_.IsNull(THostNull::Polygon)) {
    return nullptr;
  }
  return polygons_[static_cast<std::size_t>(index)].get();
}
