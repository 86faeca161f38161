// Points on the whole-unit grid of a written map, and the exact tests polygon repair makes on them.
#pragma once

#include <cstddef>
#include <cstdint>

/// Largest coordinate magnitude on the grid. Every whole number up to it is exact as a float
/// (what the host serves), and products of coordinate differences stay exact in 64-bit integers
/// and in doubles.
constexpr std::int32_t kGridLimit = 1 << 24;

/// A vertex as the map writes it, in whole units.
struct GridPoint {
  std::int32_t x, y, z;
};

inline bool operator==(GridPoint a, GridPoint b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(GridPoint a, GridPoint b) { return !(a == b); }
inline bool operator<(GridPoint a, GridPoint b) {
  if (a.x != b.x) return a.x < b.x;
  if (a.y != b.y) return a.y < b.y;
  return a.z < b.z;
}

struct Vector3d {
  double x, y, z;
};

inline Vector3d operator-(const Vector3d& a, const Vector3d& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3d operator+(const Vector3d& a, const Vector3d& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3d operator*(double s, const Vector3d& v) { return {s * v.x, s * v.y, s * v.z}; }
inline double Dot(const Vector3d& a, const Vector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3d Cross(const Vector3d& a, const Vector3d& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

/// Newell's normal of the closed ring `ring[0..count)`: twice its vector area, not normalised.
Vector3d NewellNormal(const GridPoint* ring, std::size_t count);

/// `v` scaled to unit length; (0, 0, 0) stays as it is.
Vector3d Normalised(const Vector3d& v);

/// The normal of the first three points of `ring` that span a triangle; (0, 0, 0) when all are
/// on one line. For rings whose Newell normal vanishes (a figure eight).
Vector3d SpanNormal(const GridPoint* ring, std::size_t count);

/// True when every point of `ring` lies on one line (coincident points included). Exact.
bool AllCollinear(const GridPoint* ring, std::size_t count);

/// True when `ring` holds fewer than three different points.
bool FewerThanThreeDistinct(const GridPoint* ring, std::size_t count);

/// How far apart the points of `ring` lie along the unit normal `unit`: the width of the thinnest
/// slab with that normal that holds them all.
double Thickness(const GridPoint* ring, std::size_t count, const Vector3d& unit);

/// A point projected onto a coordinate plane.
struct Point2 {
  std::int64_t u, v;
};

inline bool operator==(Point2 a, Point2 b) { return a.u == b.u && a.v == b.v; }

/// Twice the signed area of the triangle abc: positive for a left turn. Exact on the grid.
inline std::int64_t Orient(Point2 a, Point2 b, Point2 c) {
  return (b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u);
}

/// Projection onto the coordinate plane that faces a normal most, oriented so that a ring the
/// normal sees turning counter-clockwise turns left (positive Orient) in the projection.
class PlaneProjection {
 public:
  /// `normal` need not be unit length but must not be zero.
  explicit PlaneProjection(const Vector3d& normal);

  Point2 operator()(GridPoint p) const;

 private:
  int axis_ = 2;  // the coordinate dropped: 0 x, 1 y, 2 z
  bool mirrored_ = false;
};

/// True when the projected ring is convex: no right turn, no spike that doubles back, and one
/// revolution in all (so it does not wind round twice or cross itself). Straight vertices are
/// allowed. A convex ring has no repeated point.
bool IsConvex(const Point2* ring, std::size_t count);

/// True when no point of `ring` lies farther than `tolerance` behind the line through its two
/// neighbours, measured in the ring's own plane (`unit` its unit normal): convex as map readers
/// see a ring that is flat but not exactly plane, which a projection onto a coordinate plane can
/// straighten.
bool ConvexInItsPlane(const GridPoint* ring, std::size_t count, const Vector3d& unit, double tolerance);
