// A vertex of a host polygon.
#pragma once

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostCounted.h"

/// IKXVertex: GetPoint (slot 3) gives the position in the element's coordinates.
class THostVertex final : public THostCounted<IKXVertex> {
 public:
  THostVertex(THostRefLedger& ledger, const TKXVector3& point);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetPoint(TKXVector3* point) override;

 private:
  TKXVector3 point_;
};
