#include "BenchScene.h"

#include <cmath>
#include <string>

namespace {

constexpr int kColumns = 256;
constexpr float kCell = 8.0f;
constexpr std::int16_t kDomains = 4;

// A gently rolling height field, so that coordinates and normals vary from polygon to polygon.
TKXVector3 GridPoint(int column, int row) {
  const float x = static_cast<float>(column) * kCell;
  const float y = static_cast<float>(row) * kCell;
  return {x, y, 40.0f * std::sin(x * 0.05f) * std::cos(y * 0.03f)};
}

TKXVector3 UnitNormal(const TKXVector3& a, const TKXVector3& b, const TKXVector3& c) {
  const TKXVector3 u{b.x - a.x, b.y - a.y, b.z - a.z};
  const TKXVector3 v{c.x - a.x, c.y - a.y, c.z - a.z};
  const TKXVector3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
  const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  return {n.x / length, n.y / length, n.z / length};
}

void Add(TArrayGroup& group, std::initializer_list<TKXVector3> corners) {
  const TKXVector3* c = corners.begin();
  group.Add(corners, UnitNormal(c[0], c[1], c[2]),
            static_cast<std::int16_t>(group.Count() % kDomains));
}

void AddQuads(TArrayGroup& group, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) {
    const int c = static_cast<int>(i % kColumns);
    const int r = static_cast<int>(i / kColumns);
    Add(group,
        {GridPoint(c, r), GridPoint(c + 1, r), GridPoint(c + 1, r + 1), GridPoint(c, r + 1)});
  }
}

// Two triangles per cell, on a grid beside the quads' one.
void AddTriangles(TArrayGroup& group, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) {
    const int c = static_cast<int>(i / 2 % kColumns) + kColumns + 4;
    const int r = static_cast<int>(i / 2 / kColumns);
    if (i % 2 == 0) {
      Add(group, {GridPoint(c, r), GridPoint(c + 1, r), GridPoint(c + 1, r + 1)});
    } else {
      Add(group, {GridPoint(c, r), GridPoint(c + 1, r + 1), GridPoint(c, r + 1)});
    }
  }
}

// Instances side by side; every other one turned a quarter about Z, one scaled.
TKXTransform Placement(int index) {
  TKXTransform t;
  t.translation = {static_cast<float>(index % 4) * 9000.0f - 18000.0f,
                   static_cast<float>(index / 4) * 9000.0f - 9000.0f,
                   static_cast<float>(index) * 16.0f};
  if (index % 2 == 1) {
    const float quarter[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) t.linear[i] = quarter[i];
  }
  if (index == 5) t.scale = 1.5f;
  return t;
}

}  // namespace

TBenchScene::TBenchScene(std::uint64_t polygons) : instances_(kInstances) {
  for (int i = 0; i < kInstances; ++i) {
    TArrayInstance& instance = instances_[static_cast<std::size_t>(i)];
    const auto index = static_cast<std::uint64_t>(i);
    const std::uint64_t share = polygons / kInstances + (index < polygons % kInstances ? 1 : 0);
    instance.name = "Mesh" + std::to_string(i);
    instance.transform = Placement(i);
    instance.defaultName = "Default";
    instance.textures = {{1, "Brick"}, {2, "Stone"}};
    instance.keepsPrevious = 3;
    AddQuads(instance.groups.emplace_back(), share / 2);
    AddTriangles(instance.groups.emplace_back(), share - share / 2);
    instance.AddTo(host_);
    for (const TArrayGroup& group : instance.groups) {
      polygons_ += group.Count();
      vertexLines_ += group.points.size();
    }
  }
}
