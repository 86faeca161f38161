#include "MapPolygon.h"

#include <cmath>
#include <cstdio>

void MapPolygon::Begin(std::uint32_t line) {
  line_ = line;
  count_ = 0;
  unreadable_ = false;
  vertices_.clear();
}

void MapPolygon::AddVertex(const MapVector& vertex) {
  ++count_;
  if (vertices_.size() <= kMostVertices) vertices_.push_back(vertex);
}

void MapPolygon::AddUnreadableVertex() {
  ++count_;
  unreadable_ = true;
}

std::string MapPolygon::Problem() const {
  if (count_ > kMostVertices)
    return "polygon has " + std::to_string(count_) + " vertices; at most 16 are allowed";
  // The vertex line has its own problem; a shape without that vertex would mislead.
  if (unreadable_) return {};
  const std::size_t distinct = DistinctVertices();
  if (distinct < 3)
    return "polygon has " + std::to_string(distinct) + " distinct vertices; it needs 3";
  if (PolygonArea(vertices_.data(), vertices_.size()) <= kSmallestArea)
    return "polygon has zero area";
  const double distance = DistanceFromBestFitPlane(vertices_.data(), vertices_.size());
  if (distance > kPlanarTolerance) {
    // In thousandths through integers: a real's printed form would follow the locale.
    const long long thousandths = std::llround(distance * 1000);
    char text[96];
    std::snprintf(text, sizeof text,
                  "polygon is not planar: a vertex lies %lld.%03lld from its plane of best fit",
                  thousandths / 1000, thousandths % 1000);
    return text;
  }
  return {};
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
