// One polygon block of a map, collected vertex by vertex and judged at its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MapGeometry.h"

class MapPolygon {
 public:
  static constexpr std::size_t kMostVertices = 16;
  /// How far a vertex may lie from the plane of best fit.
  static constexpr double kPlanarTolerance = 0.1;
  /// Areas up to this count as none: the polygon has no normal a reader can trust.
  static constexpr double kSmallestArea = 1e-4;

  /// Starts a polygon whose Begin line is `line`.
  void Begin(std::uint32_t line);
  void AddVertex(const MapVector& vertex);
  /// Counts a vertex whose values could not be read; the polygon's shape is then not judged.
  void AddUnreadableVertex();
  std::uint32_t Line() const { return line_; }
  /// What is wrong with the polygon, or an empty text: too many vertices, fewer than three
  /// distinct ones, no area, or vertices off its plane.
  std::string Problem() const;

 private:
  std::size_t DistinctVertices() const;

  std::uint32_t line_ = 0;
  std::size_t count_ = 0;
  bool unreadable_ = false;
  // The first kMostVertices + 1 vertices: enough to judge, whatever the count.
  std::vector<MapVector> vertices_;
};
