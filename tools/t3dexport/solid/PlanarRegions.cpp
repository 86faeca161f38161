#include "PlanarRegions.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "EdgeTable.h"
#include "GridGeometry.h"
#include "PolygonRepair.h"

namespace {

GridPoint OnGrid(const Vector3d& p) {
  return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z)};
}

// Polygons joined where they share an edge run once each way, have one material and are allowed.
class Regions {
 public:
  Regions(const BrushMesh& mesh, const EdgeTable& edges, const MergeFilter& mayMerge)
      : parent_(mesh.PolygonCount()) {
    std::vector<Vector3d> normals(mesh.PolygonCount());
    for (std::uint32_t p = 0; p < parent_.size(); ++p) {
      parent_[p] = p;
      normals[p] = Normalised(NewellNormal(mesh, p));
    }
    for (std::uint32_t c = 0; c < mesh.corners.size(); ++c) {
      const std::uint32_t a = edges.From(c), b = edges.To(c);
      if (a >= b) continue;
      const EdgeTable::Edge edge = edges.Between(a, b);
      if (!edge.Paired()) continue;
      const std::uint32_t p = edges.PolygonOf(c), q = edges.PolygonOf(edge.back);
      if (p == q || mesh.materials[p] != mesh.materials[q] || (mayMerge && !mayMerge(p, q))) continue;
      if (Dot(normals[p], normals[q]) < 0.98) continue;
      parent_[Root(p)] = Root(q);
    }
  }
  std::uint32_t Root(std::uint32_t p) {
    while (parent_[p] != p) p = parent_[p] = parent_[parent_[p]];
    return p;
  }

 private:
  std::vector<std::uint32_t> parent_;
};

// The outline of a region: its edges that no other polygon of it runs back along, chained into
// one ring. False when they make more than one ring or a ring that meets itself.
bool Outline(const BrushMesh& mesh, const EdgeTable& edges, const std::vector<std::uint32_t>& region,
             const std::vector<char>& member, std::vector<std::uint32_t>& ring) {
  std::map<std::uint32_t, std::uint32_t> next;
  for (const std::uint32_t p : region) {
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
      const std::uint32_t a = edges.From(c), b = edges.To(c);
      const std::uint32_t back = edges.Find(b, a);
      if (back != EdgeTable::kNone && member[edges.PolygonOf(back)]) continue;
      if (!next.emplace(a, b).second) return false;
    }
  }
  if (next.size() < 3) return false;
  ring.clear();
  std::uint32_t at = next.begin()->first;
  do {
    ring.push_back(at);
    const auto found = next.find(at);
    if (found == next.end() || ring.size() > next.size()) return false;
    at = found->second;
  } while (at != ring.front());
  return ring.size() == next.size();
}

// Convex pieces of a simple ring, projected to exact plane coordinates, turning left.
class Recutter {
 public:
  explicit Recutter(const std::vector<Point2>& flat) : flat_(flat) {}

  /// Cuts the ring of indices `ring` into convex pieces, added to `pieces`.
  void Cut(const std::vector<std::uint32_t>& ring, std::vector<std::vector<std::uint32_t>>& pieces) const;

 private:
  Point2 At(const std::vector<std::uint32_t>& r, std::size_t i) const { return flat_[r[i % r.size()]]; }
  bool Reflex(const std::vector<std::uint32_t>& r, std::size_t i) const {
    const std::size_t n = r.size();
    return Orient(At(r, i + n - 1), At(r, i), At(r, i + 1)) < 0;
  }
  bool Diagonal(const std::vector<std::uint32_t>& r, std::size_t i, std::size_t j) const;
  /// How good a cut from reflex corner i to j is: -1 when it leaves i reflex, else 1, and 2 when
  /// it also resolves a reflex j.
  int Worth(const std::vector<std::uint32_t>& r, std::size_t i, std::size_t j) const;

  const std::vector<Point2>& flat_;
};

