// Turns the faces of a brush into polygons that every map reader takes whole: on the whole-unit
// grid the map is written on, each of 3 to 16 distinct points, flat, convex and with area, and
// no two with the same points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "ConvexSplit.h"
#include "EarClipper.h"
#include "FaceSet.h"
#include "GridGeometry.h"
#include "TextureMapping.h"

/// A point of a face in the frame of the written values, before rounding to whole units.
struct ModelPoint {
  double x, y, z;
};

/// A normal of unit length.
struct UnitNormal {
  float x, y, z;
};

/// One polygon of a repaired brush.
/// Marks a polygon with no texture mapping of its own.
constexpr std::uint32_t kNoMapping = 0xFFFFFFFFu;

struct RepairedPolygon {
  std::uint32_t first;   ///< index of its first point in BrushRepair::Points()
  std::uint32_t count;   ///< number of points, 3 to 16
  UnitNormal normal;     ///< Newell's normal of its points in their order
  std::uint32_t source;  ///< the tag given with the face it came from
  std::uint32_t face;    ///< the number of that face, counted from 0 in the order faces came
  std::uint32_t mapping = kNoMapping;  ///< its texture mapping in RepairedBrush::mappings
};

/// What repair did, by kind. Polygons written = faces - nonFinite - outOfRange - degenerate -
/// noArea + piecesAdded - duplicate.
struct RepairCounts {
  std::uint64_t faces = 0;         ///< faces given
  std::uint64_t nonFinite = 0;     ///< faces dropped: a coordinate is infinite or not a number
  std::uint64_t outOfRange = 0;    ///< faces dropped: a coordinate rounds beyond +-kGridLimit
  std::uint64_t degenerate = 0;    ///< faces dropped: fewer than 3 distinct points
  std::uint64_t noArea = 0;        ///< faces dropped: all points on one line
  std::uint64_t triangulated = 0;  ///< faces cut into triangles (not flat or not convex)
  std::uint64_t split = 0;         ///< convex faces of more than 16 points cut into convex pieces
  std::uint64_t piecesAdded = 0;   ///< pieces of cut faces beyond the first of each
  std::uint64_t duplicate = 0;     ///< pieces dropped: the points of an earlier polygon
  std::uint64_t polygons = 0;      ///< polygons kept

  RepairCounts& operator+=(const RepairCounts& other);
};

/// Marks, in a brush's written order, a polygon stored with the brush rather than a face of its
/// source kept as it is.
constexpr std::uint32_t kStoredPolygon = 0x80000000u;

/// A repaired brush: its polygons in the order they are written, each the number of a face kept
/// as it is (read again from wherever the faces came from) or kStoredPolygon | the index of a
/// polygon in `polygons`, whose points are in `points`, whole units.
struct RepairedBrush {
  std::vector<std::uint32_t> written;
  std::vector<GridPoint> points;
  std::vector<RepairedPolygon> polygons;
  std::vector<TextureMapping> mappings;

  /// Stores the polygon `points[0..count)` of face `face` with its normal and `source`, and
  /// writes it next; returns it.
  RepairedPolygon& Store(const GridPoint* points, std::size_t count, std::uint32_t source,
                         std::uint32_t face);
};

/// Repairs the faces of one brush after another. Faces come in the frame of the written values
/// (any mirror of it will do: flatness, convexity, area and distinctness do not change), and
/// each comes out as polygons that keep its winding: when a face's normal agrees with Newell's
/// normal of its points, so do its pieces'.
///
/// A valid triangle or quad costs no allocation beyond the brush's own lists. A caller that can
/// read its faces again (KeptFaceReader) has valid triangles and quads kept as they are and not
/// stored at all: then memory is 4 bytes a polygon, 8 more until FinishBrush (16 during it), and
/// the changed polygons.
class BrushRepair {
 public:
  /// Writes the rounded points of face `number` of the brush (counted from 0 in the order the
  /// faces came) into `out`, kMaxPoints of room, and returns their count: RoundFace of the same
  /// points the face came with.
  using KeptFaceReader = std::function<std::size_t(std::uint32_t number, GridPoint* out)>;

  static constexpr std::size_t kMaxPoints = FaceSet::kMaxPoints;
  /// How thick a polygon written whole may be: the spread of its points along its Newell normal.
  /// So no point lies farther than this from the plane through any other, nor than half of it
  /// from the best plane.
  static constexpr double kFlatness = 0.1;
  /// How far a point of a polygon written whole may lie behind the line through its neighbours,
  /// in the polygon's plane: within what map checkers take for a straight point.
  static constexpr double kStraightness = 0.01;

