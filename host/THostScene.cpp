#include "THostScene.h"

#include <map>
#include <utility>

#include "KXIdentifiers.h"
#include "THostShell.h"

// The scene's own objects, which a scene builder never names.

/// IKXVertex: GetPoint (slot 3) gives the position in the element's coordinates.
class THostVertex final : public KXImplements<THostVertex, THostCounted, IKXVertex> {
 public:
  THostVertex(THostRefLedger& ledger, const TKXVector3& point)
      : KXImplements(&ledger), point_(point) {}

  KXResult KX_CALL GetPoint(TKXVector3* point) override {
    *point = point_;
    return kKXOk;
  }

 private:
  TKXVector3 point_;
};

/// The polygon of a group's polygon source asked for last, and its vertex likewise: one object
/// each.
class THostVertexView final : public KXImplements<THostVertexView, THostCounted, IKXVertex> {
 public:
  explicit THostVertexView(THostRefLedger& ledger) : KXImplements(&ledger) {}

  void Show(const TKXVector3& point) { point_ = point; }

  KXResult KX_CALL GetPoint(TKXVector3* point) override {
    *point = point_;
    return kKXOk;
  }

 private:
  TKXVector3 point_{0, 0, 0};
};

class THostPolygonView final : public KXImplements<THostPolygonView, THostCounted, IKXPolygon> {
 public:
  THostPolygonView(THostRefLedger& ledger, const THostSwitches& switches,
                   THostPolygonSource& source)
      : KXImplements(&ledger), switches_(switches), source_(source), vertex_(ledger) {}

  std::int32_t Count() const { return static_cast<std::int32_t>(source_.PolygonCount()); }
  void Show(std::uint32_t polygon) {
    source_.Select(polygon);
    // Asked again before every vertex: the source's answer is kept.
    vertexCount_ = static_cast<std::int32_t>(source_.VertexCount());
  }

  std::int32_t KX_CALL GetVertexCount() override { return vertexCount_; }

  IKXVertex* KX_CALL GetVertex(std::int32_t index) override {
    if (index < 0 || index >= vertexCount_ || switches_.IsNull(THostNull::Vertex)) return nullptr;
    vertex_.Show(source_.Point(static_cast<std::uint32_t>(index)));
    return &vertex_;
  }

  KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t) override {
    *normal = source_.Normal();
    return kKXOk;
  }

  std::int16_t KX_CALL GetDomain() override { return source_.Domain(); }

 private:
  const THostSwitches& switches_;
  THostPolygonSource& source_;
  THostVertexView vertex_;
  std::int32_t vertexCount_ = 0;
};

/// A scene tree element that is not an instance, such as the scene's "Universe".
class THostTreeElement final
    : public KXImplements<THostTreeElement, THostCounted, IKXTreeElement> {
 public:
  THostTreeElement(THostRefLedger& ledger, std::string name) : KXImplements(&ledger) {
    placement_.name = std::move(name);
  }

  KXResult KX_CALL GetName(TKXString* name) override;
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override;
  KXResult KX_CALL GetTransform(TKXTransform* transform) override;

 private:
  THostPlacement placement_;
};

/// The instance's object: answers IUnknown, and kKXIIDPrimitive unless its instance is switched
/// to non-primitive.
class THostObject final : public KXImplements<THostObject, THostCounted, IKXUnknown> {
 public:
  THostObject(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), switches_(switches) {}

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == kKXIIDPrimitive && !switches_.nonPrimitive) return KXStoreInterface(out, this);
    return KXImplements::QueryInterface(iid, out);
  }

 private:
  const THostSwitches& switches_;
};

/// The mesh, its IKXMesh (which has no operations of its own) and its IKXPolygonGroupList are one
/// object: QueryInterface answers kKXIIDMesh, kKXIIDPolygonGroupList and IUnknown with it, unless
/// the instance switches the first two to null.
class THostMesh final : public KXImplements<THostMesh, THostCounted, IKXPolygonGroupList> {
 public:
  THostMesh(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), ledger_(ledger), switches_(switches) {}

