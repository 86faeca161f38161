#include "THostPolygon.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"
#include "THostVertex.h"

THostPolygon::THostPolygon(THostRefLedger& ledger, const THostSwitches& switches,
                           const std::vector<TKXVector3>& points, TKXVector3 normal,
                           std::int16_t domain)
    : THostCounted(&ledger), switches_(switches), normal_(normal), domain_(domain) {
  for (const TKXVector3& point : points) {
    vertices_.push_back(std::make_unique<THostVertex>(ledger, point));
  }
}

THostPolygon::~THostPolygon() = default;

KXResult THostPolygon::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

std::int32_t THostPolygon::GetVertexCount() { return static_cast<std::int32_t>(vertices_.size()); }

IKXVertex* THostPolygon::GetVertex(std::int32_t index) {
  if (index < 0 || index >= GetVertexCount() || switches_.IsNull(THostNull::Vertex)) {
    return nullptr;
  }
  return vertices_[static_cast<std::size_t>(index)].get();
}

KXResult THostPolygon::GetNormal(TKXVector3* normal, std::int32_t) {
  ++normalCalls_;
  *normal = normal_;
  return kKXOk;
}

std::int16_t THostPolygon::GetDomain() { return domain_; }