  /// Starts the next brush of about `faces` faces: forgets the polygons of the last one; counts
  /// add up. With a `reader`, faces that are kept as they are are not stored.
  void StartBrush(std::size_t faces = 0, KeptFaceReader reader = {});
  /// Rounds `points[0..count)` to whole units (halves away from zero, as the writer does), then
  /// adds the face to the brush as zero or more polygons, each carrying `source`. A face that is
  /// not flat within kFlatness, or not convex, or whose `texels` (one for each point, of a
  /// texture of `size`) no one mapping gives its rounded points, is cut into triangles; a convex
  /// one of more than kMaxPoints points into convex pieces. False when nothing of it is added.
  bool AddFace(const ModelPoint* points, std::size_t count, std::uint32_t source,
               const Texel* texels = nullptr, const TexelSize& size = {});

  /// Rounds `points[0..count)` as AddFace does and adds the face as one polygon whatever its
  /// shape (the tool's --raw), even a repeat. Only a face that cannot be written at all, a
  /// coordinate not a number or beyond the grid, is dropped (false). With a reader, a face of at
  /// most kMaxPoints points is kept as it is and not stored.
  bool AddFaceAsIs(const ModelPoint* points, std::size_t count, std::uint32_t source);

  /// Ends the brush: takes out every polygon whose points, in any order, are those of a polygon
  /// written before it, and returns how many. Counts and the brush are final after it.
  std::size_t FinishBrush();
  /// Hands the brush over (after FinishBrush), leaving none.
  RepairedBrush TakeBrush() { return std::move(brush_); }

  /// Rounds `points[0..count)` to whole units as AddFace does; false when a coordinate is not a
  /// number or beyond the grid.
  static bool RoundFace(const ModelPoint* points, std::size_t count, GridPoint* out);
  /// Newell's normal of `points[0..count)` made a unit vector, as every polygon gets it.
  static UnitNormal NormalOf(const GridPoint* points, std::size_t count);

  const RepairedBrush& Brush() const { return brush_; }
  /// The points of the brush's stored polygons, whole units.
  const std::vector<GridPoint>& Points() const { return brush_.points; }
  const std::vector<RepairedPolygon>& Polygons() const { return brush_.polygons; }
  const RepairCounts& Counts() const { return counts_; }

 private:
  bool AddValidSmallFace(const ModelPoint* points, std::size_t count, std::uint32_t source);
  /// The full treatment of a face: repeats out, then whole, in convex pieces or in triangles.
  bool AddRepairedFace(const ModelPoint* points, std::size_t count, std::uint32_t source);
  /// Whether one mapping gives the rounded `ring` the face's texels (true without texels).
  bool TexelsFit(const GridPoint* ring, const Texel* texels, std::size_t count) const;
  bool LoadRing(const ModelPoint* points, std::size_t count);
  void RemoveRepeats();
  std::size_t AddRing(std::uint32_t source);
  std::size_t AddConvexPieces(std::uint32_t source);
  std::size_t AddTriangles(const std::uint32_t* ring, std::size_t count, std::uint32_t source);
  std::size_t AddFlatConvex(const std::uint32_t* ring, std::size_t count, std::uint32_t source);
  /// Adds a polygon to the brush; `kept` ones are not stored when faces can be read again.
  void AddPolygon(const GridPoint* points, std::size_t count, std::uint32_t source,
                  bool kept = false);
  void StorePolygon(const GridPoint* points, std::size_t count, std::uint32_t source);
  std::size_t PointsOf(std::uint32_t written, GridPoint* out) const;
  void TakeOut(const std::vector<std::uint32_t>& repeats);

  RepairedBrush brush_;
  RepairCounts counts_;
  FaceSet faces_;
  KeptFaceReader reader_;
  std::uint32_t faceNumber_ = 0;  // of the face being added
  const Texel* texels_ = nullptr;  // of the face being added, or none
  TexelSize size_;
  // Scratch, kept between faces.
  std::vector<GridPoint> ring_;
  std::vector<Texel> ringTexels_;
  std::vector<Point2> flat_;
  std::vector<Point2> pieceFlat_;
  std::vector<std::uint32_t> ringOrder_;
  std::vector<RingTriangle> triangles_;
  ConvexPieces pieces_;
  EarClipper clipper_;
};
