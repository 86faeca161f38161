#include "SolidBrush.h"

#include <algorithm>
#include <cmath>

#include "BrushJudge.h"
#include "CoplanarMerge.h"
#include "EdgeTable.h"
#include "Folds.h"
#include "GridPointIndex.h"
#include "Junctions.h"
#include "PlanarRegions.h"
#include "StraightVertices.h"
#include "Winding.h"

namespace {

/// Merged polygons may grow to this many points before their straight points go and the
/// larger ones are cut to the readers' sixteen.
constexpr std::size_t kMergeMost = 64;
constexpr double kConvexTolerance = 0.1;
/// How far in front of its faces a convex model's own points may lie (float precision).
constexpr double kModelTolerance = 0.01;
/// How far rounding to whole units moves a point: half the diagonal of a unit cube.
constexpr double kRoundingMove = 0.8661;

struct GridMesh {
  BrushMesh mesh;
  GridPointIndex index;
};

GridPoint OnGrid(const Vec3& p) {
  return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z)};
}

// The polygons as written (last point first), each tagged with its entry in the brush.
GridMesh MeshOf(const RepairedBrush& brush, const WrittenPolygonReader& read) {
  // A closed mesh of triangles has about half as many points as polygons.
  GridMesh grid{BrushMesh{}, GridPointIndex(brush.written.size() / 2)};
  std::vector<GridPoint> points;
  std::vector<std::uint32_t> ring;
  for (const std::uint32_t written : brush.written) {
    std::uint32_t material = 0;
    read(written, points, material);
    ring.resize(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) ring[points.size() - 1 - k] = grid.index.Add(points[k]);
    grid.mesh.Add(ring.data(), ring.size(), material, written);
  }
  for (const GridPoint& p : grid.index.Points()) grid.mesh.points.push_back({double(p.x), double(p.y), double(p.z)});
  return grid;
}

// The brush again: polygons the tool left as the model has them keep their entries.
RepairedBrush Stored(const BrushMesh& mesh) {
  RepairedBrush brush;
  std::vector<GridPoint> points;
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const std::uint32_t tag = mesh.tags[p];
    if (tag != kNoTag && !(tag & kStoredPolygon)) {
      brush.written.push_back(tag);
      continue;
    }
    points.clear();
    for (std::uint32_t k = mesh.Size(p); k-- > 0;) points.push_back(OnGrid(mesh.At(p, k)));
    brush.Store(points.data(), points.size(), mesh.materials[p]);
  }
  return brush;
}

// Polygons of more than sixteen points cut into convex pieces (or triangles) between their own
// points. Returns the pieces added.
std::uint64_t SplitLarge(BrushMesh& mesh) {
  bool any = false;
  for (std::size_t p = 0; p < mesh.PolygonCount() && !any; ++p) any = mesh.Size(p) > BrushRepair::kMaxPoints;
  if (!any) return 0;
  BrushMesh result = mesh.EmptyCopy();
  std::uint64_t added = 0;
  ConvexPieces pieces;
  EarClipper clipper;
  std::vector<RingTriangle> triangles;
  std::vector<GridPoint> points;
  std::vector<Point2> flat;
  std::vector<std::uint32_t> piece;
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const std::uint32_t n = mesh.Size(p);
    const std::uint32_t* ring = mesh.Ring(p);
    if (n <= BrushRepair::kMaxPoints) {
      result.Add(ring, n, mesh.materials[p], mesh.tags[p]);
      continue;
    }
    points.clear();
    for (std::uint32_t k = 0; k < n; ++k) points.push_back(OnGrid(mesh.points[ring[k]]));
    const PlaneProjection project(NewellNormal(points.data(), n));
    flat.clear();
    for (const GridPoint& g : points) flat.push_back(project(g));
    if (SplitConvex(flat.data(), n, BrushRepair::kMaxPoints, pieces)) {
      const std::uint32_t* index = pieces.indices.data();
      for (const std::uint32_t size : pieces.sizes) {
        piece.clear();
        for (std::uint32_t k = 0; k < size; ++k) piece.push_back(ring[index[k]]);
        result.Add(piece.data(), size, mesh.materials[p], kNoTag);
        index += size;
      }
      added += pieces.sizes.size() - 1;
      continue;
    }
    clipper.Clip(flat.data(), n, triangles);
    for (const RingTriangle& t : triangles) {
      const std::uint32_t corners[3] = {ring[t[0]], ring[t[1]], ring[t[2]]};
      result.Add(corners, 3, mesh.materials[p], kNoTag);
    }
    added += triangles.size() - 1;
  }
  mesh = std::move(result);
  return added;
}

