#include "THostInstance.h"

#include <utility>

#include "KXIdentifiers.h"
#include "THostDomainMap.h"
#include "THostDomainMaterial.h"
#include "THostMaterialSet.h"
#include "THostMesh.h"
#include "THostMeshHolder.h"
#include "THostObject.h"
#include "THostOutSlot.h"
#include "THostPolygonGroup.h"

THostInstance::THostInstance(THostRefLedger& ledger, std::string name)
    : THostCounted(&ledger),
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
  const bool instance = iid == kKXIIDInstance || iid == kKXIIDUnknown ||
                        (iid == kKXIIDExcludedKindA && switches_.excludedKindA) ||
                        (iid == kKXIIDExcludedKindB && switches_.excludedKindB);
  if (instance) {
    const bool null = iid == kKXIIDInstance && switches_.IsNull(THostNull::InstanceQuery);
    return null ? THostRefuse(out) : THostStore(out, Instance());
  }
  if (iid == kKXIIDTreeElement) {
    const bool null = switches_.IsNull(THostNull::TreeElementQuery);
    return null ? THostRefuse(out) : THostStore(out, TreeElement());
  }
  return THostRefuse(out);
}

KXResult THostInstance::GetObject(IKXUnknown** object) {
  const bool null = switches_.IsNull(THostNull::Object);
  return THostStore(THostSlot(object), null ? nullptr : object_.get());
}

KXResult THostInstance::GetMaterialSet(IKXMaterialSet** materials) {
  const bool null = switches_.IsNull(THostNull::MaterialSet);
  return THostStore(THostSlot(materials), null ? nullptr : materials_.get());
}

KXResult THostInstance::GetMeshHolder(IKXUnknown** holder) {
  const bool null = switches_.IsNull(THostNull::MeshHolder);
  return THostStore(THostSlot(holder), null ? nullptr : holder_.get());
}

KXResult THostInstance::GetName(TKXString* name) { return placement_.FillName(name); }

KXResult THostInstance::GetReferencePoint(TKXVector3* point) {
  return placement_.FillReferencePoint(point);
}

KXResult THostInstance::GetTransform(TKXTransform* transform) {
  return placement_.FillTransform(transform);
}
