// The mesh of a host scene instance: its polygon groups.
#pragma once

#include <memory>
#include <vector>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostPolygonGroup;

/// The mesh, its IKXMesh (which has no operations of its own) and its IKXPolygonGroupList are one
/// object: QueryInterface answers kKXIIDMesh, kKXIIDPolygonGroupList and IUnknown with it, unless
/// the instance switches the first two to null.
class THostMesh final : public THostCounted<IKXPolygonGroupList> {
 public:
  THostMesh(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostMesh();

  THostPolygonGroup& AddGroup();

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL GetGroupCount() override;
  /// Null (kKXOk) when switched to null; null with kKXErrMissingObject for an index out of range.
  KXResult KX_CALL GetGroup(IKXPolygonGroup** group, std::int32_t index) override;

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostPolygonGroup>> groups_;
};
