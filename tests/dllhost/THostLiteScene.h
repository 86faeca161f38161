// The lean host's scene: the box scene (tests/support/BoxScene.h) as host objects, with switches
// for the answers that make the plug-in fail. One instance object carries every part of an
// instance (instance, tree element, object, mesh holder and source, mesh, material set, domain
// map); groups, polygons, vertices and materials are objects of their own.
#pragma once

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostLiteObject.h"
#include "support/BoxScene.h"

class THostLiteVertex final : public THostLiteObject<IKXVertex> {
 public:
  TKXVector3 point{0, 0, 0};

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetPoint(TKXVector3* point) override;
};

class THostLitePolygon final : public THostLiteObject<IKXPolygon> {
 public:
  void Set(const TBoxFace& face);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL GetVertexCount() override;
  IKXVertex* KX_CALL GetVertex(std::int32_t index) override;
  KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t flags) override;
  std::int16_t KX_CALL GetDomain() override;

 private:
  THostLiteVertex vertices_[4];
  TKXVector3 normal_{0, 0, 1};
  std::int16_t domain_ = 0;
};

class THostLiteGroup final : public THostLiteObject<IKXPolygonGroup> {
 public:
  static constexpr int kCapacity = kBoxFaceCount;

  void Add(const TBoxFace& face);
  /// Makes GetPolygon hand out `polygon` (an address the plug-in must not touch) instead.
  void AnswerPolygon(IKXPolygon* polygon) { answer_ = polygon; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL GetPolygonCount() override;
  IKXPolygon* KX_CALL GetPolygon(std::int32_t index) override;

 private:
  THostLitePolygon polygons_[kCapacity];
  std::int32_t count_ = 0;
  IKXPolygon* answer_ = nullptr;
};

/// A domain's material, which is also its texture.
class THostLiteMaterial final : public THostLiteObject<IKXDomainMaterial, IKXTexture> {
 public:
  void Set(const TBoxMaterial& material) { material_ = material; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::uint8_t KX_CALL KeepsPreviousTexture() override;
  KXResult KX_CALL GetTexture(IKXTexture** texture, std::int32_t* counter) override;
  KXResult KX_CALL GetName(TKXString* name) override;

 private:
  TBoxMaterial material_{0, nullptr, false};
};

class THostLiteInstance final
    : public THostLiteObject<IKXInstance, IKXTreeElement, IKXMeshSource, IKXPolygonGroupList,
                             IKXMaterialSet, IKXDomainMap> {
 public:
  void Set(const TBox& box);
  const char* Name() const { return box_->name; }
  THostLiteGroup& Group(int index) { return groups_[index]; }
  /// Makes GetMesh answer null.
  void SetNoMesh() { noMesh_ = true; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  // IKXInstance
  KXResult KX_CALL GetObject(IKXUnknown** object) override;
  KXResult KX_CALL GetMaterialSet(IKXMaterialSet** materials) override;
  KXResult KX_CALL GetMeshHolder(IKXUnknown** holder) override;
  // IKXTreeElement
  KXResult KX_CALL GetName(TKXString* name) override;
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override;
  KXResult KX_CALL GetTransform(TKXTransform* transform) override;
  // IKXMeshSource
  KXResult KX_CALL GetMesh(IKXUnknown** mesh) override;
  // IKXPolygonGroupList
  std::int32_t KX_CALL GetGroupCount() override;
  KXResult KX_CALL GetGroup(IKXPolygonGroup** group, std::int32_t index) override;
  // IKXMaterialSet
  KXResult KX_CALL GetDefaultName(TKXString* name) override;
  KXResult KX_CALL GetDomainMap(IKXDomainMap** map) override;
  // IKXDomainMap
  KXResult KX_CALL GetDomainMaterial(const std::int32_t* domain, const std::int32_t* zero,
                                     IKXDomainMaterial** material) override;

 private:
  const TBox* box_ = nullptr;
  THostLiteGroup groups_[kBoxGroupCount];
  THostLiteMaterial materials_[2];
  bool noMesh_ = false;
};

/// The top element of the map layout.
class THostLiteUniverse final : public THostLiteObject<IKXTreeElement> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetName(TKXString* name) override;
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override;
  KXResult KX_CALL GetTransform(TKXTransform* transform) override;
};

class THostLiteScene final : public THostLiteObject<IKXScene> {
 public:
  static constexpr int kCount = sizeof kBoxScene / sizeof kBoxScene[0];

  THostLiteScene();
  THostLiteInstance& Instance(int index) { return instances_[index]; }
  /// The instance named `name`; the first one when no instance has that name.
  THostLiteInstance& Named(const char* name);
  IKXTreeElement* Universe() { return &universe_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::uint32_t KX_CALL GetInstanceCount() override;
  KXResult KX_CALL GetInstance(IKXInstance** instance, std::uint32_t index) override;

 private:
  THostLiteInstance instances_[kCount];
  THostLiteUniverse universe_;
};
