#include "GridGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct Delta {
  std::int64_t x, y, z;
};

Delta Minus(GridPoint a, GridPoint b) {
  return {std::int64_t{a.x} - b.x, std::int64_t{a.y} - b.y, std::int64_t{a.z} - b.z};
}

Delta Cross(const Delta& a, const Delta& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool IsZero(const Delta& d) { return d.x == 0 && d.y == 0 && d.z == 0; }

// Index of the first point that differs from ring[0], or `count` when there is none.
std::size_t FirstOther(const GridPoint* ring, std::size_t count) {
  std::size_t i = 1;
  while (i < count && ring[i] == ring[0]) ++i;
  return i;
}

int Sign(std::int64_t value) { return (value > 0) - (value < 0); }

// Sign changes of a sequence of edge components read round the ring, zeros skipped: two for
// each revolution of a ring that never turns right.
class SignChanges {
 public:
  void Add(std::int64_t component) {
    const int sign = Sign(component);
    if (sign == 0) return;
    if (last_ == 0) {
      first_ = sign;
    } else if (sign != last_) {
      ++changes_;
    }
    last_ = sign;
  }
  int Total() const { return changes_ + (last_ != first_ ? 1 : 0); }

 private:
  int first_ = 0;
  int last_ = 0;
  int changes_ = 0;
};

}  // namespace

Vector3d NewellNormal(const GridPoint* ring, std::size_t count) {
  // Relative to the first point, so the sums stay small and exact for small rings.
  Vector3d n{0, 0, 0};
  for (std::size_t i = 0; i < count; ++i) {
    const Delta a = Minus(ring[i], ring[0]);
    const Delta b = Minus(ring[i + 1 == count ? 0 : i + 1], ring[0]);
    n.x += static_cast<double>((a.y - b.y) * (a.z + b.z));
    n.y += static_cast<double>((a.z - b.z) * (a.x + b.x));
    n.z += static_cast<double>((a.x - b.x) * (a.y + b.y));
  }
  return n;
}

Vector3d Normalised(const Vector3d& v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length == 0) return v;
  return {v.x / length, v.y / length, v.z / length};
}

Vector3d SpanNormal(const GridPoint* ring, std::size_t count) {
  const std::size_t other = FirstOther(ring, count);
  if (other == count) return {0, 0, 0};
  const Delta first = Minus(ring[other], ring[0]);
  for (std::size_t i = other + 1; i < count; ++i) {
    const Delta n = Cross(first, Minus(ring[i], ring[0]));
    if (!IsZero(n)) {
      return {static_cast<double>(n.x), static_cast<double>(n.y), static_cast<double>(n.z)};
    }
  }
  return {0, 0, 0};
}

bool AllCollinear(const GridPoint* ring, std::size_t count) {
  const Vector3d n = SpanNormal(ring, count);
  return n.x == 0 && n.y == 0 && n.z == 0;
}

bool FewerThanThreeDistinct(const GridPoint* ring, std::size_t count) {
  const std::size_t other = FirstOther(ring, count);
  for (std::size_t i = other + 1; i < count; ++i) {
    if (ring[i] != ring[0] && ring[i] != ring[other]) return false;
  }
  return true;
}

double Thickness(const GridPoint* ring, std::size_t count, const Vector3d& unit) {
  double low = 0, high = 0;
  for (std::size_t i = 1; i < count; ++i) {
    const Delta d = Minus(ring[i], ring[0]);
    const double along = unit.x * static_cast<double>(d.x) + unit.y * static_cast<double>(d.y) +
                         unit.z * static_cast<double>(d.z);
    low = std::min(low, along);
    high = std::max(high, along);
  }
  return high - low;
}

PlaneProjection::PlaneProjection(const Vector3d& normal) {
  const double ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
  double along = normal.z;
  if (ax > ay && ax > az) {
    axis_ = 0;
    along = normal.x;
  } else if (ay > az) {
    axis_ = 1;
    along = normal.y;
  }
  mirrored_ = along < 0;
}

Point2 PlaneProjection::operator()(GridPoint p) const {
  // The two kept coordinates in cyclic order (y z, z x, x y) keep the turning sense of a normal
  // that points along the dropped axis; swapping them mirrors it.
  std::int64_t a = p.x, b = p.y;
  if (axis_ == 0) {
    a = p.y;
    b = p.z;
  } else if (axis_ == 1) {
    a = p.z;
    b = p.x;
  }
  return mirrored_ ? Point2{b, a} : Point2{a, b};
}

bool ConvexInItsPlane(const GridPoint* ring, std::size_t count, const Vector3d& unit, double tolerance) {
  for (std::size_t i = 0; i < count; ++i) {
    const GridPoint& a = ring[i == 0 ? count - 1 : i - 1];
    const GridPoint& c = ring[i + 1 == count ? 0 : i + 1];
    const Delta ab = Minus(ring[i], a), ac = Minus(c, a);
    const Delta turn = Cross(ab, ac);
    const double length = std::sqrt(static_cast<double>(ac.x * ac.x + ac.y * ac.y + ac.z * ac.z));
    const double along = unit.x * static_cast<double>(turn.x) + unit.y * static_cast<double>(turn.y) +
                         unit.z * static_cast<double>(turn.z);
    if (length > 0 && along < -tolerance * length) return false;
  }
  return true;
}

bool IsConvex(const Point2* ring, std::size_t count) {
  if (count < 3) return false;
  SignChanges alongU, alongV;
  for (std::size_t i = 0; i < count; ++i) {
    const Point2 a = ring[i == 0 ? count - 1 : i - 1];
    const Point2 b = ring[i];
    const Point2 c = ring[i + 1 == count ? 0 : i + 1];
    const std::int64_t turn = Orient(a, b, c);
    if (turn < 0) return false;
    // A straight vertex goes on; one that turns back (or repeats a point) is a spike.
    if (turn == 0 && (b.u - a.u) * (c.u - b.u) + (b.v - a.v) * (c.v - b.v) <= 0) return false;
    alongU.Add(c.u - b.u);
    alongV.Add(c.v - b.v);
  }
  return alongU.Total() <= 2 && alongV.Total() <= 2;
}
