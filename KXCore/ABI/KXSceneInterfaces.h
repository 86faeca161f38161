// The host's scene, as the exporter walks it: each operation at its slot in the host's table.
#pragma once

#include "KXUnknown.h"

class TKXString;
struct TKXVector3;
struct TKXTransform;
class IKXInstance;
class IKXPolygonGroup;
class IKXDomainMaterial;
class IKXMaterialSet;

/// A scene: the instances it holds.
class IKXScene : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOTS_DECADE(1) KX_UNUSED_SLOTS_DECADE(2)
  KX_UNUSED_SLOT(30) KX_UNUSED_SLOT(31) KX_UNUSED_SLOT(32) KX_UNUSED_SLOT(33)
  /// Slot 34: the number of instances.
  virtual std::uint32_t KX_CALL GetInstanceCount() = 0;
  /// Slot 35: stores instance `index` (from 0) in `*instance` with one reference.
  virtual KXResult KX_CALL GetInstance(IKXInstance** instance, std::uint32_t index) = 0;
};

/// An element of the scene tree: name, placement and reference point.
class IKXTreeElement : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  /// Slot 7: fills `name` with the element's name.
  virtual KXResult KX_CALL GetName(TKXString* name) = 0;
  KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOT(10) KX_UNUSED_SLOT(11) KX_UNUSED_SLOT(12) KX_UNUSED_SLOT(13)
  KX_UNUSED_SLOT(14) KX_UNUSED_SLOT(15) KX_UNUSED_SLOT(16) KX_UNUSED_SLOT(17)
  KX_UNUSED_SLOT(18) KX_UNUSED_SLOT(19)
  /// Slot 20: fills `point` with the reference point, in the element's own coordinates.
  virtual KXResult KX_CALL GetReferencePoint(TKXVector3* point) = 0;
  KX_UNUSED_SLOT(21) KX_UNUSED_SLOT(22) KX_UNUSED_SLOT(23) KX_UNUSED_SLOT(24)
  KX_UNUSED_SLOT(25) KX_UNUSED_SLOT(26) KX_UNUSED_SLOT(27) KX_UNUSED_SLOT(28)
  KX_UNUSED_SLOT(29)
  KX_UNUSED_SLOTS_DECADE(3) KX_UNUSED_SLOTS_DECADE(4) KX_UNUSED_SLOTS_DECADE(5)
  KX_UNUSED_SLOTS_DECADE(6) KX_UNUSED_SLOTS_DECADE(7)
  KX_UNUSED_SLOT(80)
  /// Slot 81: fills `transform` with the element's transform into world coordinates.
  virtual KXResult KX_CALL GetTransform(TKXTransform* transform) = 0;
};

/// An instance of an object in the scene.
class IKXInstance : public IKXUnknown {
 public:
  /// Slot 3: stores the instance's object in `*object` with one reference.
  virtual KXResult KX_CALL GetObject(IKXUnknown** object) = 0;
  KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5)
  /// Slot 6: stores the instance's material set in `*materials` with one reference.
  virtual KXResult KX_CALL GetMaterialSet(IKXMaterialSet** materials) = 0;
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOTS_DECADE(1)
  KX_UNUSED_SLOT(20) KX_UNUSED_SLOT(21) KX_UNUSED_SLOT(22) KX_UNUSED_SLOT(23)
  KX_UNUSED_SLOT(24) KX_UNUSED_SLOT(25) KX_UNUSED_SLOT(26)
  /// Slot 27: stores the object that yields the mesh in `*holder` with one reference.
  virtual KXResult KX_CALL GetMeshHolder(IKXUnknown** holder) = 0;
};

/// The source of an instance's mesh.
class IKXMeshSource : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3)
  /// Slot 4: stores the mesh in `*mesh` with one reference, or null.
  virtual KXResult KX_CALL GetMesh(IKXUnknown** mesh) = 0;
};

/// The polygon groups of a mesh.
class IKXPolygonGroupList : public IKXUnknown {
 public:
  /// Slot 3: the number of groups.
  virtual std::int32_t KX_CALL GetGroupCount() = 0;
  KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5)
  /// Slot 6: stores group `index` in `*group` with one reference.
  virtual KXResult KX_CALL GetGroup(IKXPolygonGroup** group, std::int32_t index) = 0;
};

class IKXVertex;