  template <class... Source>
  THostPolygonGroup& AddGroup(Source&... source) {
    groups_.push_back(std::make_unique<THostPolygonGroup>(ledger_, switches_, source...));
    return *groups_.back();
  }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    const bool mesh = iid == kKXIIDMesh;
    const bool nulled = (mesh && switches_.IsNull(THostNull::MeshQuery)) ||
                        (iid == kKXIIDPolygonGroupList && switches_.IsNull(THostNull::GroupListQuery));
    if (nulled) return KXRefuseInterface(out);
    if (mesh) return KXStoreInterface(out, this);
    return KXImplements::QueryInterface(iid, out);
  }

  std::int32_t KX_CALL GetGroupCount() override { return static_cast<std::int32_t>(groups_.size()); }

  /// Null (kKXOk) when switched to null; null with kKXErrMissingObject for an index out of range.
  KXResult KX_CALL GetGroup(IKXPolygonGroup** group, std::int32_t index) override {
    if (index < 0 || index >= GetGroupCount()) {
      KXReleaseSlot(KXSlot(group));
      return kKXErrMissingObject;
    }
    const bool null = switches_.IsNull(THostNull::Group);
    THostPolygonGroup* answer = groups_[static_cast<std::size_t>(index)].get();
    return KXStoreInterface(KXSlot(group), null ? nullptr : answer);
  }

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostPolygonGroup>> groups_;
};

/// IKXMeshSource. Answers IUnknown and kKXIIDPrimitive, and kKXIIDMeshSource unless its instance
/// has no mesh source. GetMesh (slot 4) hands out the mesh, or null for 'no mesh'.
class THostMeshHolder final : public KXImplements<THostMeshHolder, THostCounted, IKXMeshSource> {
 public:
  THostMeshHolder(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), switches_(switches), mesh_(ledger, switches) {}

  THostMesh& Mesh() { return mesh_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == kKXIIDPrimitive) return KXStoreInterface(out, this);
    if (iid == kKXIIDMeshSource && switches_.noMeshSource) return KXRefuseInterface(out);
    return KXImplements::QueryInterface(iid, out);
  }

  KXResult KX_CALL GetMesh(IKXUnknown** mesh) override {
    return KXStoreInterface(KXSlot(mesh), switches_.noMesh ? nullptr : &mesh_);
  }

 private:
  const THostSwitches& switches_;
  THostMesh mesh_;
};

/// A texture: GetName (slot 37).
class THostTexture final : public KXImplements<THostTexture, THostCounted, IKXTexture> {
 public:
  THostTexture(THostRefLedger& ledger, std::string name)
      : KXImplements(&ledger), name_(std::move(name)) {}

  void SetName(std::string name) { name_ = std::move(name); }

  KXResult KX_CALL GetName(TKXString* name) override {
    THostFillString(name, name_);
    return kKXOk;
  }

 private:
  std::string name_;
};

/// The material of one shading domain: slot 3 answers whether the polygon keeps the previous
/// texture; GetTexture (slot 7) hands out the texture, or null when there is none or when
/// switched to null. The caller's counter is only read, never changed.
class THostDomainMaterial final
    : public KXImplements<THostDomainMaterial, THostCounted, IKXDomainMaterial> {
 public:
  THostDomainMaterial(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), ledger_(ledger), switches_(switches) {}

  void SetTexture(std::string name) {
    if (texture_) {
      texture_->SetName(std::move(name));
    } else {
      texture_ = std::make_unique<THostTexture>(ledger_, std::move(name));
    }
  }
  void SetKeepsPrevious(bool keeps) { keeps_ = keeps; }

  std::uint8_t KX_CALL KeepsPreviousTexture() override { return keeps_ ? 1 : 0; }

  KXResult KX_CALL GetTexture(IKXTexture** texture, std::int32_t*) override {
    const bool null = switches_.IsNull(THostNull::Texture);
    return KXStoreInterface(KXSlot(texture), null ? nullptr : texture_.get());
  }

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::unique_ptr<THostTexture> texture_;
  bool keeps_ = false;
};

/// Shading domains to materials: GetDomainMaterial (slot 17) hands out the material of a domain,
/// or null (kKXOk) when the domain has none.
class THostDomainMap final : public KXImplements<THostDomainMap, THostCounted, IKXDomainMap> {
 public:
  THostDomainMap(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), ledger_(ledger), switches_(switches) {}

  /// The material of `domain`, made (without texture, not keeping) on first use.
  THostDomainMaterial& MaterialOf(std::int32_t domain) {
    auto& material = materials_[domain];
    if (!material) material = std::make_unique<THostDomainMaterial>(ledger_, switches_);
    return *material;
  }

  KXResult KX_CALL GetDomainMaterial(const std::int32_t* domain, const std::int32_t*,
                                     IKXDomainMaterial** material) override {
    const auto found = materials_.find(*domain);
    THostDomainMaterial* answer = found == materials_.end() ? nullptr : found->second.get();
    return KXStoreInterface(KXSlot(material), answer);
  }

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::map<std::int32_t, std::unique_ptr<THostDomainMaterial>> materials_;
};

