#include "StraightVertices.h"

#include <vector>

namespace {

// Whether `b` lies strictly between `a` and `c` on the line through them. Exact for whole numbers.
bool Between(const Vector3d& a, const Vector3d& b, const Vector3d& c) {
  const Vector3d ab = b - a, bc = c - b;
  const Vector3d cross = Cross(ab, bc);
  return cross.x == 0 && cross.y == 0 && cross.z == 0 && Dot(ab, bc) > 0;
}

}  // namespace

std::uint64_t RemoveStraightVertices(BrushMesh& mesh) {
  // A point stays when any polygon turns at it.
  std::vector<char> keep(mesh.points.size(), 0), used(mesh.points.size(), 0);
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const std::uint32_t n = mesh.Size(p);
    for (std::uint32_t k = 0; k < n; ++k) {
      const std::uint32_t point = mesh.Ring(p)[k];
      used[point] = 1;
      if (n <= 3 || !Between(mesh.At(p, (k + n - 1) % n), mesh.points[point], mesh.At(p, (k + 1) % n)))
        keep[point] = 1;
    }
  }
  std::uint64_t removed = 0;
  for (std::size_t i = 0; i < keep.size(); ++i) removed += used[i] && !keep[i];
  if (removed == 0) return 0;
  BrushMesh result = mesh.EmptyCopy();
  std::vector<std::uint32_t> ring;
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    ring.clear();
    for (std::uint32_t k = 0; k < mesh.Size(p); ++k) {
      if (keep[mesh.Ring(p)[k]]) ring.push_back(mesh.Ring(p)[k]);
    }
    result.AddLike(ring.data(), ring.size(), mesh, p, ring.size() == mesh.Size(p));
  }
  mesh = std::move(result);
  return removed;
}
