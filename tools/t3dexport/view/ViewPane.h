// One pane of a map's picture, drawn with Cairo: the top, front and side views the editors
// show, or a view in perspective.
#pragma once

#include <cairo.h>

#include "ViewScene.h"

enum class ViewKind { kTop, kFront, kSide, kPerspective };

struct PaneRect {
  double x, y, width, height;
};

/// Draws `scene` into `rect`: the grid every 256 units with its scale (orthographic panes),
/// the polygons filled with flat shading from a fixed light, farthest first, and their edges;
/// brushes a rebuild finds open or inside out outlined in the warning colour; the builder brush
/// as a red wireframe; with `labels`, each brush's name at its centre.
///   top: X to the right, Y down; front: X to the right, Z up; side: Y to the right, Z up.
void DrawPane(cairo_t* cr, const ViewScene& scene, ViewKind kind, const PaneRect& rect, bool labels);

/// The key to the colours, in the lower left corner of `rect`.
void DrawLegend(cairo_t* cr, const PaneRect& rect);