/// The materials of an instance: GetDefaultName (slot 4), GetDomainMap (slot 6; null when
/// switched to null).
class THostMaterialSet final
    : public KXImplements<THostMaterialSet, THostCounted, IKXMaterialSet> {
 public:
  THostMaterialSet(THostRefLedger& ledger, const THostSwitches& switches)
      : KXImplements(&ledger), switches_(switches), map_(ledger, switches) {}

  void SetDefaultName(std::string name) { defaultName_ = std::move(name); }
  THostDomainMap& DomainMap() { return map_; }

  KXResult KX_CALL GetDefaultName(TKXString* name) override {
    THostFillString(name, defaultName_);
    return kKXOk;
  }

  KXResult KX_CALL GetDomainMap(IKXDomainMap** map) override {
    const bool null = switches_.IsNull(THostNull::DomainMap);
    return KXStoreInterface(KXSlot(map), null ? nullptr : &map_);
  }

 private:
  const THostSwitches& switches_;
  std::string defaultName_;
  THostDomainMap map_;
};

namespace {

// The three IKXTreeElement operations, shared by every kind of element.
KXResult FillName(const THostPlacement& placement, TKXString* out) {
  THostFillString(out, placement.name);
  return kKXOk;
}

KXResult FillReferencePoint(const THostPlacement& placement, TKXVector3* out) {
  *out = placement.referencePoint;
  return kKXOk;
}

KXResult FillTransform(const THostPlacement& placement, TKXTransform* out) {
  *out = placement.transform;
  return kKXOk;
}

}  // namespace

KXResult THostTreeElement::GetName(TKXString* name) { return FillName(placement_, name); }

KXResult THostTreeElement::GetReferencePoint(TKXVector3* point) {
  return FillReferencePoint(placement_, point);
}

KXResult THostTreeElement::GetTransform(TKXTransform* transform) {
  return FillTransform(placement_, transform);
}

THostPolygon::THostPolygon(THostRefLedger& ledger, const THostSwitches& switches,
                           const std::vector<TKXVector3>& points, TKXVector3 normal,
                           std::int16_t domain)
    : KXImplements(&ledger), switches_(switches), normal_(normal), domain_(domain) {
  for (const TKXVector3& point : points) {
    vertices_.push_back(std::make_unique<THostVertex>(ledger, point));
  }
}

THostPolygon::~THostPolygon() = default;

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

THostPolygonGroup::THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches)
    : KXImplements(&ledger), ledger_(ledger), switches_(switches) {}

THostPolygonGroup::THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches,
                                     THostPolygonSource& source)
    : KXImplements(&ledger),
      ledger_(ledger),
      switches_(switches),
      view_(std::make_unique<THostPolygonView>(ledger, switches, source)) {}

THostPolygonGroup::~THostPolygonGroup() = default;

THostPolygon& THostPolygonGroup::AddPolygon(const std::vector<TKXVector3>& points,
                                            TKXVector3 normal, std::int16_t domain) {
  polygons_.push_back(std::make_unique<THostPolygon>(ledger_, switches_, points, normal, domain));
  return *polygons_.back();
}

std::int32_t THostPolygonGroup::GetPolygonCount() {
  return view_ ? view_->Count() : static_cast<std::int32_t>(polygons_.size());
}

IKXPolygon* THostPolygonGroup::GetPolygon(std::int32_t index) {
  if (index < 0 || index >= GetPolygonCount() || switches_.IsNull(THostNull::Polygon)) {
    return nullptr;
  }
  if (!view_) return polygons_[static_cast<std::size_t>(index)].get();
  view_->Show(static_cast<std::uint32_t>(index));
  return view_.get();
}

THostInstance::THostInstance(THostRefLedger& ledger, std::string name)
    : KXImplements(&ledger),
      object_(std::make_unique<THostObject>(ledger, switches_)),
      holder_(std::make_unique<THostMeshHolder>(ledger, switches_)),
      materials_(std::make_unique<THostMaterialSet>(ledger, switches_)) {
  placement_.name = std::move(name);
}

THostInstance::~THostInstance() = default;

THostInstance& THostInstance::SetName(std::string name) {
  placement_.name = std::move(name);
  return *this;
}

THostInstance& THostInstance::SetTransform(const TKXTransform& transform) {
  placement_.transform = transform;
  return *this;
}

