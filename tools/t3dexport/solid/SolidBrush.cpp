#include "SolidBrush.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

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

/// A texture mapping and the size of its texture.
struct Mapping {
  TextureMapping mapping;
  TexelSize size;
};

struct GridMesh {
  BrushMesh mesh;
  GridPointIndex index;
  std::vector<Mapping> mappings;  // BrushMesh::mappings index these
};

GridPoint OnGrid(const Vector3d& p) {
  return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z)};
}

// The polygons as written (last point first), each tagged with its entry in the brush, with
// the mapping its texels give it.
GridMesh MeshOf(const RepairedBrush& brush, const WrittenPolygonReader& read) {
  // A closed mesh of triangles has about half as many points as polygons.
  GridMesh grid{BrushMesh{}, GridPointIndex(brush.written.size() / 2), {}};
  WrittenPolygon polygon;
  std::vector<std::uint32_t> ring;
  for (const std::uint32_t written : brush.written) {
    read(written, polygon);
    const std::vector<GridPoint>& points = polygon.points;
    ring.resize(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) ring[points.size() - 1 - k] = grid.index.Add(points[k]);
    std::uint32_t mapping = kNoTag;
    Mapping fitted{{}, polygon.size};
    if (!polygon.texels.empty() &&
        FitMapping(points.data(), polygon.texels.data(), points.size(), polygon.size, fitted.mapping)) {
      mapping = static_cast<std::uint32_t>(grid.mappings.size());
      grid.mappings.push_back(fitted);
    }
    grid.mesh.Add(ring.data(), ring.size(), polygon.material, written, mapping);
  }
  for (const GridPoint& p : grid.index.Points()) grid.mesh.points.push_back({double(p.x), double(p.y), double(p.z)});
  return grid;
}

// The brush again: polygons the tool left as the model has them keep their entries; the rest are
// stored with their mappings (and the face a polygon came from, while it is one repair stored).
RepairedBrush Stored(const BrushMesh& mesh, const RepairedBrush& before, const std::vector<Mapping>& mappings) {
  RepairedBrush brush;
  std::vector<GridPoint> points;
  std::vector<std::uint32_t> mappingIndex(mappings.size(), kNoMapping);
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const std::uint32_t tag = mesh.tags[p];
    if (tag != kNoTag && !(tag & kStoredPolygon)) {
      brush.written.push_back(tag);
      continue;
    }
    points.clear();
    for (std::uint32_t k = mesh.Size(p); k-- > 0;) points.push_back(OnGrid(mesh.At(p, k)));
    const std::uint32_t face = tag == kNoTag ? 0 : before.polygons[tag & ~kStoredPolygon].face;
    RepairedPolygon& stored = brush.Store(points.data(), points.size(), mesh.materials[p], face);
    const std::uint32_t m = mesh.mappings[p];
    if (m == kNoTag) continue;
    if (mappingIndex[m] == kNoMapping) {
      mappingIndex[m] = static_cast<std::uint32_t>(brush.mappings.size());
      brush.mappings.push_back(mappings[m].mapping);
    }
    stored.mapping = mappingIndex[m];
  }
  return brush;
}

// Whether polygons `p` and `q` of `mesh` share one texture mapping, within a tolerance on every
// point of both: or neither has one.
bool SameMapping(const BrushMesh& mesh, const std::vector<Mapping>& mappings, std::uint32_t p,
                 std::uint32_t q) {
  const std::uint32_t mp = mesh.mappings[p], mq = mesh.mappings[q];
  if (mp == kNoTag || mq == kNoTag) return mp == mq;
  const Mapping& a = mappings[mp];
  const Mapping& b = mappings[mq];
  if (a.size.width != b.size.width || a.size.height != b.size.height) return false;
  for (const std::uint32_t polygon : {p, q}) {
    for (std::uint32_t k = 0; k < mesh.Size(polygon); ++k) {
      const GridPoint point = OnGrid(mesh.At(polygon, k));
      if (!SameTexel(a.mapping.At(point), b.mapping.At(point), a.size)) return false;
    }
  }
  return true;
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
      result.AddLike(ring, n, mesh, p, true);
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
        result.AddLike(piece.data(), size, mesh, p, false);
        index += size;
      }
      added += pieces.sizes.size() - 1;
      continue;
    }
    clipper.Clip(flat.data(), n, triangles);
    for (const RingTriangle& t : triangles) {
      const std::uint32_t corners[3] = {ring[t[0]], ring[t[1]], ring[t[2]]};
      result.AddLike(corners, 3, mesh, p, false);
    }
    added += triangles.size() - 1;
  }
  mesh = std::move(result);
  return added;
}

