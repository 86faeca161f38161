// The scene model: a host scene for tests and tools, built in a few lines.
//
//   THostScene scene;
//   THostInstance& box = scene.AddInstance("Box");
//   box.SetTransform(t).SetReferencePoint({1, 2, 3}).SetDefaultMaterialName("Default");
//   THostPolygonGroup& g = box.AddGroup();
//   g.AddPolygon({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, /*normal*/ {0, 0, 1}, /*domain*/ 2);
//   box.SetDomainTexture(2, "Brick");
//   box.SetDomainKeepsPrevious(3);
//   exporter->Export(destination.Get(), &scene, scene.Universe());   // map layout
//   exporter->Export(destination.Get(), &scene, box.TreeElement());  // single-object layout
//   EXPECT_EQ(scene.OutstandingReferences(), 0);
//
// Every object of a scene reports its references to the scene's ledger: the scene itself, its
// "Universe", its instances and everything under them (object, mesh holder, mesh, polygon groups,
// polygons, vertices, material set, domain map, domain materials, textures). The builder's own
// hold is not counted, so after an export that gave everything back OutstandingReferences() is 0.
// The classes a scene is built with are declared here; the others are private to the scene.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostCom.h"

class THostObject;
class THostMeshHolder;
class THostMaterialSet;
class THostPolygonView;
class THostTreeElement;
class THostVertex;

/// Host answers that can be made null. Each applies to one instance and everything under it.
enum class THostNull {
  Instance,          // the scene's GetInstance for this instance
  Object,            // GetObject
  MeshHolder,        // GetMeshHolder
  MaterialSet,       // GetMaterialSet
  DomainMap,         // the material set's GetDomainMap
  Group,             // every GetGroup
  Polygon,           // every GetPolygon
  Vertex,            // every GetVertex
  Texture,           // every GetTexture
  TreeElementQuery,  // QueryInterface(kKXIIDTreeElement) of the instance
  InstanceQuery,     // QueryInterface(kKXIIDInstance) of the instance's tree element
  MeshQuery,         // QueryInterface(kKXIIDMesh) of the mesh
  GroupListQuery,    // QueryInterface(kKXIIDPolygonGroupList) of the mesh
  kCount
};

/// The odd answers of one instance; all off by default.
struct THostSwitches {
  bool excludedKindA = false;  // the instance answers kKXIIDExcludedKindA
  bool excludedKindB = false;  // the instance answers kKXIIDExcludedKindB
  bool nonPrimitive = false;   // the object does not answer kKXIIDPrimitive
  bool noMeshSource = false;   // the mesh holder does not answer kKXIIDMeshSource
  bool noMesh = false;         // GetMesh answers null
  std::bitset<static_cast<std::size_t>(THostNull::kCount)> nulls;

  bool IsNull(THostNull which) const { return nulls.test(static_cast<std::size_t>(which)); }
  void SetNull(THostNull which, bool on) { nulls.set(static_cast<std::size_t>(which), on); }
};

/// What a scene tree element tells about itself: name, transform and reference point.
struct THostPlacement {
  std::string name;
  TKXTransform transform;  // the identity by default
  TKXVector3 referencePoint{0, 0, 0};
};

/// IKXPolygon: GetVertexCount (slot 3), GetVertex (slot 4, a plain pointer; null out of range or
/// when switched to null), GetNormal (slot 16, counted), GetDomain (slot 29).
class THostPolygon final : public KXImplements<THostPolygon, THostCounted, IKXPolygon> {
 public:
  THostPolygon(THostRefLedger& ledger, const THostSwitches& switches,
               const std::vector<TKXVector3>& points, TKXVector3 normal, std::int16_t domain);
  ~THostPolygon();

  std::int32_t NormalCalls() const { return normalCalls_; }

  std::int32_t KX_CALL GetVertexCount() override;
  IKXVertex* KX_CALL GetVertex(std::int32_t index) override;
  KXResult KX_CALL GetNormal(TKXVector3* normal, std::int32_t flags) override;
  std::int16_t KX_CALL GetDomain() override;

 private:
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostVertex>> vertices_;
  TKXVector3 normal_;
  std::int16_t domain_;
  std::int32_t normalCalls_ = 0;
};

/// Polygons that a builder serves on demand, one at a time, from wherever it keeps them: a group
/// answering from it makes nothing per polygon.
class THostPolygonSource {
 public:
  virtual std::uint32_t PolygonCount() const = 0;
  /// Makes polygon `index` (below PolygonCount) the one the calls below describe.
  virtual void Select(std::uint32_t index) = 0;
  virtual std::uint32_t VertexCount() const = 0;
  /// Vertex `vertex` (below VertexCount) in the element's coordinates, host order.
  virtual TKXVector3 Point(std::uint32_t vertex) const = 0;
  virtual TKXVector3 Normal() const = 0;
  virtual std::int16_t Domain() const = 0;

 protected:
  ~THostPolygonSource() = default;
};

/// IKXPolygonGroup: GetPolygonCount (slot 10), GetPolygon (slot 11, a plain pointer; null out of
/// range or when switched to null).
///
/// A group made with a polygon source answers GetPolygon with one polygon object that it points
/// at polygon j, and that polygon's GetVertex with one vertex object likewise: nothing is made
/// per polygon, and a polygon stays valid until the next GetPolygon of its group, as a caller
/// that takes one polygon at a time needs.
class THostPolygonGroup final
    : public KXImplements<THostPolygonGroup, THostCounted, IKXPolygonGroup> {
 public:
  THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches);
  THostPolygonGroup(THostRefLedger& ledger, const THostSwitches& switches,
                    THostPolygonSource& source);
  ~THostPolygonGroup();

  /// Adds a polygon whose vertices are `points`, in the element's coordinates and in host order,
  /// with the normal `normal` and the shading domain `domain`. The reference stays valid as long
  /// as the group.
  THostPolygon& AddPolygon(const std::vector<TKXVector3>& points, TKXVector3 normal = {0, 0, 1},
                           std::int16_t domain = 0);

  std::int32_t KX_CALL GetPolygonCount() override;
  IKXPolygon* KX_CALL GetPolygon(std::int32_t index) override;

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::vector<std::unique_ptr<THostPolygon>> polygons_;
  std::unique_ptr<THostPolygonView> view_;  // the source's polygons, when made with one
};