/// One polygon of a group.
class IKXPolygon : public IKXUnknown {
 public:
  /// Slot 3: the number of vertices.
  virtual std::int32_t KX_CALL GetVertexCount() = 0;
  /// Slot 4: vertex `index`, without a reference.
  virtual IKXVertex* KX_CALL GetVertex(std::int32_t index) = 0;
  KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6) KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOT(10) KX_UNUSED_SLOT(11) KX_UNUSED_SLOT(12) KX_UNUSED_SLOT(13)
  KX_UNUSED_SLOT(14) KX_UNUSED_SLOT(15)
  /// Slot 16: fills `normal` with the polygon's normal; `flags` is 0.
  virtual KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t flags) = 0;
  KX_UNUSED_SLOT(17) KX_UNUSED_SLOT(18) KX_UNUSED_SLOT(19)
  KX_UNUSED_SLOT(20) KX_UNUSED_SLOT(21) KX_UNUSED_SLOT(22) KX_UNUSED_SLOT(23)
  KX_UNUSED_SLOT(24) KX_UNUSED_SLOT(25) KX_UNUSED_SLOT(26) KX_UNUSED_SLOT(27)
  KX_UNUSED_SLOT(28)
  /// Slot 29: the polygon's shading domain index.
  virtual std::int16_t KX_CALL GetDomain() = 0;
};

/// A group of polygons.
class IKXPolygonGroup : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  /// Slot 10: the number of polygons.
  virtual std::int32_t KX_CALL GetPolygonCount() = 0;
  /// Slot 11: polygon `index`, without a reference.
  virtual IKXPolygon* KX_CALL GetPolygon(std::int32_t index) = 0;
};

/// One vertex of a polygon.
class IKXVertex : public IKXUnknown {
 public:
  /// Slot 3: fills `point` with the position in the element's coordinates.
  virtual KXResult KX_CALL GetPoint(TKXVector3* point) = 0;
};

class IKXDomainMap;

/// The materials of an instance.
class IKXMaterialSet : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3)
  /// Slot 4: fills `name` with the name used where a domain has no material.
  virtual KXResult KX_CALL GetDefaultName(TKXString* name) = 0;
  KX_UNUSED_SLOT(5)
  /// Slot 6: stores the domain map in `*map` with one reference.
  virtual KXResult KX_CALL GetDomainMap(IKXDomainMap** map) = 0;
};

/// Shading domains to materials.
class IKXDomainMap : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOT(10) KX_UNUSED_SLOT(11) KX_UNUSED_SLOT(12) KX_UNUSED_SLOT(13)
  KX_UNUSED_SLOT(14) KX_UNUSED_SLOT(15) KX_UNUSED_SLOT(16)
  /// Slot 17: stores the material of `*domain` in `*material` with one reference, or null;
  /// `*zero` is 0.
  virtual KXResult KX_CALL GetDomainMaterial(const std::int32_t* domain, const std::int32_t* zero,
                                             IKXDomainMaterial** material) = 0;
};

class IKXTexture;

/// The material of one shading domain.
class IKXDomainMaterial : public IKXUnknown {
 public:
  /// Slot 3: non-zero when the polygon keeps the texture name of the polygon before it.
  virtual std::uint8_t KX_CALL KeepsPreviousTexture() = 0;
  KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  /// Slot 7: stores the texture in `*texture` with one reference; `counter` is the caller's.
  virtual KXResult KX_CALL GetTexture(IKXTexture** texture, std::int32_t* counter) = 0;
};

/// A texture.
class IKXTexture : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOTS_DECADE(1) KX_UNUSED_SLOTS_DECADE(2)
  KX_UNUSED_SLOT(30) KX_UNUSED_SLOT(31) KX_UNUSED_SLOT(32) KX_UNUSED_SLOT(33)
  KX_UNUSED_SLOT(34) KX_UNUSED_SLOT(35) KX_UNUSED_SLOT(36)
  /// Slot 37: fills `name` with the texture's name.
  virtual KXResult KX_CALL GetName(TKXString* name) = 0;
};

KX_INTERFACE_ID(IKXInstance, kKXIIDInstance);
KX_INTERFACE_ID(IKXTreeElement, kKXIIDTreeElement);
KX_INTERFACE_ID(IKXMeshSource, kKXIIDMeshSource);
KX_INTERFACE_ID(IKXPolygonGroupList, kKXIIDPolygonGroupList);
