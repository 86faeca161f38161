#include "reliability/OddCounts.h"

#include <limits>

#include "KXIdentifiers.h"

std::int32_t OddAnswer(TOddCount odd, std::int32_t real) {
  switch (odd) {
    case TOddCount::Zero: return 0;
    case TOddCount::MinusOne: return -1;
    case TOddCount::Lowest: return std::numeric_limits<std::int32_t>::min();
    case TOddCount::TwoMore: return real + 2;
    case TOddCount::Real: break;
  }
  return real;
}

namespace {

// The answer of the count `call` when `asked` is the call that lies.
std::int32_t Count(TCountedCall asked, TCountedCall call, TOddCount odd, std::size_t real) {
  const auto count = static_cast<std::int32_t>(real);
  return asked == call ? OddAnswer(odd, count) : count;
}

class TOddVertex final : public KXImplements<TOddVertex, THostCounted, IKXVertex> {
 public:
  TOddVertex(THostRefLedger& ledger, const TKXVector3& point)
      : KXImplements(&ledger), point_(point) {}
  KXResult KX_CALL GetPoint(TKXVector3* point) override {
    *point = point_;
    return kKXOk;
  }

 private:
  TKXVector3 point_;
};

class TOddPolygon final : public KXImplements<TOddPolygon, THostCounted, IKXPolygon> {
 public:
  TOddPolygon(TOddCounting& counting, const TPolygonPlan& plan)
      : KXImplements(&counting.ledger), counting_(counting), plan_(plan) {
    for (const TKXVector3& point : plan.points) {
      vertices_.push_back(std::make_unique<TOddVertex>(counting.ledger, point));
    }
  }
  std::int32_t KX_CALL GetVertexCount() override {
    return Count(TCountedCall::Vertices, counting_.call, counting_.odd, vertices_.size());
  }
  IKXVertex* KX_CALL GetVertex(std::int32_t index) override {
    if (index < 0 || static_cast<std::size_t>(index) >= vertices_.size()) return nullptr;
    return vertices_[static_cast<std::size_t>(index)].get();
  }
  KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t) override {
    *normal = plan_.normal;
    return kKXOk;
  }
  std::int16_t KX_CALL GetDomain() override { return plan_.domain; }

 private:
  const TOddCounting& counting_;
  TPolygonPlan plan_;
  std::vector<std::unique_ptr<TOddVertex>> vertices_;
};

class TOddGroup final : public KXImplements<TOddGroup, THostCounted, IKXPolygonGroup> {
 public:
  TOddGroup(TOddCounting& counting, const std::vector<TPolygonPlan>& polygons)
      : KXImplements(&counting.ledger), counting_(counting) {
    for (const TPolygonPlan& polygon : polygons) {
      polygons_.push_back(std::make_unique<TOddPolygon>(counting, polygon));
    }
  }
  std::int32_t KX_CALL GetPolygonCount() override {
    return Count(TCountedCall::Polygons, counting_.call, counting_.odd, polygons_.size());
  }
  IKXPolygon* KX_CALL GetPolygon(std::int32_t index) override {
    if (index < 0 || static_cast<std::size_t>(index) >= polygons_.size()) return nullptr;
    return polygons_[static_cast<std::size_t>(index)].get();
  }

 private:
  const TOddCounting& counting_;
  std::vector<std::unique_ptr<TOddPolygon>> polygons_;
};

// The mesh source and the mesh in one object: it answers kKXIIDPrimitive and kKXIIDMeshSource as
// the source, kKXIIDMesh and kKXIIDPolygonGroupList as the mesh.
class TOddMesh final
    : public KXImplements<TOddMesh, THostCounted, IKXMeshSource, IKXPolygonGroupList> {
 public:
  TOddMesh(TOddCounting& counting, const TInstancePlan& plan)
      : KXImplements(&counting.ledger), counting_(counting) {
    for (const auto& polygons : plan.groups) {
      groups_.push_back(std::make_unique<TOddGroup>(counting, polygons));
    }
  }
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == kKXIIDPrimitive) return KXStoreInterface(out, static_cast<IKXMeshSource*>(this));
    if (iid == kKXIIDMesh) return KXStoreInterface(out, static_cast<IKXPolygonGroupList*>(this));
    return KXImplements::QueryInterface(iid, out);
  }
  KXResult KX_CALL GetMesh(IKXUnknown** mesh) override {
    return KXStoreInterface(KXSlot(mesh), static_cast<IKXPolygonGroupList*>(this));
  }
  std::int32_t KX_CALL GetGroupCount() override {
    return Count(TCountedCall::Groups, counting_.call, counting_.odd, groups_.size());
  }
  KXResult KX_CALL GetGroup(IKXPolygonGroup** group, std::int32_t index) override {
    if (index < 0 || static_cast<std::size_t>(index) >= groups_.size()) {
      KXReleaseSlot(KXSlot(group));
      return kKXErrMissingObject;
    }
    return KXStoreInterface(KXSlot(group), groups_[static_cast<std::size_t>(index)].get());
  }

 private:
  const TOddCounting& counting_;
  std::vector<std::unique_ptr<TOddGroup>> groups_;
};

}  // namespace

/// An instance and its tree element, answering like `inner` except for the mesh holder.
class TOddInstance final
    : public KXImplements<TOddInstance, THostCounted, IKXInstance, IKXTreeElement> {
 public:
  TOddInstance(TOddCounting& counting, THostInstance& inner, const TInstancePlan& plan)
      : KXImplements(&counting.ledger), inner_(inner), mesh_(counting, plan) {}

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == kKXIIDExcludedKindA || iid == kKXIIDExcludedKindB) {
      return inner_.QueryInterface(iid, out);
    }
    return KXImplements::QueryInterface(iid, out);
  }
  KXResult KX_CALL GetObject(IKXUnknown** object) override { return inner_.GetObject(object); }
  KXResult KX_CALL GetMaterialSet(IKXMaterialSet** materials) override {
    return inner_.GetMaterialSet(materials);
  }
  KXResult KX_CALL GetMeshHolder(IKXUnknown** holder) override {
    return KXStoreInterface(KXSlot(holder), static_cast<IKXMeshSource*>(&mesh_));
  }
  KXResult KX_CALL GetName(TKXString* name) override { return inner_.GetName(name); }
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override {
    return inner_.GetReferencePoint(point);
  }
  KXResult KX_CALL GetTransform(TKXTransform* transform) override {
    return inner_.GetTransform(transform);
  }

 private:
  THostInstance& inner_;
  TOddMesh mesh_;
};

// The base only keeps the ledger's address; the ledger is built before anything counts.
TOddScene::TOddScene(TCountedCall call, TOddCount odd)
    : KXImplements(&counting_.ledger), counting_{{}, call, odd} {}

TOddScene::~TOddScene() = default;

void TOddScene::Add(THostInstance& inner, const TInstancePlan& plan) {
  instances_.push_back(std::make_unique<TOddInstance>(counting_, inner, plan));
}

IKXTreeElement* TOddScene::TreeElementAt(std::size_t index) { return instances_.at(index).get(); }

std::uint32_t TOddScene::GetInstanceCount() {
  return static_cast<std::uint32_t>(
      Count(TCountedCall::Instances, counting_.call, counting_.odd, instances_.size()));
}

KXResult TOddScene::GetInstance(IKXInstance** instance, std::uint32_t index) {
  if (index >= instances_.size()) {
    KXReleaseSlot(KXSlot(instance));
    return kKXErrMissingObject;
  }
  return KXStoreInterface(KXSlot(instance),
                          static_cast<IKXInstance*>(instances_[index].get()));
}
