#include "MapPolygon.h"

#include <cmath>
#include <cstdio>

#include "MapReport.h"

namespace {

MapVector Minus(const MapVector& a, const MapVector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
MapVector Cross(const MapVector& a, const MapVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const MapVector& a, const MapVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// In thousandths through integers: a real's printed form would follow the locale.
std::string Thousandths(double value) {
  const long long thousandths = std::llround(value * 1000);
  char text[48];
  std::snprintf(text, sizeof text, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
  return text;
}

}  // namespace

void MapPolygon::Begin(std::uint32_t line) {
  line_ = line;
  count_ = 0;
  unreadable_ = false;
  hasNormal_ = false;
  vertices_.clear();
}

void MapPolygon::AddVertex(const MapVector& vertex) {
  ++count_;
  if (!unreadable_) vertices_.push_back(vertex);
}

void MapPolygon::AddUnreadableVertex() {
  ++count_;
  unreadable_ = true;
  vertices_.clear();
}

void MapPolygon::SetNormal(const MapVector& normal) {
  hasNormal_ = true;
  normal_ = normal;
}

void MapPolygon::Judge(MapReport& report) const {
  if (count_ > kMostVertices)
    report.AddAt(line_, Severity::kError,
                 "polygon has " + std::to_string(count_) + " vertices; at most 16 are allowed");
  // The vertex line has its own problem; a shape without that vertex would mislead.
  if (unreadable_) return;
  const std::size_t distinct = DistinctVertices();
  if (distinct < 3) {
    report.AddAt(line_, Severity::kError,
                 "polygon has " + std::to_string(distinct) + " distinct vertices; it needs 3");
    return;
  }
  if (PolygonArea(vertices_.data(), vertices_.size()) <= kSmallestArea) {
    report.AddAt(line_, Severity::kError, "polygon has zero area");
    return;
  }
  const double distance = DistanceFromBestFitPlane(vertices_.data(), vertices_.size());
  if (distance > kPlanarTolerance) {
    report.AddAt(line_, Severity::kWarning,
                 "polygon is not planar: a vertex lies " + Thousandths(distance) +
                     " from its plane of best fit");
  }
  const MapVector winding = VectorArea(vertices_.data(), vertices_.size());
  if (Concave(winding)) report.AddAt(line_, Severity::kWarning, "polygon is concave");
  if (hasNormal_ && Dot(normal_, winding) < 0) {
    report.AddAt(line_, Severity::kWarning,
                 "the Normal line points against the polygon's winding: (V1 - V0) x (V2 - V0) "
                 "faces the other way");
  }
}

std::size_t MapPolygon::DistinctVertices() const {
  std::size_t distinct = 0;
  for (std::size_t i = 0; i < vertices_.size(); ++i) {
    bool seen = false;
    for (std::size_t j = 0; j < i && !seen; ++j) seen = vertices_[j] == vertices_[i];
    if (!seen) ++distinct;
  }
  return distinct;
}

// A vertex that turns against the polygon's winding, farther than the tolerance outside the
// line through its neighbours, measured in the polygon's plane.
bool MapPolygon::Concave(const MapVector& winding) const {
  const double area = std::sqrt(Dot(winding, winding));
  if (area == 0) return false;
  const MapVector unit{winding.x / area, winding.y / area, winding.z / area};
  const std::size_t n = vertices_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const MapVector& a = vertices_[(i + n - 1) % n];
    const MapVector& b = vertices_[i];
    const MapVector& c = vertices_[(i + 1) % n];
    const MapVector chord = Minus(c, a);
    const double length = std::sqrt(Dot(chord, chord));
    if (length == 0) continue;
    // Twice the signed area of the corner's triangle in the plane: negative where it turns back.
    if (Dot(Cross(Minus(b, a), chord), unit) / length < -kStraightTolerance) return true;
  }
  return false;
}
