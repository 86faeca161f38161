// The scene builder: the answers an exporter walks through, the odd-answer switches, and the
// reference accounting that export tests rely on.
#include <gtest/gtest.h>

#include <bitset>
#include <string>

#include "KXIdentifiers.h"
#include "KXString.h"
#include "THostScene.h"
#include "THostCom.h"

namespace {

constexpr std::size_t kNullCount = static_cast<std::size_t>(THostNull::kCount);

std::string NameOf(IKXTreeElement* element) {
  TKXString1023 name;
  element->GetName(&name);
  return name.GetBuffer();
}

// A box with one textured triangle in domain 2 and an empty polygon in domain 5 (no material).
THostInstance& AddBox(THostScene& scene) {
  TKXTransform transform;
  transform.scale = 2;
  THostInstance& box = scene.AddInstance("Box");
  box.SetTransform(transform).SetReferencePoint({1, 2, 3}).SetDefaultMaterialName("Default");
  THostPolygonGroup& group = box.AddGroup();
  group.AddPolygon({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {0, 0, 1}, 2);
  group.AddPolygon({}, {0, 1, 0}, 5);
  box.SetDomainTexture(2, "Brick").SetDomainKeepsPrevious(3);
  return box;
}

// The mesh of `instance` through holder and source, or null where the chain breaks.
THostRef<IKXUnknown> MeshOf(IKXInstance* instance) {
  THostRef<IKXUnknown> holder, mesh;
  THostRef<IKXMeshSource> source;
  instance->GetMeshHolder(holder.Out());
  if (holder) holder->QueryInterface(kKXIIDMeshSource, source.Slot());
  if (source) source->GetMesh(mesh.Out());
  return mesh;
}

TEST(THostSceneTest, BuilderAnswersAsAnExporterWalksIt) {
  THostScene scene;
  AddBox(scene);
  ASSERT_EQ(scene.GetInstanceCount(), 1u);
  THostRef<IKXInstance> instance;
  ASSERT_EQ(scene.GetInstance(instance.Out(), 0), kKXOk);
  THostRef<IKXUnknown> probe, object;
  EXPECT_EQ(instance->QueryInterface(kKXIIDExcludedKindA, probe.Slot()), kKXErrNoInterface);
  EXPECT_EQ(instance->QueryInterface(kKXIIDExcludedKindB, probe.Slot()), kKXErrNoInterface);
  instance->GetObject(object.Out());
  EXPECT_EQ(object->QueryInterface(kKXIIDPrimitive, probe.Slot()), kKXOk);

  THostRef<IKXTreeElement> element;
  instance->QueryInterface(kKXIIDTreeElement, element.Slot());
  EXPECT_EQ(NameOf(element.Get()), "Box");
  TKXVector3 point{};
  TKXTransform transform;
  element->GetReferencePoint(&point);
  element->GetTransform(&transform);
  EXPECT_EQ(point.z, 3.0f);
  EXPECT_EQ(transform.scale, 2.0f);

  THostRef<IKXUnknown> mesh = MeshOf(instance.Get());
  THostRef<IKXUnknown> meshPart;
  THostRef<IKXPolygonGroupList> groups;
  ASSERT_EQ(mesh->QueryInterface(kKXIIDMesh, meshPart.Slot()), kKXOk);
  ASSERT_EQ(meshPart->QueryInterface(kKXIIDPolygonGroupList, groups.Slot()), kKXOk);
  ASSERT_EQ(groups->GetGroupCount(), 1);
  THostRef<IKXPolygonGroup> group;
  groups->GetGroup(group.Out(), 0);
  ASSERT_EQ(group->GetPolygonCount(), 2);
  IKXPolygon* triangle = group->GetPolygon(0);
  EXPECT_EQ(triangle->GetVertexCount(), 3);
  EXPECT_EQ(triangle->GetDomain(), 2);
  triangle->GetVertex(1)->GetPoint(&point);
  EXPECT_EQ(point.x, 10.0f);
  triangle->GetNormal(&point, 0);
  EXPECT_EQ(point.z, 1.0f);
  EXPECT_EQ(group->GetPolygon(1)->GetVertexCount(), 0);
  EXPECT_EQ(group->GetPolygon(2), nullptr);

  THostRef<IKXMaterialSet> materials;
  THostRef<IKXDomainMap> map;
  THostRef<IKXDomainMaterial> material;
  THostRef<IKXTexture> texture;
  instance->GetMaterialSet(materials.Out());
  TKXString1023 name;
  materials->GetDefaultName(&name);
  EXPECT_STREQ(name.GetBuffer(), "Default");
  materials->GetDomainMap(map.Out());
  const std::int32_t zero = 0, textured = 2, keeping = 3, bare = 5;
  map->GetDomainMaterial(&textured, &zero, material.Out());
  EXPECT_EQ(material->KeepsPreviousTexture(), 0);
  std::int32_t counter = 0;
  material->GetTexture(texture.Out(), &counter);
  texture->GetName(&name);
  EXPECT_STREQ(name.GetBuffer(), "Brick");
  map->GetDomainMaterial(&keeping, &zero, material.Out());  // the slot is reused, as a writer does
  EXPECT_EQ(material->KeepsPreviousTexture(), 1);
  map->GetDomainMaterial(&bare, &zero, material.Out());
  EXPECT_FALSE(material) << "a domain without material answers null";
  EXPECT_GT(scene.OutstandingReferences(), 0);
}

TEST(THostSceneTest, EveryReferenceComesBackAndUnderflowsAreSeen) {
  THostScene scene;
  THostInstance& box = AddBox(scene);
  {
    THostRef<IKXInstance> instance;
    scene.GetInstance(instance.Out(), 0);
    THostRef<IKXUnknown> mesh = MeshOf(instance.Get());
    THostRef<IKXUnknown> slot;
    for (int i = 0; i < 3; ++i) mesh->QueryInterface(kKXIIDMesh, slot.Slot());
    EXPECT_EQ(scene.OutstandingReferences(), 3) << "instance, mesh and one answer in the slot";
    EXPECT_EQ(mesh->QueryInterface(kKXIIDExporter, slot.Slot()), kKXErrNoInterface);
    EXPECT_FALSE(slot);
  }
  EXPECT_EQ(scene.OutstandingReferences(), 0);
  EXPECT_EQ(scene.Underflows(), 0);
  box.Instance()->Release();
  EXPECT_EQ(scene.Underflows(), 1);
  EXPECT_EQ(box.References().Count(), -1);
}

TEST(THostSceneTest, TopElementsForBothLayouts) {
  THostScene scene;
  THostInstance& box = AddBox(scene);
  THostRef<IKXUnknown> probe;
  EXPECT_EQ(NameOf(scene.Universe()), "Universe");
  EXPECT_EQ(scene.Universe()->QueryInterface(kKXIIDInstance, probe.Slot()), kKXErrNoInterface);
  EXPECT_EQ(NameOf(box.TreeElement()), "Box");
  THostRef<IKXInstance> instance;
  EXPECT_EQ(box.TreeElement()->QueryInterface(kKXIIDInstance, instance.Slot()), kKXOk);
  EXPECT_EQ(instance.Get(), box.Instance());
  THostRef<IKXInstance> missing;
  EXPECT_EQ(scene.GetInstance(missing.Out(), 1), kKXErrMissingObject);
  EXPECT_FALSE(missing);
}

TEST(THostSceneTest, KindSwitchesChangeTheirAnswersOnly) {
  THostScene scene;
  THostInstance& box = AddBox(scene);
  box.SetExcludedKindA().SetExcludedKindB().SetNonPrimitive();
  THostRef<IKXUnknown> probe, object;
  EXPECT_EQ(box.Instance()->QueryInterface(kKXIIDExcludedKindA, probe.Slot()), kKXOk);
  EXPECT_EQ(box.Instance()->QueryInterface(kKXIIDExcludedKindB, probe.Slot()), kKXOk);
  box.Instance()->GetObject(object.Out());
  EXPECT_EQ(object->QueryInterface(kKXIIDPrimitive, probe.Slot()), kKXErrNoInterface);
  EXPECT_TRUE(MeshOf(box.Instance()));
  box.SetNoMesh();
  EXPECT_FALSE(MeshOf(box.Instance()));
  box.SetNoMesh(false).SetNoMeshSource();
  EXPECT_FALSE(MeshOf(box.Instance()));
  THostRef<IKXUnknown> holder;
  box.Instance()->GetMeshHolder(holder.Out());
  EXPECT_EQ(holder->QueryInterface(kKXIIDPrimitive, probe.Slot()), kKXOk);
}

// Which answers of the box come out null; each one is asked with everything before it present,
// and an answer that cannot be reached counts as present.
std::bitset<kNullCount> NullAnswers(THostScene& scene, THostInstance& box) {
  std::bitset<kNullCount> nulls;
  auto mark = [&nulls](THostNull which, bool null) {
    nulls.set(static_cast<std::size_t>(which), null);
  };
  IKXInstance* instance = box.Instance();
  THostRef<IKXInstance> fromScene;
  THostRef<IKXUnknown> object, holder, meshPart, probe;
  THostRef<IKXMaterialSet> materials;
  THostRef<IKXTreeElement> element;
  scene.GetInstance(fromScene.Out(), 0);
  mark(THostNull::Instance, !fromScene);
  instance->GetObject(object.Out());
  mark(THostNull::Object, !object);
  instance->GetMeshHolder(holder.Out());
  mark(THostNull::MeshHolder, !holder);
  instance->GetMaterialSet(materials.Out());
  mark(THostNull::MaterialSet, !materials);
  instance->QueryInterface(kKXIIDTreeElement, element.Slot());
  mark(THostNull::TreeElementQuery, !element);
  box.TreeElement()->QueryInterface(kKXIIDInstance, probe.Slot());
  mark(THostNull::InstanceQuery, !probe);

  if (materials) {
    THostRef<IKXDomainMap> map;
    materials->GetDomainMap(map.Out());
    mark(THostNull::DomainMap, !map);
    if (map) {
      const std::int32_t domain = 2, zero = 0;
      THostRef<IKXDomainMaterial> material;
      THostRef<IKXTexture> texture;
      map->GetDomainMaterial(&domain, &zero, material.Out());
      material->GetTexture(texture.Out(), nullptr);
      mark(THostNull::Texture, !texture);
    }
  }
  THostRef<IKXUnknown> mesh = MeshOf(instance);
  if (!mesh) return nulls;
  THostRef<IKXPolygonGroupList> groups;
  mark(THostNull::MeshQuery, mesh->QueryInterface(kKXIIDMesh, meshPart.Slot()) != kKXOk);
  mesh->QueryInterface(kKXIIDPolygonGroupList, groups.Slot());
  mark(THostNull::GroupListQuery, !groups);
  if (!groups) return nulls;
  THostRef<IKXPolygonGroup> group;
  groups->GetGroup(group.Out(), 0);
  mark(THostNull::Group, !group);
  if (!group) return nulls;
  IKXPolygon* polygon = group->GetPolygon(0);
  mark(THostNull::Polygon, !polygon);
  if (polygon) mark(THostNull::Vertex, !polygon->GetVertex(0));
  return nulls;
}

TEST(THostSceneTest, EachNullSwitchEmptiesItsOwnAnswerOnly) {
  {
    THostScene scene;
    EXPECT_TRUE(NullAnswers(scene, AddBox(scene)).none());
  }
  for (std::size_t i = 0; i < kNullCount; ++i) {
    THostScene scene;
    THostInstance& box = AddBox(scene);
    box.AnswerNull(static_cast<THostNull>(i));
    std::bitset<kNullCount> expected;
    expected.set(i);
    EXPECT_EQ(NullAnswers(scene, box), expected) << "switch " << i;
    EXPECT_EQ(scene.OutstandingReferences(), 0) << "switch " << i;
    EXPECT_EQ(scene.Underflows(), 0) << "switch " << i;
  }
}

}  // namespace
