// A model's texture mapping on a polygon as map readers take it: a point P gets the texel
// s = (P - Origin) . U, t = (P - Origin) . V of the texture as imported, t growing down the image.
#pragma once

#include <cstddef>

#include "GridGeometry.h"

/// A texel of a texture: s across, t down, in texels.
struct Texel {
  double s, t;
};

/// The size a texture has in the editor, in texels.
struct TexelSize {
  double width = 0, height = 0;

  bool Known() const { return width > 0 && height > 0; }
};

struct TextureMapping {
  Vector3d u, v;    ///< texels per unit along each axis of the written coordinates
  Vector3d origin;  ///< where the mapping gives texel (0, 0), on the polygon's plane

  Texel At(const GridPoint& p) const;
};

/// Two texels this close are one, counted modulo the texture's size (textures tile).
constexpr double kTexelTolerance = 0.02;

/// Whether `a` and `b` are the same texel of a texture of `size`, within kTexelTolerance.
bool SameTexel(const Texel& a, const Texel& b, const TexelSize& size);

/// The mapping that gives each of `points[0..count)` (whole units, a flat polygon) its texel,
/// with U and V in the polygon's plane and the Origin on it, near its first point where the
/// mapping gives a texel that is a whole multiple of the size. False when the texels have no
/// area (all on one line), or when no one mapping gives every point its texel within
/// kTexelTolerance.
bool FitMapping(const GridPoint* points, const Texel* texels, std::size_t count,
                const TexelSize& size, TextureMapping& mapping);
