// A small scene of box brushes that every build exports end to end: the Linux build writes its
// maps through the reference host, and each Windows host builds the same scene with its own
// objects and must get the same bytes from T3dExport.dll. The boxes are placed so that the
// single-precision transform, the rounding of vertices (ties and negative zeros included) and
// the location numbers all matter.
#pragma once

#include <cstdint>

#include "KXGeometry.h"

/// A shading domain's material: a texture name, or none; and whether it keeps the texture of the
/// polygon before it.
struct TBoxMaterial {
  std::int16_t domain;
  const char* texture;  // null: the material has no texture
  bool keepsPrevious;
};

/// One box brush: its placement (the host's transform record), reference point, size, the
/// domains of its faces and the materials of its instance.
struct TBox {
  const char* name;
  float linear[9];
  TKXVector3 translation;
  float scale;
  TKXVector3 centre;
  TKXVector3 axisScale;
  TKXVector3 reference;
  TKXVector3 size;
  std::int16_t sideDomain;
  std::int16_t topDomain;
  std::int16_t bottomDomain;
  TBoxMaterial materials[2];  // a domain listed nowhere has no material: the default name
  bool excluded;              // the instance answers kKXIIDExcludedKindA
};

/// The texture of polygons whose domain has no material.
inline constexpr const char* kBoxDefaultMaterial = "Default";

// Turned by 30 degrees about Z: cos and sin as the nearest floats.
#define T3D_BOX_TURNED {0.8660254f, -0.5f, 0, 0.5f, 0.8660254f, 0, 0, 0, 1}
#define T3D_BOX_STRAIGHT {1, 0, 0, 0, 1, 0, 0, 0, 1}

inline constexpr TBox kBoxScene[] = {
    {"Floor", T3D_BOX_STRAIGHT, {0, 0, -16}, 1, {0, 0, 0}, {1, 1, 1}, {0, 0, 0},
     {1024, 1024, 32}, 1, 2, 2, {{1, "Concrete", false}, {2, "FloorTiles", false}}, false},
    {"Ramp", T3D_BOX_TURNED, {-200.25f, 96.5f, 40}, 1, {0, 0, 0}, {1, 1, 1}, {0.5f, -0.5f, 1},
     {256, 96, 33}, 1, 2, 3, {{1, "Wood", false}, {2, nullptr, true}}, false},
    {"Crate", T3D_BOX_TURNED, {123.456f, -78.9f, 0.4f}, 1.5f, {8, 8, 0}, {1, 2, 0.5f},
     {1.25f, -2.75f, 3.125f}, {21, 13, 7}, 3, 1, 2, {{1, "Metal", false}, {2, nullptr, true}},
     false},
    {"Hidden", T3D_BOX_STRAIGHT, {0, 0, 0}, 1, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {8, 8, 8}, 1, 1,
     1, {{1, "Nothing", false}, {2, nullptr, false}}, true},
    {"Pillar", T3D_BOX_STRAIGHT, {-0.4f, 0.5f, -0.5f}, 1, {0, 0, 0}, {1, 1, 1}, {0, 0, 160},
     {1, 3, 320}, 1, 2, 2, {{1, "Marble", false}, {2, "MarbleTop", false}}, false},
};

#undef T3D_BOX_TURNED
#undef T3D_BOX_STRAIGHT

/// The instance whose element is the top of the single-object export.
inline constexpr const char* kBoxSceneObject = "Crate";

/// The transform record of `box`.
inline TKXTransform BoxPlacement(const TBox& box) {
  TKXTransform placement;
  for (int i = 0; i < 9; ++i) placement.linear[i] = box.linear[i];
  placement.translation = box.translation;
  placement.scale = box.scale;
  placement.centre = box.centre;
  placement.axisScale = box.axisScale;
  return placement;
}

/// One quad of a box: its group (0 for the sides, 1 for top and bottom), corners in the host's
/// order, normal and domain.
struct TBoxFace {
  int group;
  TKXVector3 corners[4];
  TKXVector3 normal;
  std::int16_t domain;
};

constexpr int kBoxFaceCount = 6;
constexpr int kBoxGroupCount = 2;

/// The six faces of `box` around its own origin.
inline void BoxFaces(const TBox& box, TBoxFace (&faces)[kBoxFaceCount]) {
  const float x = box.size.x / 2, y = box.size.y / 2, z = box.size.z / 2;
  const std::int16_t side = box.sideDomain;
  faces[0] = {0, {{-x, -y, -z}, {-x, y, -z}, {-x, y, z}, {-x, -y, z}}, {-1, 0, 0}, side};
  faces[1] = {0, {{x, -y, -z}, {x, -y, z}, {x, y, z}, {x, y, -z}}, {1, 0, 0}, side};
  faces[2] = {0, {{-x, -y, -z}, {-x, -y, z}, {x, -y, z}, {x, -y, -z}}, {0, -1, 0}, side};
  faces[3] = {0, {{-x, y, -z}, {x, y, -z}, {x, y, z}, {-x, y, z}}, {0, 1, 0}, side};
  faces[4] = {1, {{-x, -y, z}, {-x, y, z}, {x, y, z}, {x, -y, z}}, {0, 0, 1}, box.topDomain};
  faces[5] = {1, {{-x, -y, -z}, {x, -y, -z}, {x, y, -z}, {-x, y, -z}}, {0, 0, -1},
              box.bottomDomain};
}
