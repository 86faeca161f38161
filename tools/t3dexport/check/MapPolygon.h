// One polygon block of a map, collected line by line and judged at its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MapGeometry.h"

class MapReport;

class MapPolygon {
 public:
  static constexpr std::size_t kMostVertices = 16;
  /// How far a vertex may lie from the plane of best fit.
  static constexpr double kPlanarTolerance = 0.1;
  /// Areas up to this count as none: the polygon has no normal a reader can trust.
  static constexpr double kSmallestArea = 1e-4;
  /// How far a vertex may lie outside the line through its neighbours before the polygon counts
  /// as concave: the distance at which editors take two points for near.
  static constexpr double kStraightTolerance = 0.015;

  /// Starts a polygon whose Begin line is `line`.
  void Begin(std::uint32_t line);
  void AddVertex(const MapVector& vertex);
  /// Counts a vertex whose values could not be read; the polygon's shape is then not judged.
  void AddUnreadableVertex();
  /// The values of its Normal line.
  void SetNormal(const MapVector& normal);

  std::uint32_t Line() const { return line_; }
  /// Its vertices, when every vertex line was read; otherwise none.
  const std::vector<MapVector>& Vertices() const { return vertices_; }
  /// Reports what is wrong with it: errors (too many vertices, fewer than three distinct ones,
  /// no area) and warnings (vertices off its plane, concave, a Normal line against its winding).
  void Judge(MapReport& report) const;

 private:
  std::size_t DistinctVertices() const;
  bool Concave(const MapVector& normal) const;

  std::uint32_t line_ = 0;
  std::size_t count_ = 0;
  bool unreadable_ = false;
  bool hasNormal_ = false;
  MapVector normal_{0, 0, 0};
  std::vector<MapVector> vertices_;
};
