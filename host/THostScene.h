// A host scene for tests and tools, built in a few lines.
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
// Every object of a scene reports its references to the scene's ledger: the scene itself,
// its "Universe", its instances and everything under them. The builder's own hold is not
// counted, so after an export that gave everything back OutstandingReferences() is 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostInstance.h"
#include "THostTreeElement.h"

/// IKXScene: GetInstanceCount (slot 34) and GetInstance (slot 35, in the order of AddInstance).
class THostScene final : public THostCounted<IKXScene> {
 public:
  THostScene();
  ~THostScene();

  /// Adds an instance named `name`: identity transform, reference point (0, 0, 0), no polygon
  /// groups, an empty default material name, no domain materials, every switch off. The
  /// reference stays valid as long as the scene.
  THostInstance& AddInstance(const std::string& name);
  THostInstance& InstanceAt(std::size_t index) { return *instances_.at(index); }
  std::size_t InstanceCount() const { return instances_.size(); }

  /// The top element of the map layout: a tree element named "Universe".
  IKXTreeElement* Universe() { return &universe_; }

  /// References that others hold on any object of this scene.
  std::int32_t OutstandingReferences() const { return ledger_.Outstanding(); }
  /// Releases below zero on any object of this scene.
  std::int32_t Underflows() const { return ledger_.Underflows(); }

  /// Answers IUnknown only.
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::uint32_t KX_CALL GetInstanceCount() override;
  /// Null (with kKXOk) for an instance switched to THostNull::Instance; null with
  /// kKXErrMissingObject for an index past the end.
  KXResult KX_CALL GetInstance(IKXInstance** instance, std::uint32_t index) override;

 private:
  THostRefLedger ledger_;
  THostTreeElement universe_;
  std::vector<std::unique_ptr<THostInstance>> instances_;
};