THostInstance& THostInstance::SetReferencePoint(const TKXVector3& point) {
  placement_.referencePoint = point;
  return *this;
}

THostInstance& THostInstance::SetDefaultMaterialName(std::string name) {
  materials_->SetDefaultName(std::move(name));
  return *this;
}

THostPolygonGroup& THostInstance::AddGroup() { return holder_->Mesh().AddGroup(); }

THostPolygonGroup& THostInstance::AddGroup(THostPolygonSource& source) {
  return holder_->Mesh().AddGroup(source);
}

THostInstance& THostInstance::SetDomainTexture(std::int32_t domain, std::string textureName) {
  materials_->DomainMap().MaterialOf(domain).SetTexture(std::move(textureName));
  return *this;
}

THostInstance& THostInstance::SetDomainKeepsPrevious(std::int32_t domain, bool keeps) {
  materials_->DomainMap().MaterialOf(domain).SetKeepsPrevious(keeps);
  return *this;
}

THostInstance& THostInstance::SetExcludedKindA(bool on) {
  switches_.excludedKindA = on;
  return *this;
}

THostInstance& THostInstance::SetExcludedKindB(bool on) {
  switches_.excludedKindB = on;
  return *this;
}

THostInstance& THostInstance::SetNonPrimitive(bool on) {
  switches_.nonPrimitive = on;
  return *this;
}

THostInstance& THostInstance::SetNoMeshSource(bool on) {
  switches_.noMeshSource = on;
  return *this;
}

THostInstance& THostInstance::SetNoMesh(bool on) {
  switches_.noMesh = on;
  return *this;
}

THostInstance& THostInstance::AnswerNull(THostNull which, bool on) {
  switches_.SetNull(which, on);
  return *this;
}

KXResult THostInstance::QueryInterface(const KXGUID& iid, void** out) {
  const bool excluded = (iid == kKXIIDExcludedKindA && switches_.excludedKindA) ||
                        (iid == kKXIIDExcludedKindB && switches_.excludedKindB);
  if (excluded) return KXStoreInterface(out, Instance());
  const bool nulled =
      (iid == kKXIIDInstance && switches_.IsNull(THostNull::InstanceQuery)) ||
      (iid == kKXIIDTreeElement && switches_.IsNull(THostNull::TreeElementQuery));
  if (nulled) return KXRefuseInterface(out);
  return KXImplements::QueryInterface(iid, out);
}

KXResult THostInstance::GetObject(IKXUnknown** object) {
  const bool null = switches_.IsNull(THostNull::Object);
  return KXStoreInterface(KXSlot(object), null ? nullptr : object_.get());
}

KXResult THostInstance::GetMaterialSet(IKXMaterialSet** materials) {
  const bool null = switches_.IsNull(THostNull::MaterialSet);
  return KXStoreInterface(KXSlot(materials), null ? nullptr : materials_.get());
}

KXResult THostInstance::GetMeshHolder(IKXUnknown** holder) {
  const bool null = switches_.IsNull(THostNull::MeshHolder);
  return KXStoreInterface(KXSlot(holder), null ? nullptr : holder_.get());
}

KXResult THostInstance::GetName(TKXString* name) { return FillName(placement_, name); }

KXResult THostInstance::GetReferencePoint(TKXVector3* point) {
  return FillReferencePoint(placement_, point);
}

KXResult THostInstance::GetTransform(TKXTransform* transform) {
  return FillTransform(placement_, transform);
}

// The base only keeps the ledger's address; the ledger is built before anything counts.
THostScene::THostScene()
    : KXImplements(&ledger_), universe_(std::make_unique<THostTreeElement>(ledger_, "Universe")) {}

THostScene::~THostScene() = default;

THostInstance& THostScene::AddInstance(const std::string& name) {
  instances_.push_back(std::make_unique<THostInstance>(ledger_, name));
  return *instances_.back();
}

IKXTreeElement* THostScene::Universe() { return universe_.get(); }

std::uint32_t THostScene::GetInstanceCount() {
  return static_cast<std::uint32_t>(instances_.size());
}

KXResult THostScene::GetInstance(IKXInstance** instance, std::uint32_t index) {
  if (index >= instances_.size()) {
    KXReleaseSlot(KXSlot(instance));
    return kKXErrMissingObject;
  }
  THostInstance& answer = *instances_[index];
  const bool null = answer.Switches().IsNull(THostNull::Instance);
  return KXStoreInterface(KXSlot(instance), null ? nullptr : answer.Instance());
}
