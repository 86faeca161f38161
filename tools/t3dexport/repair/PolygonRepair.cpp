#include "PolygonRepair.h"

#include <cmath>

namespace {

enum class Rounded { kOnGrid, kNonFinite, kOutOfRange };

// Halves away from zero, as std::round, without a library call for each of the coordinates that
// every face has rounded twice (planned, then served).
Rounded RoundCoordinate(double value, std::int32_t& out) {
  if (!(std::fabs(value) < kGridLimit + 1.0)) {
    return std::isfinite(value) ? Rounded::kOutOfRange : Rounded::kNonFinite;
  }
  const auto truncated = static_cast<std::int32_t>(value);
  const double rest = value - truncated;  // exact: both have the same sign and exponent or less
  const std::int32_t whole = truncated + (rest >= 0.5) - (rest <= -0.5);
  if (whole > kGridLimit || whole < -kGridLimit) return Rounded::kOutOfRange;
  out = whole;
  return Rounded::kOnGrid;
}

// The worse of two outcomes: a coordinate that is not a number outweighs one out of range.
Rounded Worse(Rounded a, Rounded b) { return a > b ? a : b; }

Rounded RoundPoint(const ModelPoint& p, GridPoint& out) {
  return Worse(Worse(RoundCoordinate(p.x, out.x), RoundCoordinate(p.y, out.y)),
               RoundCoordinate(p.z, out.z));
}

// Whether every coordinate rounds onto the grid, which needs no rounding to tell: a half beyond
// the grid's edge rounds away from it, and a NaN fails the comparison.
bool OnGrid(const ModelPoint* points, std::size_t count) {
  constexpr double kEdge = kGridLimit + 0.5;
  for (std::size_t i = 0; i < count; ++i) {
    const ModelPoint& p = points[i];
    if (!(std::fabs(p.x) < kEdge && std::fabs(p.y) < kEdge && std::fabs(p.z) < kEdge)) return false;
  }
  return true;
}

bool IsZero(const Vector3d& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

UnitNormal ToUnitNormal(const Vector3d& v) {
  const Vector3d unit = Normalised(v);
  return {static_cast<float>(unit.x), static_cast<float>(unit.y), static_cast<float>(unit.z)};
}

bool IsFlat(const GridPoint* ring, std::size_t count, const Vector3d& normal) {
  return count == 3 || Thickness(ring, count, Normalised(normal)) <= BrushRepair::kFlatness;
}

// Flat, convex seen along its normal, and convex in its own plane.
bool IsFlatConvex(const GridPoint* ring, const Point2* flat, std::size_t count, const Vector3d& normal) {
  return IsFlat(ring, count, normal) && IsConvex(flat, count) &&
         (count == 3 || ConvexInItsPlane(ring, count, Normalised(normal), BrushRepair::kStraightness));
}

}  // namespace

RepairCounts& RepairCounts::operator+=(const RepairCounts& other) {
  faces += other.faces;
  nonFinite += other.nonFinite;
  outOfRange += other.outOfRange;
  degenerate += other.degenerate;
  noArea += other.noArea;
  triangulated += other.triangulated;
  split += other.split;
  piecesAdded += other.piecesAdded;
  duplicate += other.duplicate;
  polygons += other.polygons;
  return *this;
}

void BrushRepair::StartBrush(std::size_t faces, KeptFaceReader reader) {
  brush_.written.clear();
  brush_.written.reserve(faces);
  brush_.points.clear();
  brush_.polygons.clear();
  faces_.Clear(faces);
  reader_ = std::move(reader);
  faceNumber_ = 0;
}

std::size_t BrushRepair::FinishBrush() {
  const std::vector<std::uint32_t> repeats = faces_.TakeRepeats(
      [this](std::uint32_t n, GridPoint* out) { return PointsOf(brush_.written[n], out); });
  if (!repeats.empty()) TakeOut(repeats);
  counts_.duplicate += repeats.size();
  counts_.polygons -= repeats.size();
  return repeats.size();
}

std::size_t BrushRepair::PointsOf(std::uint32_t written, GridPoint* out) const {
  if (!(written & kStoredPolygon)) return reader_(written, out);
  const RepairedPolygon& polygon = brush_.polygons[written & ~kStoredPolygon];
  const auto first = brush_.points.begin() + polygon.first;
  std::copy(first, first + polygon.count, out);
  return polygon.count;
}

// Takes the written polygons numbered in `repeats` (ascending) out of the brush, and the stored
// ones among them out of its store.
void BrushRepair::TakeOut(const std::vector<std::uint32_t>& repeats) {
  RepairedBrush kept;
  auto repeat = repeats.begin();
  for (std::size_t n = 0; n < brush_.written.size(); ++n) {
    if (repeat != repeats.end() && *repeat == n) {
      ++repeat;
      continue;
    }
    std::uint32_t written = brush_.written[n];
    if (written & kStoredPolygon) {
      RepairedPolygon polygon = brush_.polygons[written & ~kStoredPolygon];
      const auto first = brush_.points.begin() + polygon.first;
      polygon.first = static_cast<std::uint32_t>(kept.points.size());
      kept.points.insert(kept.points.end(), first, first + polygon.count);
      written = kStoredPolygon | static_cast<std::uint32_t>(kept.polygons.size());
      kept.polygons.push_back(polygon);
    }
    kept.written.push_back(written);
  }
  brush_ = std::move(kept);
}

UnitNormal BrushRepair::NormalOf(const GridPoint* points, std::size_t count) {
  return ToUnitNormal(NewellNormal(points, count));
}

bool BrushRepair::RoundFace(const ModelPoint* points, std::size_t count, GridPoint* out) {
  for (std::size_t i = 0; i < count; ++i) {
    if (RoundPoint(points[i], out[i]) != Rounded::kOnGrid) return false;
  }
  return true;
}

bool BrushRepair::AddFace(const ModelPoint* points, std::size_t count, std::uint32_t source,
                          const Texel* texels, const TexelSize& size) {
  ++counts_.faces;
  texels_ = size.Known() ? texels : nullptr;
  size_ = size;
  const bool small = count == 3 || count == 4;
  const bool kept = small && AddValidSmallFace(points, count, source);
  const bool added = kept || AddRepairedFace(points, count, source);
  ++faceNumber_;
  return added;
}

bool BrushRepair::AddRepairedFace(const ModelPoint* points, std::size_t count, std::uint32_t source) {
  if (!LoadRing(points, count)) return false;
  RemoveRepeats();
  if (ring_.size() < 3 || FewerThanThreeDistinct(ring_.data(), ring_.size())) {
    ++counts_.degenerate;
    return false;
  }
  if (AllCollinear(ring_.data(), ring_.size())) {
    ++counts_.noArea;
    return false;
  }
  const std::size_t pieces = AddRing(source);
  if (pieces == 0) {
    ++counts_.noArea;
    return false;
  }
  counts_.piecesAdded += pieces - 1;
  return true;
}

bool BrushRepair::AddFaceAsIs(const ModelPoint* points, std::size_t count, std::uint32_t source) {
  ++counts_.faces;
  texels_ = nullptr;
  const std::uint32_t number = faceNumber_++;
  // Read again, a face rounds as it would here; only one longer than a reader takes is stored,
  // and only a stored one, or one off the grid (to be counted by kind), is rounded now.
  const bool kept = reader_ && count <= kMaxPoints;
  if (!(kept && OnGrid(points, count)) && !LoadRing(points, count)) return false;
  ++counts_.polygons;
  if (kept) {
    brush_.written.push_back(number);
  } else {
    brush_.Store(ring_.data(), count, source, number);
  }
  return true;
}

// The common case, without the scratch rings: a triangle or quad that is valid as it is.
// False when the face needs the full treatment.
bool BrushRepair::AddValidSmallFace(const ModelPoint* points, std::size_t count,
                                    std::uint32_t source) {
  GridPoint corners[4];
  for (std::size_t i = 0; i < count; ++i) {
    if (RoundPoint(points[i], corners[i]) != Rounded::kOnGrid) return false;
  }
  if (count == 3) {
    if (AllCollinear(corners, 3)) return false;
  } else {
    // A flat quad whose projection is convex has four distinct points and area.
    const Vector3d normal = NewellNormal(corners, 4);
    if (IsZero(normal)) return false;
    const PlaneProjection project(normal);
    const Point2 flat[4] = {project(corners[0]), project(corners[1]), project(corners[2]),
                            project(corners[3])};
    if (!IsFlatConvex(corners, flat, 4, normal)) return false;
  }
  if (!TexelsFit(corners, texels_, count)) return false;
  AddPolygon(corners, count, source, true);
  return true;
}

bool BrushRepair::TexelsFit(const GridPoint* ring, const Texel* texels, std::size_t count) const {
  TextureMapping mapping;
  return !texels || count == 3 || FitMapping(ring, texels, count, size_, mapping);
}

bool BrushRepair::LoadRing(const ModelPoint* points, std::size_t count) {
  ring_.resize(count);
  if (texels_) ringTexels_.assign(texels_, texels_ + count);
  Rounded worst = Rounded::kOnGrid;
  for (std::size_t i = 0; i < count; ++i) worst = Worse(worst, RoundPoint(points[i], ring_[i]));
  if (worst == Rounded::kNonFinite) ++counts_.nonFinite;
  if (worst == Rounded::kOutOfRange) ++counts_.outOfRange;
  return worst == Rounded::kOnGrid;
}

// Points that repeat the one before them (the last repeating the first included) add nothing.
void BrushRepair::RemoveRepeats() {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < ring_.size(); ++i) {
    if (kept > 0 && ring_[i] == ring_[kept - 1]) continue;
    if (texels_) ringTexels_[kept] = ringTexels_[i];
    ring_[kept++] = ring_[i];
  }
  while (kept > 1 && ring_[kept - 1] == ring_[0]) --kept;
  ring_.resize(kept);
  if (texels_) ringTexels_.resize(kept);
}

