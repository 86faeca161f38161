// A polygon of a host mesh.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostVertex;

/// IKXPolygon: GetVertexCount (slot 3), GetVertex (slot 4, a plain pointer; null out of range or
/// when switched to null), GetNormal (slot 16, counted), GetDomain (slot 29).
class THostPolygon final : public THostCounted<IKXPolygon> {
 public:
  THostPolygon(THostRefLedger& ledger, const THostSwitches& switches,
               const std::vector<TKXVector3>& points, TKXVector3 normal, std::int16_t domain);
  ~THostPolygon();

  std::int32_t NormalCalls() const { return normalCalls_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL GetVertexCount() override;
  IKXVertex* KX_CALL GetVertex(std::int32_t index) override;
  KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t flags) override;
  std::int16_t KX_CALL GetDomain() override;

 private:
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostVertex>> vertices_;
  TKXVector3 normal_;
  std::int16_t domain_;
  std::int32_t normalCalls_ = 0;
};