/// One object with two parts: IKXInstance and IKXTreeElement.
///
/// Instance part: GetObject (slot 3) hands out the object, which answers kKXIIDPrimitive;
/// GetMeshHolder (27) the mesh holder, which answers kKXIIDPrimitive and kKXIIDMeshSource and
/// whose GetMesh gives the mesh (answering kKXIIDMesh and kKXIIDPolygonGroupList with the groups
/// added here); GetMaterialSet (6) the material set, with the default name and the domain map.
/// Tree element part: GetName (7), GetReferencePoint (20), GetTransform (81).
///
/// QueryInterface, from either part: kKXIIDInstance and IUnknown give the instance part,
/// kKXIIDTreeElement the tree element part, kKXIIDExcludedKindA/B the instance part when that
/// switch is on. The switches change these answers for this instance and everything under it.
class THostInstance final
    : public KXImplements<THostInstance, THostCounted, IKXInstance, IKXTreeElement> {
 public:
  THostInstance(THostRefLedger& ledger, std::string name);
  ~THostInstance();

  // Building.
  THostInstance& SetName(std::string name);
  THostInstance& SetTransform(const TKXTransform& transform);
  THostInstance& SetReferencePoint(const TKXVector3& point);
  /// The texture name of polygons whose domain has no material.
  THostInstance& SetDefaultMaterialName(std::string name);
  /// Adds a polygon group to the mesh; the reference stays valid as long as the instance.
  THostPolygonGroup& AddGroup();
  /// Adds a group that answers from `source`, which must outlive the scene.
  THostPolygonGroup& AddGroup(THostPolygonSource& source);
  /// Gives domain `domain` a material whose texture is named `textureName`.
  THostInstance& SetDomainTexture(std::int32_t domain, std::string textureName);
  /// Gives domain `domain` a material that keeps the previous polygon's texture (slot 3
  /// answers 1); it has a texture only if SetDomainTexture gave it one.
  THostInstance& SetDomainKeepsPrevious(std::int32_t domain, bool keeps = true);

  // The odd answers.
  THostInstance& SetExcludedKindA(bool on = true);
  THostInstance& SetExcludedKindB(bool on = true);
  THostInstance& SetNonPrimitive(bool on = true);
  THostInstance& SetNoMeshSource(bool on = true);
  THostInstance& SetNoMesh(bool on = true);
  THostInstance& AnswerNull(THostNull which, bool on = true);
  const THostSwitches& Switches() const { return switches_; }

  /// The two parts, as the exporter receives them.
  IKXInstance* Instance() { return this; }
  IKXTreeElement* TreeElement() { return this; }
  const std::string& Name() const { return placement_.name; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  // IKXInstance
  KXResult KX_CALL GetObject(IKXUnknown** object) override;
  KXResult KX_CALL GetMaterialSet(IKXMaterialSet** materials) override;
  KXResult KX_CALL GetMeshHolder(IKXUnknown** holder) override;
  // IKXTreeElement
  KXResult KX_CALL GetName(TKXString* name) override;
  KXResult KX_CALL GetReferencePoint(TKXVector3* point) override;
  KXResult KX_CALL GetTransform(TKXTransform* transform) override;

 private:
  THostPlacement placement_;
  THostSwitches switches_;
  std::unique_ptr<THostObject> object_;
  std::unique_ptr<THostMeshHolder> holder_;
  std::unique_ptr<THostMaterialSet> materials_;
};

/// IKXScene: GetInstanceCount (slot 34) and GetInstance (slot 35, in the order of AddInstance).
class THostScene final : public KXImplements<THostScene, THostCounted, IKXScene> {
 public:
  THostScene();
  ~THostScene();

  /// Adds an instance named `name`: identity transform, reference point (0, 0, 0), no polygon
  /// groups, an empty default material name, no domain materials, every switch off. The
  /// reference stays valid as long as the scene.
  THostInstance& AddInstance(const std::string& name);
  THostInstance& InstanceAt(std::size_t index) { return *instances_.at(index); }
  std::size_t InstanceCount() const { return instances_.size(); }

  /// The top element of the map layout: a tree element named "Universe", the identity transform
  /// and the reference point (0, 0, 0); it answers kKXIIDTreeElement and IUnknown, and is no
  /// instance.
  IKXTreeElement* Universe();

  /// References that others hold on any object of this scene.
  std::int32_t OutstandingReferences() const { return ledger_.Outstanding(); }
  /// Releases below zero on any object of this scene.
  std::int32_t Underflows() const { return ledger_.Underflows(); }

  std::uint32_t KX_CALL GetInstanceCount() override;
  /// Null (with kKXOk) for an instance switched to THostNull::Instance; null with
  /// kKXErrMissingObject for an index past the end.
  KXResult KX_CALL GetInstance(IKXInstance** instance, std::uint32_t index) override;

 private:
  THostRefLedger ledger_;
  std::unique_ptr<THostTreeElement> universe_;
  std::vector<std::unique_ptr<THostInstance>> instances_;
};
