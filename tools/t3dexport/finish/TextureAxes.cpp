#include "TextureAxes.h"

#include <cmath>

namespace {

// The builder brush's faces: U and V for the normals +X, -X, +Y, -Y, +Z, -Z.
constexpr TextureAxes kPlusX{{0, -1, 0}, {0, 0, -1}};
constexpr TextureAxes kMinusX{{0, 1, 0}, {0, 0, -1}};
constexpr TextureAxes kPlusY{{1, 0, 0}, {0, 0, -1}};
constexpr TextureAxes kMinusY{{-1, 0, 0}, {0, 0, -1}};
constexpr TextureAxes kPlusZ{{1, 0, 0}, {0, 1, 0}};
constexpr TextureAxes kMinusZ{{1, 0, 0}, {0, -1, 0}};

}  // namespace

TextureAxes TextureAxesFor(double x, double y, double z) {
  const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
  if (az >= ax && az >= ay) return z < 0 ? kMinusZ : kPlusZ;
  if (ax >= ay) return x < 0 ? kMinusX : kPlusX;
  return y < 0 ? kMinusY : kPlusY;
}

const char* AxisComponentText(int component) {
  if (component > 0) return "+00001.000000";
  if (component < 0) return "-00001.000000";
  return "+00000.000000";
}
