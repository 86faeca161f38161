#include "THostLiteScene.h"

#include <cstring>

#include "KXIdentifiers.h"
#include "THostLiteText.h"

KXResult KX_CALL THostLiteVertex::QueryInterface(const KXGUID& iid, void** out) {
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}

KXResult KX_CALL THostLiteVertex::GetPoint(TKXVector3* where) {
  *where = point;
  return kKXOk;
}

void THostLitePolygon::Set(const TBoxFace& face) {
  for (int v = 0; v < 4; ++v) vertices_[v].point = face.corners[v];
  normal_ = face.normal;
  domain_ = face.domain;
}

KXResult KX_CALL THostLitePolygon::QueryInterface(const KXGUID& iid, void** out) {
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}

std::int32_t KX_CALL THostLitePolygon::GetVertexCount() { return 4; }

IKXVertex* KX_CALL THostLitePolygon::GetVertex(std::int32_t index) {
  return index >= 0 && index < 4 ? &vertices_[index] : nullptr;
}

KXResult KX_CALL THostLitePolygon::GetNormal(TKXVector3* normal, std::int32_t) {
  *normal = normal_;
  return kKXOk;
}

std::int16_t KX_CALL THostLitePolygon::GetDomain() { return domain_; }

void THostLiteGroup::Add(const TBoxFace& face) { polygons_[count_++].Set(face); }

KXResult KX_CALL THostLiteGroup::QueryInterface(const KXGUID& iid, void** out) {
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}

std::int32_t KX_CALL THostLiteGroup::GetPolygonCount() { return count_; }

IKXPolygon* KX_CALL THostLiteGroup::GetPolygon(std::int32_t index) {
  if (answer_) return answer_;
  return index >= 0 && index < count_ ? &polygons_[index] : nullptr;
}

KXResult KX_CALL THostLiteMaterial::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return HandOut(static_cast<IKXDomainMaterial*>(this), out);
  return HandOut(nullptr, out);
}

std::uint8_t KX_CALL THostLiteMaterial::KeepsPreviousTexture() {
  return material_.keepsPrevious ? 1 : 0;
}

KXResult KX_CALL THostLiteMaterial::GetTexture(IKXTexture** texture, std::int32_t*) {
  IKXTexture* answer = material_.texture ? this : nullptr;
  return HandOut(answer, reinterpret_cast<void**>(texture));
}

KXResult KX_CALL THostLiteMaterial::GetName(TKXString* name) {
  HostFillString(name, material_.texture);
  return kKXOk;
}

void THostLiteInstance::Set(const TBox& box) {
  box_ = &box;
  TBoxFace faces[kBoxFaceCount];
  BoxFaces(box, faces);
  for (const TBoxFace& face : faces) groups_[face.group].Add(face);
  for (int m = 0; m < 2; ++m) materials_[m].Set(box.materials[m]);
}

KXResult KX_CALL THostLiteInstance::QueryInterface(const KXGUID& iid, void** out) {
  IKXUnknown* part = nullptr;
  // The instance is its own object and mesh holder, both primitives; its mesh is its group list.
  if (iid == kKXIIDUnknown || iid == kKXIIDInstance || iid == kKXIIDPrimitive) {
    part = static_cast<IKXInstance*>(this);
  } else if (iid == kKXIIDExcludedKindA && box_->excluded) {
    part = static_cast<IKXInstance*>(this);
  } else if (iid == kKXIIDTreeElement) {
    part = static_cast<IKXTreeElement*>(this);
  } else if (iid == kKXIIDMeshSource) {
    part = static_cast<IKXMeshSource*>(this);
  } else if (iid == kKXIIDMesh || iid == kKXIIDPolygonGroupList) {
    part = static_cast<IKXPolygonGroupList*>(this);
  }
  return HandOut(part, out);
}

KXResult KX_CALL THostLiteInstance::GetObject(IKXUnknown** object) {
  return HandOut(static_cast<IKXInstance*>(this), reinterpret_cast<void**>(object));
}

