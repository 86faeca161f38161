#include "MapGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

MapVector Minus(const MapVector& a, const MapVector& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

MapVector Cross(const MapVector& a, const MapVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const MapVector& a, const MapVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

MapVector Centroid(const MapVector* vertices, std::size_t count) {
  MapVector sum{0, 0, 0};
  for (std::size_t i = 0; i < count; ++i)
    sum = {sum.x + vertices[i].x, sum.y + vertices[i].y, sum.z + vertices[i].z};
  const auto n = static_cast<double>(count);
  return {sum.x / n, sum.y / n, sum.z / n};
}

// The symmetric scatter matrix of the vertices about `centre`, as its rows.
struct Scatter {
  MapVector rows[3];
};

Scatter ScatterAbout(const MapVector* vertices, std::size_t count, const MapVector& centre) {
  Scatter s{};
  for (std::size_t i = 0; i < count; ++i) {
    const MapVector d = Minus(vertices[i], centre);
    s.rows[0] = {s.rows[0].x + d.x * d.x, s.rows[0].y + d.x * d.y, s.rows[0].z + d.x * d.z};
    s.rows[1] = {s.rows[1].x + d.y * d.x, s.rows[1].y + d.y * d.y, s.rows[1].z + d.y * d.z};
    s.rows[2] = {s.rows[2].x + d.z * d.x, s.rows[2].y + d.z * d.y, s.rows[2].z + d.z * d.z};
  }
  return s;
}

// The smallest eigenvalue of a symmetric 3x3 matrix, from the trigonometric solution of its
// characteristic cubic.
double SmallestEigenvalue(const Scatter& s) {
  const double a = s.rows[0].x, b = s.rows[1].y, c = s.rows[2].z;
  const double d = s.rows[0].y, e = s.rows[0].z, f = s.rows[1].z;
  const double off = d * d + e * e + f * f;
  const double q = (a + b + c) / 3;
  const double p2 = (a - q) * (a - q) + (b - q) * (b - q) + (c - q) * (c - q) + 2 * off;
  if (p2 == 0) return q;
  const double p = std::sqrt(p2 / 6);
  const double ba = (a - q) / p, bb = (b - q) / p, bc = (c - q) / p;
  const double bd = d / p, be = e / p, bf = f / p;
  const double det = ba * (bb * bc - bf * bf) - bd * (bd * bc - bf * be) + be * (bd * bf - bb * be);
  const double r = std::clamp(det / 2, -1.0, 1.0);
  return q + 2 * p * std::cos(std::acos(r) / 3 + 2 * kPi / 3);
}

// A unit vector the matrix minus `lambda` times the identity sends to zero: the longest cross
// product of two of its rows. (0, 0, 1) when every direction is one.
MapVector EigenvectorOf(const Scatter& s, double lambda) {
  MapVector rows[3] = {s.rows[0], s.rows[1], s.rows[2]};
  rows[0].x -= lambda;
  rows[1].y -= lambda;
  rows[2].z -= lambda;
  const MapVector candidates[3] = {Cross(rows[0], rows[1]), Cross(rows[0], rows[2]),
                                   Cross(rows[1], rows[2])};
  const MapVector* best = &candidates[0];
  for (const MapVector& c : candidates)
    if (Dot(c, c) > Dot(*best, *best)) best = &c;
  const double length = std::sqrt(Dot(*best, *best));
  if (length == 0) return {0, 0, 1};
  return {best->x / length, best->y / length, best->z / length};
}

}  // namespace

MapVector VectorArea(const MapVector* vertices, std::size_t count) {
  // Relative to the first vertex, so large coordinates lose no precision to the products.
  MapVector sum{0, 0, 0};
  for (std::size_t i = 1; i + 1 < count; ++i) {
    const MapVector c = Cross(Minus(vertices[i], vertices[0]), Minus(vertices[i + 1], vertices[0]));
    sum = {sum.x + c.x, sum.y + c.y, sum.z + c.z};
  }
  return sum;
}

double PolygonArea(const MapVector* vertices, std::size_t count) {
  const MapVector sum = VectorArea(vertices, count);
  return std::sqrt(Dot(sum, sum)) / 2;
}

double DistanceFromBestFitPlane(const MapVector* vertices, std::size_t count) {
  if (count < 4) return 0;
  const MapVector centre = Centroid(vertices, count);
  const Scatter scatter = ScatterAbout(vertices, count, centre);
  const MapVector normal = EigenvectorOf(scatter, SmallestEigenvalue(scatter));
  double largest = 0;
  for (std::size_t i = 0; i < count; ++i)
    largest = std::max(largest, std::abs(Dot(Minus(vertices[i], centre), normal)));
  return largest;
}
