// Neighbouring polygons that lie in one plane merged into fewer, larger convex ones: a cube of
// twelve triangles becomes six squares again, each one cut and one face to texture less.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "BrushMesh.h"

/// Whether polygons `p` and `q` of the mesh as given (each standing for the polygons merged
/// with it) may become one, beyond lying in one plane: the same material, say.
using MergeFilter = std::function<bool(std::uint32_t p, std::uint32_t q)>;

struct MergeResult {
  std::uint64_t merged = 0;  ///< polygons merged away
  /// Whether some neighbours lie in one plane but make no convex polygon together: a flat
  /// region merging alone may leave in more pieces than it needs.
  bool concaveLeft = false;
};

/// Told the share of a long piece of work done so far, from 0 to 1.
using WorkProgress = std::function<void(double share)>;

/// Merges polygons of `mesh` across shared edges (each edge run once each way) while the merged
/// polygon is flat within `flatness` (the spread of its points along its normal), convex and of
/// at most `most` points, and `mayMerge` allows it; the merges that leave the roundest polygons
/// go first. Points must be whole numbers. Merged polygons lose their tag. `progress`, if any,
/// hears how far it is.
MergeResult MergeCoplanar(BrushMesh& mesh, std::size_t most, double flatness,
                          const MergeFilter& mayMerge, const WorkProgress& progress = {});
