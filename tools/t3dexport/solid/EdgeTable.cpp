#include "EdgeTable.h"

EdgeTable::EdgeTable(const BrushMesh& mesh)
    : mesh_(mesh), polygonOf_(mesh.corners.size()), firstLeaving_(mesh.points.size() + 1, 0) {
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
      polygonOf_[c] = static_cast<std::uint32_t>(p);
    }
  }
  // Corners grouped by their point: a count, running sums, then each corner in its place.
  for (const std::uint32_t point : mesh.corners) ++firstLeaving_[point + 1];
  for (std::size_t i = 1; i < firstLeaving_.size(); ++i) firstLeaving_[i] += firstLeaving_[i - 1];
  std::vector<std::uint32_t> next(firstLeaving_.begin(), firstLeaving_.end() - 1);
  leaving_.resize(mesh.corners.size());
  leavingTo_.resize(mesh.corners.size());
  for (std::uint32_t c = 0; c < mesh.corners.size(); ++c) {
    const std::uint32_t slot = next[mesh.corners[c]]++;
    leaving_[slot] = c;
    leavingTo_[slot] = To(c);
  }
}

std::uint32_t EdgeTable::To(std::uint32_t corner) const {
  const std::uint32_t polygon = polygonOf_[corner];
  return mesh_.corners[corner + 1 == mesh_.starts[polygon + 1] ? mesh_.starts[polygon] : corner + 1];
}

std::uint32_t EdgeTable::Find(std::uint32_t a, std::uint32_t b) const {
  for (std::uint32_t i = firstLeaving_[a]; i < firstLeaving_[a + 1]; ++i) {
    if (leavingTo_[i] == b) return leaving_[i];
  }
  return kNone;
}

std::uint32_t EdgeTable::Count(std::uint32_t a, std::uint32_t b) const {
  std::uint32_t found = 0;
  for (std::uint32_t i = firstLeaving_[a]; i < firstLeaving_[a + 1]; ++i) found += leavingTo_[i] == b;
  return found;
}

EdgeTable::Edge EdgeTable::Between(std::uint32_t a, std::uint32_t b) const {
  Edge edge;
  edge.forward = Count(a, b);
  for (std::uint32_t i = firstLeaving_[b]; i < firstLeaving_[b + 1]; ++i) {
    if (leavingTo_[i] != a) continue;
    if (edge.backward++ == 0) edge.back = leaving_[i];
  }
  return edge;
}
