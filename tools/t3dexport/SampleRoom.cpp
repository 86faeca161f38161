#include "SampleRoom.h"

#include <iterator>


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
SourceFace SampleRoom::Face(std::size_t object, std::size_t face, MapPoint* out,
                            std::size_t capacity, ModelUv*) const {
  const Box& box = kBoxes[object];
  const std::uint32_t material = face < 4 ? box.sideMaterial : box.topMaterial;
  if (capacity < 4) return {out, 0, material};
  const double x = box.size.x / 2, y = box.size.y / 2, z = box.size.z / 2;
  // The corners of each face as signs of the half sizes.
  static constexpr signed char kCorners[6][4][3] = {
      {{-1, -1, -1}, {-1, 1, -1}, {-1, 1, 1}, {-1, -1, 1}},
      {{1, -1, -1}, {1, -1, 1}, {1, 1, 1}, {1, 1, -1}},
      {{-1, -1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, -1, -1}},
      {{-1, 1, -1}, {1, 1, -1}, {1, 1, 1}, {-1, 1, 1}},
      {{-1, -1, 1}, {-1, 1, 1}, {1, 1, 1}, {1, -1, 1}},
      {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}},
  };
  for (int i = 0; i < 4; ++i) {
    const signed char* sign = kCorners[face][i];
    out[i] = {box.centre.x + sign[0] * x, box.centre.y + sign[1] * y, box.centre.z + sign[2] * z};
  }
  return {out, 4, material};
}

void SampleRoom::VisitFaces(std::size_t object, const FaceVisitor& visit) const {
  MapPoint points[4];
  for (std::size_t f = 0; f < 6; ++f) visit(Face(object, f, points, 4));
}

std::size_t SampleRoom::MaterialCount() const { return std::size(kMaterials); }

std::string SampleRoom::MaterialName(std::size_t material) const { return kMaterials[material]; }

SampleMap::SampleMap()
    : plan(PlanMap(room, PlanOptions{})),
      map(room, plan, PlanOptions{}.defaultTexture),
      scene(map.Scene()) {}
