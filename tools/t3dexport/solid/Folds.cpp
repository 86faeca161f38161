#include "Folds.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "EdgeTable.h"

namespace {

std::vector<std::uint32_t> SortedRing(const BrushMesh& mesh, std::size_t p) {
  std::vector<std::uint32_t> ring(mesh.Ring(p), mesh.Ring(p) + mesh.Size(p));
  std::sort(ring.begin(), ring.end());
  return ring;
}

// Whether another polygon than the two of the fold meets `p` along one of its edges.
bool Attached(const BrushMesh& mesh, const EdgeTable& edges, std::size_t p) {
  for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
    const std::uint32_t a = edges.From(c), b = edges.To(c);
    const EdgeTable::Edge edge = edges.Between(a, b);
    if (edge.forward + edge.backward > 2) return true;
  }
  return false;
}

}  // namespace

std::uint64_t RemoveFolds(BrushMesh& mesh) {
  // Polygons sorted by a hash of their point sets: a fold's two polygons fall side by side.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(mesh.PolygonCount());
  for (std::uint32_t p = 0; p < keyed.size(); ++p) {
    // Order-free: a sum and a sum of squares of the points, mixed.
    std::uint64_t sum = 0, squares = 0;
    for (std::uint32_t k = 0; k < mesh.Size(p); ++k) {
      const std::uint64_t point = mesh.Ring(p)[k];
      sum += point;
      squares += point * point;
    }
    keyed[p] = {(sum * 0x9E3779B97F4A7C15ull) ^ (squares + mesh.Size(p)), p};
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<char> remove(mesh.PolygonCount(), 0);
  std::optional<EdgeTable> edges;  // made at the first fold: most brushes have none
  std::uint64_t removed = 0;
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    for (std::size_t j = i + 1; j < keyed.size() && keyed[j].first == keyed[i].first; ++j) {
      const std::uint32_t p = keyed[i].second, q = keyed[j].second;
      if (remove[p] || remove[q] || SortedRing(mesh, p) != SortedRing(mesh, q)) continue;
      remove[q] = 1;
      if (!edges) edges.emplace(mesh);
      remove[p] = Attached(mesh, *edges, p);
      removed += 1 + static_cast<std::uint64_t>(remove[p]);
    }
  }
  if (removed == 0) return 0;
  BrushMesh result = mesh.EmptyCopy();
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    if (!remove[p]) result.AddLike(mesh.Ring(p), mesh.Size(p), mesh, p, true);
  }
  mesh = std::move(result);
  return removed;
}
