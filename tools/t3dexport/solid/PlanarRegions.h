// Flat regions of a brush cut anew into as few convex polygons as their corners allow: merging
// neighbours depends on how the model's faces happened to be cut, re-cutting the region's
// outline from its reflex corners does not (an L-shaped cap becomes two quads, whatever its
// triangles were).
#pragma once

#include <cstddef>
#include <cstdint>

#include "BrushMesh.h"
#include "CoplanarMerge.h"

/// For each region of neighbouring polygons of `mesh` with one material (and allowed by
/// `mayMerge`) flat within `flatness` whose outline is one simple ring, cuts that ring along
/// diagonals from its reflex corners into convex polygons, and takes them in place of the
/// region's when they are fewer. Points must be whole numbers. Polygons made lose their tag.
/// Returns how many polygons fewer the brush has.
std::uint64_t RecutPlanarRegions(BrushMesh& mesh, double flatness, const MergeFilter& mayMerge);
