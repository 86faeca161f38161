// An instance of a host scene, with everything under it: object, mesh holder, mesh, polygon
// groups, material set, domain map, domain materials and textures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "KXGeometry.h"
#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostPlacement.h"
#include "THostSwitches.h"

class THostObject;
class THostMeshHolder;
class THostMaterialSet;
class THostPolygonGroup;

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
class THostInstance final : public THostCounted<IKXInstance, IKXTreeElement> {
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
