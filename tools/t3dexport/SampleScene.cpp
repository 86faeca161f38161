#include "SampleScene.h"

#include <string>

#include "THostScene.h"

namespace {

struct Box {
  const char* name;
  TKXVector3 position;  // world position of the box's centre
  TKXVector3 size;
  const char* sideTexture;
  const char* topTexture;
};

constexpr std::int16_t kSideDomain = 1;
constexpr std::int16_t kTopDomain = 2;

// Six quads around the origin; the transform places the box in the world.
void AddBoxFaces(THostInstance& instance, const TKXVector3& size) {
  const float x = size.x / 2, y = size.y / 2, z = size.z / 2;
  THostPolygonGroup& sides = instance.AddGroup();
  sides.AddPolygon({{-x, -y, -z}, {-x, y, -z}, {-x, y, z}, {-x, -y, z}}, {-1, 0, 0}, kSideDomain);
  sides.AddPolygon({{x, -y, -z}, {x, -y, z}, {x, y, z}, {x, y, -z}}, {1, 0, 0}, kSideDomain);
  sides.AddPolygon({{-x, -y, -z}, {-x, -y, z}, {x, -y, z}, {x, -y, -z}}, {0, -1, 0}, kSideDomain);
  sides.AddPolygon({{-x, y, -z}, {x, y, -z}, {x, y, z}, {-x, y, z}}, {0, 1, 0}, kSideDomain);
  THostPolygonGroup& caps = instance.AddGroup();
  caps.AddPolygon({{-x, -y, z}, {-x, y, z}, {x, y, z}, {x, -y, z}}, {0, 0, 1}, kTopDomain);
  caps.AddPolygon({{-x, -y, -z}, {x, -y, -z}, {x, y, -z}, {-x, y, -z}}, {0, 0, -1}, kTopDomain);
}

void AddBox(THostScene& scene, const Box& box) {
  TKXTransform placement;
  placement.translation = box.position;
  THostInstance& instance = scene.AddInstance(box.name);
  instance.SetTransform(placement).SetReferencePoint({0, 0, 0}).SetDefaultMaterialName("Default");
  instance.SetDomainTexture(kSideDomain, box.sideTexture);
  instance.SetDomainTexture(kTopDomain, box.topTexture);
  AddBoxFaces(instance, box.size);
}

}  // namespace

void BuildSampleScene(THostScene& scene) {
  const Box boxes[] = {
      {"Floor", {0, 0, -16}, {1024, 1024, 32}, "Concrete", "FloorTiles"},
      {"WallNorth", {0, 528, 192}, {1088, 32, 384}, "Brick", "Concrete"},
      {"WallSouth", {0, -528, 192}, {1088, 32, 384}, "Brick", "Concrete"},
      {"WallEast", {528, 0, 192}, {32, 1024, 384}, "Brick", "Concrete"},
      {"WallWest", {-528, 0, 192}, {32, 1024, 384}, "Brick", "Concrete"},
      {"PillarA", {-256, 256, 160}, {64, 64, 320}, "Marble", "Marble"},
      {"PillarB", {256, 256, 160}, {64, 64, 320}, "Marble", "Marble"},
      {"Step", {0, -384, 16.5f}, {256, 128, 33}, "Wood", "WoodPlanks"},
  };
  for (const Box& box : boxes) AddBox(scene, box);
}