// Adds the ring as it is, cut into convex pieces, or cut into triangles; returns the number of
// pieces made (duplicates among them included).
std::size_t BrushRepair::AddRing(std::uint32_t source) {
  const std::size_t n = ring_.size();
  Vector3d normal = NewellNormal(ring_.data(), n);
  if (IsZero(normal)) normal = SpanNormal(ring_.data(), n);
  const PlaneProjection project(normal);
  flat_.resize(n);
  ringOrder_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    flat_[i] = project(ring_[i]);
    ringOrder_[i] = static_cast<std::uint32_t>(i);
  }
  if (IsFlatConvex(ring_.data(), flat_.data(), n, normal) &&
      TexelsFit(ring_.data(), texels_ ? ringTexels_.data() : nullptr, n)) {
    if (n <= kMaxPoints) {
      AddPolygon(ring_.data(), n, source);
      return 1;
    }
    if (SplitConvex(flat_.data(), n, kMaxPoints, pieces_)) {
      ++counts_.split;
      return AddConvexPieces(source);
    }
  }
  ++counts_.triangulated;
  return AddTriangles(ringOrder_.data(), n, source);
}

std::size_t BrushRepair::AddConvexPieces(std::uint32_t source) {
  std::size_t made = 0;
  const std::uint32_t* piece = pieces_.indices.data();
  for (const std::uint32_t size : pieces_.sizes) {
    made += AddFlatConvex(piece, size, source);
    piece += size;
  }
  return made;
}

