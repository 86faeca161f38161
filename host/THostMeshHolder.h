// The object that yields an instance's mesh.
#pragma once

#include <memory>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostMesh;

/// IKXMeshSource. Answers IUnknown and kKXIIDPrimitive, and kKXIIDMeshSource unless its
/// instance has no mesh source. GetMesh (slot 4) hands out the mesh, or null for 'no mesh'.
class THostMeshHolder final : public THostCounted<IKXMeshSource> {
 public:
  THostMeshHolder(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostMeshHolder();

  THostMesh& Mesh() { return *mesh_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetMesh(IKXUnknown** mesh) override;

 private:
  const THostSwitches& switches_;
  std::unique_ptr<THostMesh> mesh_;
};
