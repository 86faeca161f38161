// Large scenes for the export benchmarks, kept in arrays: the host makes no object per polygon.
#pragma once

#include <cstdint>
#include <vector>

#include "THostScene.h"
#include "support/ArrayScene.h"

/// About `polygons` polygons, half quads and half triangles, over eight instances with their own
/// placement and four shading domains (no material, two textures, one that keeps the previous
/// texture), in a host scene whose groups answer from the arrays.
class TBenchScene {
 public:
  static constexpr int kInstances = 8;

  explicit TBenchScene(std::uint64_t polygons);
  TBenchScene(const TBenchScene&) = delete;
  TBenchScene& operator=(const TBenchScene&) = delete;

  THostScene& Host() { return host_; }
  const std::vector<TArrayInstance>& Instances() const { return instances_; }
  std::uint64_t Polygons() const { return polygons_; }
  /// Vertex lines of the map: one per polygon corner.
  std::uint64_t VertexLines() const { return vertexLines_; }

 private:
  std::vector<TArrayInstance> instances_;
  THostScene host_;
  std::uint64_t polygons_ = 0;
  std::uint64_t vertexLines_ = 0;
};