bool Recutter::Diagonal(const std::vector<std::uint32_t>& r, std::size_t i, std::size_t j) const {
  const std::size_t n = r.size();
  if ((i + 1) % n == j || (j + 1) % n == i || i == j) return false;
  const Point2 a = At(r, i), b = At(r, j);
  // Within the corner at i.
  const Point2 before = At(r, i + n - 1), after = At(r, i + 1);
  const bool inCone = Orient(before, a, after) >= 0
                          ? Orient(a, b, before) > 0 && Orient(b, a, after) > 0
                          : !(Orient(a, b, after) >= 0 && Orient(b, a, before) >= 0);
  if (!inCone) return false;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t l = (k + 1) % n;
    if (k == i || k == j || l == i || l == j) continue;
    const Point2 c = At(r, k), d = At(r, l);
    const std::int64_t o1 = Orient(a, b, c), o2 = Orient(a, b, d), o3 = Orient(c, d, a), o4 = Orient(c, d, b);
    if (((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0))) return false;
    // A corner on the cut.
    if (o1 == 0 && (c.u - a.u) * (c.u - b.u) + (c.v - a.v) * (c.v - b.v) <= 0) return false;
  }
  return true;
}

int Recutter::Worth(const std::vector<std::uint32_t>& r, std::size_t i, std::size_t j) const {
  const std::size_t n = r.size();
  const Point2 a = At(r, i), b = At(r, j);
  if (Orient(b, a, At(r, i + 1)) < 0 || Orient(At(r, i + n - 1), a, b) < 0) return -1;
  const bool resolvesJ = Reflex(r, j) && Orient(a, b, At(r, j + 1)) >= 0 && Orient(At(r, j + n - 1), b, a) >= 0;
  return resolvesJ ? 2 : 1;
}

void Recutter::Cut(const std::vector<std::uint32_t>& ring,
                   std::vector<std::vector<std::uint32_t>>& pieces) const {
  const std::size_t n = ring.size();
  std::size_t reflex = n;
  for (std::size_t i = 0; i < n && reflex == n; ++i) {
    if (Reflex(ring, i)) reflex = i;
  }
  if (reflex == n) {
    pieces.push_back(ring);
    return;
  }
  std::size_t best = n;
  int bestWorth = -2;
  for (std::size_t j = 0; j < n; ++j) {
    if (!Diagonal(ring, reflex, j)) continue;
    const int worth = Worth(ring, reflex, j);
    if (worth > bestWorth) {
      bestWorth = worth;
      best = j;
    }
  }
  if (best == n) {
    pieces.push_back(ring);  // no cut found: the caller keeps the region as it was
    return;
  }
  std::vector<std::uint32_t> first, second;
  for (std::size_t k = reflex;; k = (k + 1) % n) {
    first.push_back(ring[k]);
    if (k == best) break;
  }
  for (std::size_t k = best;; k = (k + 1) % n) {
    second.push_back(ring[k]);
    if (k == reflex) break;
  }
  Cut(first, pieces);
  Cut(second, pieces);
}

bool AllConvex(const std::vector<Point2>& flat, const std::vector<GridPoint>& points,
               const Vector3d& unit, const std::vector<std::vector<std::uint32_t>>& pieces) {
  std::vector<Point2> ring;
  std::vector<GridPoint> corners;
  for (const std::vector<std::uint32_t>& piece : pieces) {
    ring.clear();
    corners.clear();
    for (const std::uint32_t k : piece) {
      ring.push_back(flat[k]);
      corners.push_back(points[k]);
    }
    if (!IsConvex(ring.data(), ring.size()) ||
        !ConvexInItsPlane(corners.data(), corners.size(), unit, BrushRepair::kStraightness)) {
      return false;
    }
  }
  return true;
}

