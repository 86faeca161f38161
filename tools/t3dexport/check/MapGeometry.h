// The measures of a polygon that decide whether map readers can use it.
#pragma once

#include <cstddef>

struct MapVector {
  double x, y, z;
};

inline bool operator==(const MapVector& a, const MapVector& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

/// Twice the vector area of the polygon through `count` vertices in order: it points the way
/// the polygon faces when its vertices turn counter-clockwise.
MapVector VectorArea(const MapVector* vertices, std::size_t count);

/// The area of the polygon through `count` vertices in order, from its vector area.
double PolygonArea(const MapVector* vertices, std::size_t count);

/// The largest distance of any of `count` vertices from their plane of best fit (least squares,
/// measured at right angles to the plane). 0 for fewer than four vertices.
double DistanceFromBestFitPlane(const MapVector* vertices, std::size_t count);
