// Two polygons over the same points wound opposite ways: a fold of no volume inside a surface
// (rounding flattens thin parts into them), or the two sides of a sheet.
#pragma once

#include <cstdint>

#include "BrushMesh.h"

/// Takes both polygons of a fold out of `mesh` when other polygons meet it along an edge, so
/// those meet each other instead; of a sheet with two sides, which nothing else meets, the
/// second side. Returns how many polygons were taken out.
std::uint64_t RemoveFolds(BrushMesh& mesh);