// Merges neighbours in one plane, takes out the points they leave straight, and cuts what grew
// beyond the readers' sixteen points; counts the polygons merged away and the pieces cut.
void Simplify(BrushMesh& mesh, SolidCounts& counts) {
  const MergeResult merged = MergeCoplanar(mesh, kMergeMost, BrushRepair::kFlatness, {});
  counts.merged += merged.merged;
  if (merged.concaveLeft) counts.merged += RecutPlanarRegions(mesh, BrushRepair::kFlatness, {});
  RemoveStraightVertices(mesh);
  counts.pieces += SplitLarge(mesh);
}

SolidShape ShapeOf(const BrushMesh& mesh, const EdgeTable& edges) {
  const EdgeFaults faults = FindEdgeFaults(mesh, edges);
  SolidShape shape;
  shape.judged = true;
  shape.closed = faults.Closed();
  shape.openEdges = faults.unpartnered;
  shape.convex = IsConvexWithin(mesh, edges, kConvexTolerance);
  return shape;
}

// Whether the rounded brush could have come of a convex model: no neighbour of a polygon lies
// farther in front of its plane than rounding can explain. A point moves by kRoundingMove, and
// so do a polygon's corners, which tilts its plane the more the narrower it is and the farther
// the point lies.
bool MayBeRoundedConvex(const BrushMesh& mesh, const EdgeTable& edges) {
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const Vec3 twiceArea = NewellNormal(mesh, p);
    const double area2 = std::sqrt(Dot(twiceArea, twiceArea));
    if (area2 == 0) continue;
    const Vec3 normal = (1 / area2) * twiceArea;
    Vec3 centre{0, 0, 0};
    double longest = 0;
    const std::uint32_t n = mesh.Size(p);
    for (std::uint32_t k = 0; k < n; ++k) {
      centre = centre + mesh.At(p, k);
      const Vec3 side = mesh.At(p, (k + 1) % n) - mesh.At(p, k);
      longest = std::max(longest, std::sqrt(Dot(side, side)));
    }
    centre = (1.0 / n) * centre;
    const double width = area2 / longest;  // the polygon's height across its longest side, about
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
      const std::uint32_t back = edges.Find(edges.To(c), edges.From(c));
      if (back == EdgeTable::kNone) continue;
      const std::uint32_t q = edges.PolygonOf(back);
      for (std::uint32_t k = 0; k < mesh.Size(q); ++k) {
        const Vec3 offset = mesh.At(q, k) - centre;
        const double reach = std::sqrt(Dot(offset, offset));
        if (Dot(normal, offset) > kRoundingMove * (2 + 2 * reach / width)) return false;
      }
    }
  }
  return true;
}