KXResult KX_CALL THostLiteInstance::GetMaterialSet(IKXMaterialSet** materials) {
  return HandOut(static_cast<IKXMaterialSet*>(this), reinterpret_cast<void**>(materials));
}

KXResult KX_CALL THostLiteInstance::GetMeshHolder(IKXUnknown** holder) {
  return HandOut(static_cast<IKXInstance*>(this), reinterpret_cast<void**>(holder));
}

KXResult KX_CALL THostLiteInstance::GetName(TKXString* name) {
  HostFillString(name, box_->name);
  return kKXOk;
}

KXResult KX_CALL THostLiteInstance::GetReferencePoint(TKXVector3* point) {
  *point = box_->reference;
  return kKXOk;
}

KXResult KX_CALL THostLiteInstance::GetTransform(TKXTransform* transform) {
  *transform = BoxPlacement(*box_);
  return kKXOk;
}

KXResult KX_CALL THostLiteInstance::GetMesh(IKXUnknown** mesh) {
  IKXUnknown* answer = noMesh_ ? nullptr : static_cast<IKXPolygonGroupList*>(this);
  HandOut(answer, reinterpret_cast<void**>(mesh));
  return kKXOk;
}

std::int32_t KX_CALL THostLiteInstance::GetGroupCount() { return kBoxGroupCount; }

KXResult KX_CALL THostLiteInstance::GetGroup(IKXPolygonGroup** group, std::int32_t index) {
  IKXPolygonGroup* answer = index >= 0 && index < kBoxGroupCount ? &groups_[index] : nullptr;
  return HandOut(answer, reinterpret_cast<void**>(group));
}

KXResult KX_CALL THostLiteInstance::GetDefaultName(TKXString* name) {
  HostFillString(name, kBoxDefaultMaterial);
  return kKXOk;
}

KXResult KX_CALL THostLiteInstance::GetDomainMap(IKXDomainMap** map) {
  return HandOut(static_cast<IKXDomainMap*>(this), reinterpret_cast<void**>(map));
}

KXResult KX_CALL THostLiteInstance::GetDomainMaterial(const std::int32_t* domain,
                                                      const std::int32_t*,
                                                      IKXDomainMaterial** material) {
  IKXDomainMaterial* answer = nullptr;
  for (int m = 0; m < 2; ++m) {
    if (box_->materials[m].domain == *domain) answer = &materials_[m];
  }
  HandOut(answer, reinterpret_cast<void**>(material));
  return kKXOk;
}

KXResult KX_CALL THostLiteUniverse::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDTreeElement;
  return HandOut(known ? this : nullptr, out);
}

KXResult KX_CALL THostLiteUniverse::GetName(TKXString* name) {
  HostFillString(name, "Universe");
  return kKXOk;
}

KXResult KX_CALL THostLiteUniverse::GetReferencePoint(TKXVector3* point) {
  *point = TKXVector3{0, 0, 0};
  return kKXOk;
}

KXResult KX_CALL THostLiteUniverse::GetTransform(TKXTransform* transform) {
  *transform = TKXTransform();
  return kKXOk;
}

THostLiteScene::THostLiteScene() {
  for (int i = 0; i < kCount; ++i) instances_[i].Set(kBoxScene[i]);
}

THostLiteInstance& THostLiteScene::Named(const char* name) {
  for (THostLiteInstance& instance : instances_) {
    if (std::strcmp(instance.Name(), name) == 0) return instance;
  }
  return instances_[0];
}

KXResult KX_CALL THostLiteScene::QueryInterface(const KXGUID& iid, void** out) {
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}

std::uint32_t KX_CALL THostLiteScene::GetInstanceCount() { return kCount; }

KXResult KX_CALL THostLiteScene::GetInstance(IKXInstance** instance, std::uint32_t index) {
  IKXInstance* answer = index < kCount ? &instances_[index] : nullptr;
  return HandOut(answer, reinterpret_cast<void**>(instance));
}