// A piece of a flat convex ring is convex; it is flat too unless its own plane tilts away from
// the ring's, in which case it is cut into triangles.
std::size_t BrushRepair::AddFlatConvex(const std::uint32_t* ring, std::size_t count,
                                       std::uint32_t source) {
  GridPoint piece[kMaxPoints] = {};
  for (std::size_t i = 0; i < count; ++i) piece[i] = ring_[ring[i]];
  if (!IsFlat(piece, count, NewellNormal(piece, count))) return AddTriangles(ring, count, source);
  AddPolygon(piece, count, source);
  return 1;
}

std::size_t BrushRepair::AddTriangles(const std::uint32_t* ring, std::size_t count,
                                      std::uint32_t source) {
  pieceFlat_.resize(count);
  for (std::size_t i = 0; i < count; ++i) pieceFlat_[i] = flat_[ring[i]];
  clipper_.Clip(pieceFlat_.data(), count, triangles_);
  std::size_t added = 0;
  for (const RingTriangle& t : triangles_) {
    const GridPoint corners[3] = {ring_[ring[t[0]]], ring_[ring[t[1]]], ring_[ring[t[2]]]};
    // A triangle on one line has no area: the point between the other two stays in their edge.
    if (AllCollinear(corners, 3)) continue;
    AddPolygon(corners, 3, source);
    ++added;
  }
  return added;
}

void BrushRepair::AddPolygon(const GridPoint* points, std::size_t count, std::uint32_t source,
                             bool kept) {
  faces_.Add(points, count, static_cast<std::uint32_t>(brush_.written.size()));
  ++counts_.polygons;
  if (kept && reader_) {
    brush_.written.push_back(faceNumber_);
  } else {
    StorePolygon(points, count, source);
  }
}

RepairedPolygon& RepairedBrush::Store(const GridPoint* ring, std::size_t count, std::uint32_t source,
                                      std::uint32_t face) {
  written.push_back(kStoredPolygon | static_cast<std::uint32_t>(polygons.size()));
  polygons.push_back({static_cast<std::uint32_t>(points.size()), static_cast<std::uint32_t>(count),
                      ToUnitNormal(NewellNormal(ring, count)), source, face});
  points.insert(points.end(), ring, ring + count);
  return polygons.back();
}

void BrushRepair::StorePolygon(const GridPoint* points, std::size_t count, std::uint32_t source) {
  brush_.Store(points, count, source, faceNumber_);
}
