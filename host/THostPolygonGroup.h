// A polygon group of a host mesh.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostPolygon;

/// IKXPolygonGroup: GetPolygonCount (slot 10), GetPolygon (slot 11, a plain pointer; null out of
/// range or when switched to null).
class THostPolygonGroup final : public THostCounted<IKXPolygonGroup> {
 public:
  THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostPolygonGroup();

  /// Adds a polygon whose vertices are `points`, in the element's coordinates and in host order,
  /// with the normal `normal` and the shading domain `domain`. The reference stays valid as long
  /// as the group.
  THostPolygon& AddPolygon(const std::vector<TKXVector3>& points, TKXVector3 normal = {0, 0, 1},
                           std::int16_t domain = 0);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL GetPolygonCount() override;
  IKXPolygon* KX_CALL GetPolygon(std::int32_t index) override;

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostPolygon>> polygons_;
};
