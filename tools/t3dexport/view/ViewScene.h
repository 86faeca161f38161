// A map as the picture draws it: every brush's polygons in world coordinates, with what kind of
// brush each is and whether a rebuild would find it open or inside out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MapReport.h"

/// How the picture colours a brush.
enum class BrushKind { kSubtractive, kAdditive, kNonSolid, kSemisolid, kOther, kBuilder };

struct ViewPoint {
  float x, y, z;
};

struct ViewBrush {
  std::string name;
  BrushKind kind = BrushKind::kOther;
  bool warned = false;    ///< a solid a rebuild finds open or wound inside out
  bool closed = false;    ///< a closed solid: its faces turned away are hidden
  ViewPoint centre{0, 0, 0};
};

/// A polygon: a run of ViewScene::points, its brush and its normal in world coordinates.
struct ViewPolygon {
  std::uint32_t first;
  std::uint32_t count;
  std::uint32_t brush;
  ViewPoint normal;
};

struct ViewScene {
  std::vector<ViewPoint> points;
  std::vector<ViewPolygon> polygons;
  std::vector<ViewBrush> brushes;
  ViewPoint low{0, 0, 0}, high{0, 0, 0};  ///< the box round every point
};

/// What reading a map for the picture found.
struct ViewRead {
  bool readable = true;
  std::vector<MapProblem> errors;
};

/// Reads the map at `path` with the map checker's reader into `scene`: each brush's polygons
/// placed by its Location, Rotation, MainScale, PostScale and PrePivot. The reference host's
/// services must be in the service table (MapCheckHost).
ViewRead ReadViewScene(const std::string& path, ViewScene& scene);
