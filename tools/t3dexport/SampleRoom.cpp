#include "SampleRoom.h"

#include <iterator>

#include "BrushScene.h"

namespace {

struct Box {
  const char* name;
  MapPoint centre;
  MapPoint size;
  std::uint32_t sideMaterial;
  std::uint32_t topMaterial;
};

const char* const kMaterials[] = {"Concrete", "FloorTiles", "Brick", "Marble", "Wood",
                                  "WoodPlanks"};

constexpr Box kBoxes[] = {
    {"Floor", {0, 0, -16}, {1024, 1024, 32}, 0, 1},
    {"WallNorth", {0, 528, 192}, {1088, 32, 384}, 2, 0},
    {"WallSouth", {0, -528, 192}, {1088, 32, 384}, 2, 0},
    {"WallEast", {528, 0, 192}, {32, 1024, 384}, 2, 0},
    {"WallWest", {-528, 0, 192}, {32, 1024, 384}, 2, 0},
    {"PillarA", {-256, 256, 160}, {64, 64, 320}, 3, 3},
    {"PillarB", {256, 256, 160}, {64, 64, 320}, 3, 3},
    {"Step", {0, -384, 16.5}, {256, 128, 33}, 4, 5},
};

}  // namespace

std::size_t SampleRoom::ObjectCount() const { return std::size(kBoxes); }

std::string SampleRoom::ObjectName(std::size_t object) const { return kBoxes[object].name; }

// Each face's points turn so that their Newell normal in map axes points into the box, as a
// model's faces do once in map axes; the map then shows every face outwards.
void SampleRoom::VisitFaces(std::size_t object, const FaceVisitor& visit) const {
  const Box& box = kBoxes[object];
  const double cx = box.centre.x, cy = box.centre.y, cz = box.centre.z;
  const double x = box.size.x / 2, y = box.size.y / 2, z = box.size.z / 2;
  const auto at = [&](double dx, double dy, double dz) { return MapPoint{cx + dx, cy + dy, cz + dz}; };
  const MapPoint faces[6][4] = {
      {at(-x, -y, -z), at(-x, y, -z), at(-x, y, z), at(-x, -y, z)},
      {at(x, -y, -z), at(x, -y, z), at(x, y, z), at(x, y, -z)},
      {at(-x, -y, -z), at(-x, -y, z), at(x, -y, z), at(x, -y, -z)},
      {at(-x, y, -z), at(x, y, -z), at(x, y, z), at(-x, y, z)},
      {at(-x, -y, z), at(-x, y, z), at(x, y, z), at(x, -y, z)},
      {at(-x, -y, -z), at(x, -y, -z), at(x, y, -z), at(-x, y, -z)},
  };
  for (int f = 0; f < 6; ++f) {
    visit({faces[f], 4, f < 4 ? box.sideMaterial : box.topMaterial});
  }
}

std::size_t SampleRoom::MaterialCount() const { return std::size(kMaterials); }

std::string SampleRoom::MaterialName(std::size_t material) const { return kMaterials[material]; }

SampleMap::SampleMap() : plan(PlanMap(SampleRoom(), PlanOptions{})) {
  AddPlanToScene(plan, PlanOptions{}.defaultTexture, scene);
}
