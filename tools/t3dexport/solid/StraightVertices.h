// Points that every polygon using them passes straight through: left over where merged
// polygons met, they only add vertices.
#pragma once

#include <cstdint>

#include "BrushMesh.h"

/// Takes out of `mesh` each point that lies exactly between its two neighbours in every polygon
/// that uses it (points must be whole numbers). Polygons that lose a point lose their tag.
/// Returns how many points were taken out.
std::uint64_t RemoveStraightVertices(BrushMesh& mesh);