// Whether every point of the region's polygons lies within `flatness` of the others along `unit`.
bool Flat(const BrushMesh& mesh, const std::vector<std::uint32_t>& region, const Vector3d& unit,
          double flatness) {
  std::vector<GridPoint> points;
  for (const std::uint32_t p : region) {
    for (std::uint32_t k = 0; k < mesh.Size(p); ++k) points.push_back(OnGrid(mesh.At(p, k)));
  }
  return Thickness(points.data(), points.size(), unit) <= flatness;
}

// The region's outline cut into convex pieces, as rings of the mesh's points; none when that
// does not give fewer polygons than the region has.
std::vector<std::vector<std::uint32_t>> Recut(const BrushMesh& mesh, const std::vector<std::uint32_t>& region,
                                              const std::vector<std::uint32_t>& outline, double flatness) {
  std::vector<GridPoint> points;
  for (const std::uint32_t p : outline) points.push_back(OnGrid(mesh.points[p]));
  const Vector3d normal = NewellNormal(points.data(), points.size());
  if ((normal.x == 0 && normal.y == 0 && normal.z == 0) || !Flat(mesh, region, Normalised(normal), flatness)) {
    return {};
  }
  const PlaneProjection project(normal);
  std::vector<Point2> flat;
  for (const GridPoint& g : points) flat.push_back(project(g));
  std::vector<std::uint32_t> ring(outline.size());
  for (std::uint32_t k = 0; k < ring.size(); ++k) ring[k] = k;
  std::vector<std::vector<std::uint32_t>> pieces;
  Recutter(flat).Cut(ring, pieces);
  if (pieces.size() >= region.size() || !AllConvex(flat, points, Normalised(normal), pieces)) return {};
  for (std::vector<std::uint32_t>& piece : pieces) {
    for (std::uint32_t& k : piece) k = outline[k];
  }
  return pieces;
}

}  // namespace

std::uint64_t RecutPlanarRegions(BrushMesh& mesh, double flatness, const MergeFilter& mayMerge) {
  const EdgeTable edges(mesh);
  Regions regions(mesh, edges, mayMerge);
  // Polygons by region: sorted by their region's root.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> byRegion(mesh.PolygonCount());
  for (std::uint32_t p = 0; p < mesh.PolygonCount(); ++p) byRegion[p] = {regions.Root(p), p};
  std::sort(byRegion.begin(), byRegion.end());
  std::vector<char> member(mesh.PolygonCount(), 0), replaced(mesh.PolygonCount(), 0);
  std::map<std::uint32_t, std::vector<std::vector<std::uint32_t>>> recut;
  std::vector<std::uint32_t> outline, region;
  std::uint64_t fewer = 0;
  for (std::size_t i = 0, end; i < byRegion.size(); i = end) {
    region.clear();
    for (end = i; end < byRegion.size() && byRegion[end].first == byRegion[i].first; ++end)
      region.push_back(byRegion[end].second);
    if (region.size() < 2) continue;
    for (const std::uint32_t p : region) member[p] = 1;
    if (Outline(mesh, edges, region, member, outline)) {
      std::vector<std::vector<std::uint32_t>> pieces = Recut(mesh, region, outline, flatness);
      if (!pieces.empty()) {
        for (const std::uint32_t p : region) replaced[p] = 1;
        fewer += region.size() - pieces.size();
        recut[region.front()] = std::move(pieces);
      }
    }
    for (const std::uint32_t p : region) member[p] = 0;
  }
  if (fewer == 0) return 0;
  BrushMesh result = mesh.EmptyCopy();
  for (std::uint32_t p = 0; p < mesh.PolygonCount(); ++p) {
    const auto pieces = recut.find(p);
    if (pieces != recut.end()) {
      for (const std::vector<std::uint32_t>& piece : pieces->second)
        result.AddLike(piece.data(), piece.size(), mesh, p, false);
    }
    if (!replaced[p]) result.AddLike(mesh.Ring(p), mesh.Size(p), mesh, p, true);
  }
  mesh = std::move(result);
  return fewer;
}
