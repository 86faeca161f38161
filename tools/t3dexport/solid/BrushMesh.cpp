#include "BrushMesh.h"

void BrushMesh::Add(const std::uint32_t* ring, std::size_t count, std::uint32_t material,
                    std::uint32_t tag, std::uint32_t mapping) {
  corners.insert(corners.end(), ring, ring + count);
  starts.push_back(static_cast<std::uint32_t>(corners.size()));
  materials.push_back(material);
  tags.push_back(tag);
  mappings.push_back(mapping);
}

void BrushMesh::Reserve(std::size_t polygons, std::size_t cornerCount) {
  corners.reserve(cornerCount);
  starts.reserve(polygons + 1);
  materials.reserve(polygons);
  tags.reserve(polygons);
  mappings.reserve(polygons);
}

BrushMesh BrushMesh::EmptyCopy() const {
  BrushMesh copy;
  copy.points = points;
  return copy;
}

Vector3d NewellNormal(const BrushMesh& mesh, std::size_t polygon) {
  const std::uint32_t n = mesh.Size(polygon);
  const Vector3d& origin = mesh.At(polygon, 0);
  Vector3d normal{0, 0, 0};
  for (std::uint32_t k = 0; k < n; ++k) {
    const Vector3d a = mesh.At(polygon, k) - origin;
    const Vector3d b = mesh.At(polygon, k + 1 == n ? 0 : k + 1) - origin;
    normal = normal + Vector3d{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x),
                           (a.x - b.x) * (a.y + b.y)};
  }
  return normal;
}