// Merges neighbours in one plane with one mapping, takes out the points they leave straight, and
// cuts what grew beyond the readers' sixteen points; counts the polygons merged away and the
// pieces cut.
void Simplify(BrushMesh& mesh, const std::vector<Mapping>& mappings, SolidCounts& counts,
              const WorkProgress& progress = {}) {
  const MergeFilter sameMapping = [&](std::uint32_t p, std::uint32_t q) {
    return SameMapping(mesh, mappings, p, q);
  };
  const MergeResult merged = MergeCoplanar(mesh, kMergeMost, BrushRepair::kFlatness, sameMapping, progress);
  counts.merged += merged.merged;
  if (merged.concaveLeft) counts.merged += RecutPlanarRegions(mesh, BrushRepair::kFlatness, sameMapping);
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
    const Vector3d twiceArea = NewellNormal(mesh, p);
    const double area2 = std::sqrt(Dot(twiceArea, twiceArea));
    if (area2 == 0) continue;
    const Vector3d normal = (1 / area2) * twiceArea;
    Vector3d centre{0, 0, 0};
    double longest = 0;
    const std::uint32_t n = mesh.Size(p);
    for (std::uint32_t k = 0; k < n; ++k) {
      centre = centre + mesh.At(p, k);
      const Vector3d side = mesh.At(p, (k + 1) % n) - mesh.At(p, k);
      longest = std::max(longest, std::sqrt(Dot(side, side)));
    }
    centre = (1.0 / n) * centre;
    const double width = area2 / longest;  // the polygon's height across its longest side, about
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
      const std::uint32_t back = edges.Find(edges.To(c), edges.From(c));
      if (back == EdgeTable::kNone) continue;
      const std::uint32_t q = edges.PolygonOf(back);
      for (std::uint32_t k = 0; k < mesh.Size(q); ++k) {
        const Vector3d offset = mesh.At(q, k) - centre;
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
  std::vector<Vector3d> model = grid.mesh.points;
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

// The polygon a hull facet takes its material and texture mapping from: one that has every
// point of the facet among its own, where there is one (its mapping gives those points their
// texels), else the one at its points that faces the way it does most nearly (its material
// alone).
std::uint32_t FacetOrigin(const BrushMesh& mesh, const EdgeTable& edges,
                          const std::vector<std::uint32_t>& ring, const Vector3d& normal, bool& whole) {
  std::uint32_t nearest = EdgeTable::kNone;
  double best = -2;
  for (const std::uint32_t point : ring) {
    std::uint32_t count = 0;
    const std::uint32_t* leaving = edges.Leaving(point, count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t p = edges.PolygonOf(leaving[i]);
      const std::uint32_t* own = mesh.Ring(p);
      whole = std::all_of(ring.begin(), ring.end(), [&](std::uint32_t q) {
        return std::find(own, own + mesh.Size(p), q) != own + mesh.Size(p);
      });
      if (whole) return p;
      const double agreement = Dot(Normalised(NewellNormal(mesh, p)), normal);
      if (agreement > best) {
        best = agreement;
        nearest = p;
      }
    }
  }
  whole = false;
  return nearest;
}

bool MakeHull(BrushMesh& mesh, const ConvexHuller& huller) {
  std::vector<std::uint32_t> used(mesh.corners);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  std::vector<Vector3d> points;
  for (const std::uint32_t id : used) points.push_back(mesh.points[id]);
  std::vector<std::vector<std::uint32_t>> facets;
  if (!huller.Hull(points, facets)) return false;
  const EdgeTable edges(mesh);
  BrushMesh hull = mesh.EmptyCopy();
  for (std::vector<std::uint32_t>& facet : facets) {
    for (std::uint32_t& k : facet) k = used[k];
    Vector3d normal{0, 0, 0};
    for (std::size_t k = 0; k < facet.size(); ++k) {
      normal = normal + Cross(mesh.points[facet[k]], mesh.points[facet[(k + 1) % facet.size()]]);
    }
    bool whole = false;
    const std::uint32_t origin = FacetOrigin(mesh, edges, facet, Normalised(normal), whole);
    if (whole) {
      hull.AddLike(facet.data(), facet.size(), mesh, origin, false);
    } else {
      hull.Add(facet.data(), facet.size(), origin == EdgeTable::kNone ? 0 : mesh.materials[origin], kNoTag);
    }
  }
  mesh = std::move(hull);
  return true;
}

// The texels of a brush's points in the faces of the model it was made from: each point once
// for each face it is a point of.
class PointTexels {
 public:
  PointTexels(const RepairedBrush& brush, const WrittenPolygonReader& read) {
    WrittenPolygon face;
    for (const std::uint32_t written : brush.written) {
      const std::uint32_t number = written & kStoredPolygon ? brush.polygons[written & ~kStoredPolygon].face : written;
      if (!read_.insert(number).second) continue;
      read(number, face);
      for (std::size_t k = 0; k < face.texels.size(); ++k) {
        texels_[face.points[k]].push_back({face.texels[k], face.material, face.size});
      }
    }
  }

  /// The texels of `points` in one texture: those of one face that has them all, else those
  /// every face at each point agrees on (a mapping that runs on across faces). False when
  /// there are none.
  bool Find(const std::vector<GridPoint>& points, std::vector<Texel>& texels, std::uint32_t& material,
            TexelSize& size) const {
    texels.clear();
    for (const GridPoint& p : points) {
      const auto at = texels_.find(p);
      if (at == texels_.end()) return false;
      const Entry& first = at->second.front();
      for (const Entry& other : at->second) {
        if (other.material != first.material || !SameTexel(other.texel, first.texel, first.size)) return false;
      }
      if (!texels.empty() && first.material != material) return false;
      texels.push_back(first.texel);
      material = first.material;
      size = first.size;
    }
    return true;
  }

 private:
  struct Entry {
    Texel texel;
    std::uint32_t material;
    TexelSize size;
  };
  std::map<GridPoint, std::vector<Entry>> texels_;
  std::set<std::uint32_t> read_;
};

// Hull facets get the texture mapping the model's faces give their points, where those agree: a
// convex model keeps its textures as a hull.
void MapHullFacets(BrushMesh& hull, const RepairedBrush& brush, const WrittenPolygonReader& read,
                   std::vector<Mapping>& mappings) {
  const PointTexels known(brush, read);
  std::vector<GridPoint> points;
  std::vector<Texel> texels;
  for (std::size_t p = 0; p < hull.PolygonCount(); ++p) {
    if (hull.mappings[p] != kNoTag) continue;
    points.clear();
    for (std::uint32_t k = 0; k < hull.Size(p); ++k) points.push_back(OnGrid(hull.At(p, k)));
    std::uint32_t material = 0;
    Mapping fitted;
    if (!known.Find(points, texels, material, fitted.size) ||
        !FitMapping(points.data(), texels.data(), points.size(), fitted.size, fitted.mapping)) {
      continue;
    }
    hull.mappings[p] = static_cast<std::uint32_t>(mappings.size());
    hull.materials[p] = material;
    mappings.push_back(fitted);
  }
}

}  // namespace

SolidShape SolidifyBrush(RepairedBrush& brush, const WrittenPolygonReader& read,
                         const SourceFaceVisitor& faces, const SolidOptions& options,
                         SolidCounts& counts) {
  // The shares of the work done after each step, as a large model's brush takes them.
  const auto reached = [&](double share) {
    if (options.progress) options.progress(share);
  };
  GridMesh grid = MeshOf(brush, read);
  BrushMesh& mesh = grid.mesh;
  reached(0.10);
  counts.folds += RemoveFolds(mesh);
  reached(0.17);
  counts.junctions += CloseJunctions(mesh);
  reached(0.20);
  counts.turned += OrientOutward(mesh);
  reached(0.28);
  // Judged before merging: merged polygons are flat on the grid, not always in the model.
  const bool modelConvex = options.huller && !options.hull && ModelIsConvex(grid, faces);
  grid.index = GridPointIndex();
  reached(0.32);
  Simplify(mesh, grid.mappings, counts, [&](double share) { reached(0.32 + 0.6 * share); });
  reached(0.95);
  SolidShape shape = ShapeOf(mesh, EdgeTable(mesh));
  // A convex model whose faces rounding bent.
  if (options.huller && (options.hull || (modelConvex && shape.closed && !shape.convex))) {
    if (MakeHull(mesh, *options.huller)) {
      if (!grid.mappings.empty()) MapHullFacets(mesh, brush, read, grid.mappings);
      SolidCounts hullCounts;  // a hull's polygons are its own, not the model's merged
      Simplify(mesh, grid.mappings, hullCounts);
      shape = ShapeOf(mesh, EdgeTable(mesh));
      shape.hulled = true;
      ++counts.hulled;
    } else {
      shape.flat = true;
    }
  }
  brush = Stored(mesh, brush, grid.mappings);
  return shape;
}

SolidShape JudgeBrush(const RepairedBrush& brush, const WrittenPolygonReader& read) {
  const GridMesh grid = MeshOf(brush, read);
  return ShapeOf(grid.mesh, EdgeTable(grid.mesh));
}
