#include "Junctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "EdgeTable.h"

namespace {

// Rounds of closing: a point put in may uncover another junction beside it.
constexpr int kMostRounds = 8;

struct Insertion {
  std::uint32_t corner;  // the edge that takes the point
  double along;          // how far along it, for the order of several
  std::uint32_t point;
};

// Whether `q` lies strictly inside the segment from `a` to `b`. Exact for whole numbers up to
// the grid's limit: every product below is exact in a double.
bool Inside(const Vector3d& a, const Vector3d& b, const Vector3d& q, double& along) {
  const Vector3d ab = b - a, aq = q - a;
  const Vector3d c = Cross(ab, aq);
  if (c.x != 0 || c.y != 0 || c.z != 0) return false;
  const double dot = Dot(aq, ab), length = Dot(ab, ab);
  along = dot / length;
  return dot > 0 && dot < length;
}

// The endpoints of the edges without a partner, bucketed on a grid of cells as large as those
// edges are long on average, so an edge meets only the points near it.
class EndpointGrid {
 public:
  EndpointGrid(const BrushMesh& mesh, const std::vector<std::uint32_t>& points, double cell)
      : points_(points), cell_(cell) {
    for (const std::uint32_t p : points) cells_[Key(Cell(mesh.points[p]))].push_back(p);
  }

  template <class Visit>
  void ForNear(const Vector3d& a, const Vector3d& b, const Visit& visit) const {
    const Vector3d low{std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
    const Vector3d high{std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
    const auto lo = Cell(low), hi = Cell(high);
    const double cells = double(hi[0] - lo[0] + 1) * double(hi[1] - lo[1] + 1) * double(hi[2] - lo[2] + 1);
    if (cells > static_cast<double>(points_.size())) {
      for (const std::uint32_t p : points_) visit(p);
      return;
    }
    for (std::int64_t x = lo[0]; x <= hi[0]; ++x)
      for (std::int64_t y = lo[1]; y <= hi[1]; ++y)
        for (std::int64_t z = lo[2]; z <= hi[2]; ++z) {
          const auto found = cells_.find(Key({x, y, z}));
          if (found == cells_.end()) continue;
          for (const std::uint32_t p : found->second) visit(p);
        }
  }

 private:
  using Cell3 = std::array<std::int64_t, 3>;
  Cell3 Cell(const Vector3d& p) const {
    return {static_cast<std::int64_t>(std::floor(p.x / cell_)),
            static_cast<std::int64_t>(std::floor(p.y / cell_)),
            static_cast<std::int64_t>(std::floor(p.z / cell_))};
  }
  static std::uint64_t Key(const Cell3& c) {
    return static_cast<std::uint64_t>(c[0]) * 0x9E3779B97F4A7C15ull ^
           static_cast<std::uint64_t>(c[1]) * 0xC2B2AE3D27D4EB4Full ^
           static_cast<std::uint64_t>(c[2]) * 0x165667B19E3779F9ull;
  }

  const std::vector<std::uint32_t>& points_;
  double cell_;
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
};

bool InRing(const BrushMesh& mesh, std::size_t polygon, std::uint32_t point) {
  const std::uint32_t* ring = mesh.Ring(polygon);
  return std::find(ring, ring + mesh.Size(polygon), point) != ring + mesh.Size(polygon);
}

std::vector<Insertion> FindInsertions(const BrushMesh& mesh, const EdgeTable& edges) {
  std::vector<std::uint32_t> open, ends;
  double length = 0;
  for (std::uint32_t c = 0; c < mesh.corners.size(); ++c) {
    const std::uint32_t a = edges.From(c), b = edges.To(c);
    if (a == b || edges.Find(b, a) != EdgeTable::kNone) continue;
    open.push_back(c);
    ends.push_back(a);
    ends.push_back(b);
    length += std::sqrt(Dot(mesh.points[b] - mesh.points[a], mesh.points[b] - mesh.points[a]));
  }
  std::vector<Insertion> insertions;
  if (open.empty()) return insertions;
  std::sort(ends.begin(), ends.end());
  ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
  const EndpointGrid grid(mesh, ends, std::max(1.0, length / static_cast<double>(open.size())));
  for (const std::uint32_t c : open) {
    const std::uint32_t a = edges.From(c), b = edges.To(c);
    grid.ForNear(mesh.points[a], mesh.points[b], [&](std::uint32_t q) {
      double along = 0;
      if (q != a && q != b && Inside(mesh.points[a], mesh.points[b], mesh.points[q], along) &&
          !InRing(mesh, edges.PolygonOf(c), q))
        insertions.push_back({c, along, q});
    });
  }
  std::sort(insertions.begin(), insertions.end(), [](const Insertion& x, const Insertion& y) {
    return x.corner != y.corner ? x.corner < y.corner : x.along < y.along;
  });
  return insertions;
}

BrushMesh WithInsertions(const BrushMesh& mesh, const std::vector<Insertion>& insertions) {
  BrushMesh result = mesh.EmptyCopy();
  std::vector<std::uint32_t> ring;
  auto next = insertions.begin();
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    ring.clear();
    bool changed = false;
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
      ring.push_back(mesh.corners[c]);
      for (; next != insertions.end() && next->corner == c; ++next) {
        ring.push_back(next->point);
        changed = true;
      }
    }
    result.AddLike(ring.data(), ring.size(), mesh, p, !changed);
  }
  return result;
}

}  // namespace

std::uint64_t CloseJunctions(BrushMesh& mesh) {
  std::uint64_t inserted = 0;
  for (int round = 0; round < kMostRounds; ++round) {
    const EdgeTable edges(mesh);
    const std::vector<Insertion> insertions = FindInsertions(mesh, edges);
    if (insertions.empty()) break;
    mesh = WithInsertions(mesh, insertions);
    inserted += insertions.size();
  }
  return inserted;
}
