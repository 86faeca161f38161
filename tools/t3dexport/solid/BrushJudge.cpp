#include "BrushJudge.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this many point and plane pairs every point is measured against every plane; above,
// the farthest point in front of a plane is found by walking the edges uphill.
constexpr double kMostPairsMeasured = 4e7;

struct Plane {
  Vector3d normal;  // unit; zero for a polygon without area
  double offset;

  double Distance(const Vector3d& p) const { return Dot(normal, p) - offset; }
};

Plane PlaneOf(const BrushMesh& mesh, std::size_t polygon) {
  const Vector3d normal = Normalised(NewellNormal(mesh, polygon));
  Vector3d sum{0, 0, 0};
  const std::uint32_t n = mesh.Size(polygon);
  for (std::uint32_t k = 0; k < n; ++k) sum = sum + mesh.At(polygon, k);
  return {normal, Dot(normal, (1.0 / n) * sum)};
}

// Records one more faulty edge, remembering the first polygon of its kind.
void Note(std::uint64_t& count, std::uint32_t& first, std::uint32_t polygon, std::uint64_t edges) {
  if (count == 0) first = polygon;
  count += edges;
}

// Whether the points of polygon `q` lie within `tolerance` of `plane` or behind it.
bool Behind(const BrushMesh& mesh, std::size_t q, const Plane& plane, double tolerance) {
  for (std::uint32_t k = 0; k < mesh.Size(q); ++k) {
    if (plane.Distance(mesh.At(q, k)) > tolerance) return false;
  }
  return true;
}

// Every edge between two polygons bends away from both: no dent between neighbours.
bool LocallyConvex(const BrushMesh& mesh, const EdgeTable& edges, const std::vector<Plane>& planes,
                   double tolerance) {
  for (std::uint32_t c = 0; c < mesh.corners.size(); ++c) {
    const std::uint32_t p = edges.PolygonOf(c);
    if (planes[p].normal.x == 0 && planes[p].normal.y == 0 && planes[p].normal.z == 0) continue;
    const std::uint32_t partner = edges.Find(edges.To(c), edges.From(c));
    if (partner == EdgeTable::kNone) continue;
    if (!Behind(mesh, edges.PolygonOf(partner), planes[p], tolerance)) return false;
  }
  return true;
}

// The largest distance in front of `plane` of the points reached uphill from `start` along the
// edges: on a convex brush, the largest of all.
double UphillFarthest(const EdgeTable& edges, const std::vector<Vector3d>& points, std::uint32_t start,
                      const Plane& plane) {
  std::uint32_t at = start;
  double best = plane.Distance(points[at]);
  for (bool moved = true; moved;) {
    moved = false;
    std::uint32_t count = 0;
    const std::uint32_t* leaving = edges.Leaving(at, count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t next = edges.To(leaving[i]);
      const double distance = plane.Distance(points[next]);
      if (distance > best) {
        best = distance;
        at = next;
        moved = true;
      }
    }
  }
  return best;
}

}  // namespace

EdgeFaults FindEdgeFaults(const BrushMesh& mesh, const EdgeTable& edges) {
  EdgeFaults faults;
  for (std::uint32_t c = 0; c < mesh.corners.size(); ++c) {
    const std::uint32_t a = edges.From(c), b = edges.To(c);
    if (a == b) continue;
    const EdgeTable::Edge edge = edges.Between(a, b);
    const std::uint32_t forward = edge.forward, backward = edge.backward;
    // Each edge once: at the first corner of its lower-numbered direction that exists.
    const bool counter = a < b || backward == 0;
    if (!counter || edges.Find(a, b) != c) continue;
    ++faults.edges;
    const std::uint32_t polygon = edges.PolygonOf(c);
    if (forward + backward > 2) {
      Note(faults.overshared, faults.firstOvershared, polygon, 1);
    } else if (forward == 2 || backward == 2) {
      Note(faults.opposed, faults.firstOpposed, polygon, 1);
    }
    if (forward != backward) {
      Note(faults.unpartnered, faults.firstUnpartnered, polygon,
           forward > backward ? forward - backward : backward - forward);
    }
  }
  return faults;
}

double SignedVolume(const BrushMesh& mesh) {
  if (mesh.PolygonCount() == 0) return 0;
  const Vector3d origin = mesh.At(0, 0);
  double sixfold = 0;
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const Vector3d first = mesh.At(p, 0) - origin;
    for (std::uint32_t k = 1; k + 1 < mesh.Size(p); ++k) {
      sixfold += Dot(first, Cross(mesh.At(p, k) - origin, mesh.At(p, k + 1) - origin));
    }
  }
  return sixfold / 6;
}

bool IsConvexWithin(const BrushMesh& mesh, const EdgeTable& edges, double tolerance) {
  std::vector<Plane> planes(mesh.PolygonCount());
  for (std::size_t p = 0; p < planes.size(); ++p) planes[p] = PlaneOf(mesh, p);
  if (!LocallyConvex(mesh, edges, planes, tolerance)) return false;
  std::vector<std::uint32_t> used(mesh.corners);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  const bool measureAll =
      static_cast<double>(used.size()) * static_cast<double>(planes.size()) <= kMostPairsMeasured;
  for (std::size_t p = 0; p < planes.size(); ++p) {
    const Plane& plane = planes[p];
    if (plane.normal.x == 0 && plane.normal.y == 0 && plane.normal.z == 0) continue;
    if (measureAll) {
      for (const std::uint32_t point : used) {
        if (plane.Distance(mesh.points[point]) > tolerance) return false;
      }
    } else if (UphillFarthest(edges, mesh.points, mesh.Ring(p)[0], plane) > tolerance) {
      return false;
    }
  }
  return true;
}