// Whether the model the brush was rounded from is convex: the brush's polygons, each a face of
// the model or a piece of one, with each point where the model had it.
bool ModelIsConvex(GridMesh& grid, const SourceFaceVisitor& faces) {
  const EdgeTable edges(grid.mesh);
  if (!FindEdgeFaults(grid.mesh, edges).Closed() || !MayBeRoundedConvex(grid.mesh, edges)) {
    return false;
  }
  std::vector<Vec3> model = grid.mesh.points;
  std::vector<char> placed(model.size(), 0);
  std::vector<GridPoint> rounded;
  faces([&](const ModelPoint* points, std::size_t count) {
    rounded.resize(count);
    if (!BrushRepair::RoundFace(points, count, rounded.data())) return;
    for (std::size_t k = 0; k < count; ++k) {
      const std::uint32_t id = grid.index.Find(rounded[k]);
      if (id == GridPointIndex::kNone || placed[id]) continue;
      placed[id] = 1;
      model[id] = {points[k].x, points[k].y, points[k].z};
    }
  });
  std::swap(grid.mesh.points, model);
  const bool convex = IsConvexWithin(grid.mesh, edges, kModelTolerance);
  std::swap(grid.mesh.points, model);
  return convex;
}

// The material of each hull facet: that of the polygon, among those at its points, that faces
// the way it does most nearly.
std::uint32_t FacetMaterial(const BrushMesh& mesh, const EdgeTable& edges,
                            const std::vector<std::uint32_t>& ring, const Vec3& normal) {
  std::uint32_t material = mesh.materials.empty() ? 0 : mesh.materials[0];
  double best = -2;
  for (const std::uint32_t point : ring) {
    std::uint32_t count = 0;
    const std::uint32_t* leaving = edges.Leaving(point, count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t p = edges.PolygonOf(leaving[i]);
      const double agreement = Dot(Unit(NewellNormal(mesh, p)), normal);
      if (agreement > best) {
        best = agreement;
        material = mesh.materials[p];
      }
    }
  }
  return material;
}

bool MakeHull(BrushMesh& mesh, const ConvexHuller& huller) {
  std::vector<std::uint32_t> used(mesh.corners);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  std::vector<Vec3> points;
  for (const std::uint32_t id : used) points.push_back(mesh.points[id]);
  std::vector<std::vector<std::uint32_t>> facets;
  if (!huller.Hull(points, facets)) return false;
  const EdgeTable edges(mesh);
  BrushMesh hull = mesh.EmptyCopy();
  for (std::vector<std::uint32_t>& facet : facets) {
    for (std::uint32_t& k : facet) k = used[k];
    hull.Add(facet.data(), facet.size(), 0, kNoTag);
    const std::size_t last = hull.PolygonCount() - 1;
    hull.materials[last] = FacetMaterial(mesh, edges, facet, Unit(NewellNormal(hull, last)));
  }
  mesh = std::move(hull);
  return true;
}

}  // namespace

SolidShape SolidifyBrush(RepairedBrush& brush, const WrittenPolygonReader& read,
                         const SourceFaceVisitor& faces, const SolidOptions& options,
                         SolidCounts& counts) {
  GridMesh grid = MeshOf(brush, read);
  BrushMesh& mesh = grid.mesh;
  counts.folds += RemoveFolds(mesh);
  counts.junctions += CloseJunctions(mesh);
  counts.turned += OrientOutward(mesh);
  // Judged before merging: merged polygons are flat on the grid, not always in the model.
  const bool modelConvex = options.huller && !options.hull && ModelIsConvex(grid, faces);
  grid.index = GridPointIndex();
  Simplify(mesh, counts);
  SolidShape shape = ShapeOf(mesh, EdgeTable(mesh));
  // A convex model whose faces rounding bent.
  if (options.huller && (options.hull || (modelConvex && shape.closed && !shape.convex))) {
    if (MakeHull(mesh, *options.huller)) {
      SolidCounts hullCounts;  // a hull's polygons are its own, not the model's merged
      Simplify(mesh, hullCounts);
      shape = ShapeOf(mesh, EdgeTable(mesh));
      shape.hulled = true;
      ++counts.hulled;
    } else {
      shape.flat = true;
    }
  }
  brush = Stored(mesh);
  return shape;
}

SolidShape JudgeBrush(const RepairedBrush& brush, const WrittenPolygonReader& read) {
  const GridMesh grid = MeshOf(brush, read);
  return ShapeOf(grid.mesh, EdgeTable(grid.mesh));
}
