// Texture axes of a world-aligned planar mapping, as the builder brush's faces carry them.
#pragma once

/// A direction along one map axis: each component -1, 0 or +1.
struct AxisVector {
  int x, y, z;
};

/// The TextureU and TextureV directions of a polygon.
struct TextureAxes {
  AxisVector u, v;
};

/// The texture axes of a polygon whose normal, in the axes of the written values, is (x, y, z):
/// those of the builder brush's face for the axis the normal points along most (Z before X
/// before Y when two are equal; a zero normal faces +Z).
TextureAxes TextureAxesFor(double x, double y, double z);

/// The written form of an axis component, as "%+013.6f" writes -1, 0 and +1 with the zero
/// always signed '+': "-00001.000000", "+00000.000000", "+00001.000000".
const char* AxisComponentText(int component);
