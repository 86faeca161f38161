#include "ViewPane.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "GridGeometry.h"

namespace {

struct Colour {
  double r, g, b;
};

constexpr Colour kBackground{0.15, 0.15, 0.17};
constexpr Colour kGrid{0.24, 0.24, 0.27};
constexpr Colour kAxis{0.36, 0.36, 0.40};
constexpr Colour kText{0.86, 0.86, 0.86};
constexpr Colour kWarning{1.0, 0.88, 0.10};
constexpr Colour kBuilder{0.95, 0.15, 0.15};
constexpr double kGridStep = 256;
/// Grid lines closer than this many pixels are thinned to every fourth.
constexpr double kFinestGrid = 8;
constexpr double kMargin = 24;
/// Faces in the orthographic panes let what lies behind them show through, as an editor's
/// wireframe views show every brush.
constexpr double kOrthographicFill = 0.55;
constexpr double kPi = 3.14159265358979323846;

Colour KindColour(BrushKind kind) {
  switch (kind) {
    case BrushKind::kSubtractive: return {0.86, 0.62, 0.26};
    case BrushKind::kAdditive: return {0.36, 0.56, 0.92};
    case BrushKind::kNonSolid: return {0.40, 0.78, 0.46};
    case BrushKind::kSemisolid: return {0.84, 0.46, 0.80};
    case BrushKind::kOther: return {0.62, 0.60, 0.70};
    case BrushKind::kBuilder: return kBuilder;
  }
  return kText;
}

void SetColour(cairo_t* cr, const Colour& c, double shade = 1, double alpha = 1) {
  cairo_set_source_rgba(cr, c.r * shade, c.g * shade, c.b * shade, alpha);
}

Vector3d Of(const ViewPoint& p) { return {p.x, p.y, p.z}; }

// The light every face is shaded by: from above, a little from the front and the side.
const Vector3d kLight = Normalised({0.35, -0.55, 0.75});

// Where the world goes in a pane: screen coordinates, and how near the viewer a point is.
class Projection {
 public:
  Projection(const ViewScene& scene, ViewKind kind, const PaneRect& rect) : kind_(kind) {
    const Vector3d low = Of(scene.low), high = Of(scene.high);
    centre_ = {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
    const double width = rect.width - 2 * kMargin, height = rect.height - 2 * kMargin;
    screenCentre_[0] = rect.x + rect.width / 2;
    screenCentre_[1] = rect.y + rect.height / 2;
    if (kind == ViewKind::kPerspective) {
      SetCamera(high - low, std::min(width, height));
      return;
    }
    const Vector3d size = high - low;
    double across = kind == ViewKind::kSide ? size.y : size.x;
    double down = kind == ViewKind::kTop ? size.y : size.z;
    across = std::max(across, 1.0);
    down = std::max(down, 1.0);
    scale_ = std::min(width / across, height / down);
  }

  bool Orthographic() const { return kind_ != ViewKind::kPerspective; }
  double Scale() const { return scale_; }

  /// The screen position of `p`; false when it lies behind the viewer.
  bool Screen(const Vector3d& p, double& sx, double& sy) const {
    const Vector3d d = p - centre_;
    switch (kind_) {
      case ViewKind::kTop: sx = d.x; sy = d.y; break;
      case ViewKind::kFront: sx = d.x; sy = -d.z; break;
      case ViewKind::kSide: sx = d.y; sy = -d.z; break;
      case ViewKind::kPerspective: {
        // Map axes are left-handed: Y turned over, the view is not mirrored.
        const Vector3d q = Vector3d{p.x, -p.y, p.z} - eye_;
        const double depth = Dot(q, forward_);
        if (depth < near_) return false;
        sx = Dot(q, right_) * focal_ / depth;
        sy = -Dot(q, up_) * focal_ / depth;
        sx += screenCentre_[0];
        sy += screenCentre_[1];
        return true;
      }
    }
    sx = sx * scale_ + screenCentre_[0];
    sy = sy * scale_ + screenCentre_[1];
    return true;
  }

  /// How near the viewer `p` is: larger is nearer.
  double Nearness(const Vector3d& p) const {
    switch (kind_) {
      case ViewKind::kTop: return p.z;
      case ViewKind::kFront: return -p.y;
      case ViewKind::kSide: return p.x;
      case ViewKind::kPerspective: return -Dot(Vector3d{p.x, -p.y, p.z} - eye_, forward_);
    }
    return 0;
  }

  /// Whether a face at `p` with world normal `n` faces the viewer.
  bool Facing(const Vector3d& p, const Vector3d& n) const {
    switch (kind_) {
      case ViewKind::kTop: return n.z > 0;
      case ViewKind::kFront: return n.y < 0;
      case ViewKind::kSide: return n.x > 0;
      case ViewKind::kPerspective: return Dot({n.x, -n.y, n.z}, eye_ - Vector3d{p.x, -p.y, p.z}) > 0;
    }
    return true;
  }

 private:
  void SetCamera(const Vector3d& size, double pixels) {
    const double radius = std::max(0.5 * std::sqrt(Dot(size, size)), 1.0);
    const double halfField = 25 * kPi / 180;
    const Vector3d direction = Normalised({-0.55, -0.75, 0.8});
    const double distance = radius / std::sin(halfField);
    const Vector3d target{centre_.x, -centre_.y, centre_.z};
    eye_ = {target.x + direction.x * distance, target.y + direction.y * distance,
            target.z + direction.z * distance};
    forward_ = Normalised(target - eye_);
    right_ = Normalised(Cross(forward_, {0, 0, 1}));
    up_ = Cross(right_, forward_);
    focal_ = pixels / 2 / std::tan(halfField);
    near_ = distance * 1e-3;
  }

  ViewKind kind_;
  Vector3d centre_{0, 0, 0};
  double screenCentre_[2] = {0, 0};
  double scale_ = 1;
  Vector3d eye_{0, 0, 0}, forward_{0, 0, 1}, right_{1, 0, 0}, up_{0, 1, 0};
  double focal_ = 1, near_ = 1;
};

const char* Title(ViewKind kind) {
  switch (kind) {
    case ViewKind::kTop: return "TOP";
    case ViewKind::kFront: return "FRONT";
    case ViewKind::kSide: return "SIDE";
    case ViewKind::kPerspective: return "PERSPECTIVE";
  }
  return "";
}

void Text(cairo_t* cr, double x, double y, const std::string& text, const Colour& colour) {
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_move_to(cr, x + 1, y + 1);
  cairo_show_text(cr, text.c_str());
  SetColour(cr, colour);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

// Lines every kGridStep units (every fourth of them, and so on, where they would crowd), those
// through the origin brighter, and the spacing in words.
void DrawGrid(cairo_t* cr, const Projection& projection, ViewKind kind, const PaneRect& rect) {
  double step = kGridStep;
  while (step * projection.Scale() < kFinestGrid) step *= 4;
  double originX = 0, originY = 0;
  projection.Screen({0, 0, 0}, originX, originY);
  const double pixels = step * projection.Scale();
  cairo_set_line_width(cr, 1);
  for (int vertical = 0; vertical < 2; ++vertical) {
    const double origin = vertical ? originX : originY;
    const double from = vertical ? rect.x : rect.y, to = from + (vertical ? rect.width : rect.height);
    for (double at = origin - std::floor((origin - from) / pixels) * pixels; at <= to; at += pixels) {
      SetColour(cr, std::fabs(at - origin) < 0.5 ? kAxis : kGrid);
      const double line = std::floor(at) + 0.5;
      if (vertical) {
        cairo_move_to(cr, line, rect.y);
        cairo_line_to(cr, line, rect.y + rect.height);
      } else {
        cairo_move_to(cr, rect.x, line);
        cairo_line_to(cr, rect.x + rect.width, line);
      }
      cairo_stroke(cr);
    }
  }
  char label[96];
  std::snprintf(label, sizeof label, "%s   grid %.0f units", Title(kind), step);
  Text(cr, rect.x + 8, rect.y + 16, label, kText);
}

struct Drawn {
  double nearness;
  std::uint32_t polygon;
};

// The polygons the pane shows, farthest first: faces of closed solids turned away are hidden.
std::vector<Drawn> PaintOrder(const ViewScene& scene, const Projection& projection) {
  std::vector<Drawn> order;
  order.reserve(scene.polygons.size());
  for (std::uint32_t i = 0; i < scene.polygons.size(); ++i) {
    const ViewPolygon& polygon = scene.polygons[i];
    const ViewBrush& brush = scene.brushes[polygon.brush];
    if (brush.kind == BrushKind::kBuilder) continue;
    Vector3d centre{0, 0, 0};
    for (std::uint32_t k = 0; k < polygon.count; ++k) {
      const Vector3d p = Of(scene.points[polygon.first + k]);
      centre = {centre.x + p.x, centre.y + p.y, centre.z + p.z};
    }
    centre = {centre.x / polygon.count, centre.y / polygon.count, centre.z / polygon.count};
    if (brush.closed && !projection.Facing(centre, Of(polygon.normal))) continue;
    order.push_back({projection.Nearness(centre), i});
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Drawn& a, const Drawn& b) { return a.nearness < b.nearness; });
  return order;
}

// A polygon as the pane shows it: its points on the screen and the box round them.
struct Flat {
  double x[16], y[16];
  std::uint32_t count = 0;
  double lowX = 1e300, lowY = 1e300, highX = -1e300, highY = -1e300;

  bool Tiny() const { return highX - lowX < 1 && highY - lowY < 1; }
  /// Too small for its edges to show anything but a darker blot.
  bool Small() const { return highX - lowX < 3 && highY - lowY < 3; }
};

// The polygon on the screen (its first sixteen points); false when a point lies behind the viewer.
bool Project(const ViewScene& scene, const ViewPolygon& polygon, const Projection& projection, Flat& flat) {
  flat = Flat{};
  for (std::uint32_t k = 0; k < polygon.count && k < 16; ++k) {
    double& x = flat.x[k];
    double& y = flat.y[k];
    if (!projection.Screen(Of(scene.points[polygon.first + k]), x, y)) return false;
    flat.lowX = std::min(flat.lowX, x);
    flat.lowY = std::min(flat.lowY, y);
    flat.highX = std::max(flat.highX, x);
    flat.highY = std::max(flat.highY, y);
    flat.count = k + 1;
  }
  return true;
}

// The polygon's outline as the current path; a tiny one is its pixel.
void Outline(cairo_t* cr, const Flat& flat) {
  cairo_new_path(cr);
  if (flat.Tiny()) {
    cairo_rectangle(cr, std::floor(flat.lowX), std::floor(flat.lowY), 1, 1);
    return;
  }
  cairo_move_to(cr, flat.x[0], flat.y[0]);
  for (std::uint32_t k = 1; k < flat.count; ++k) cairo_line_to(cr, flat.x[k], flat.y[k]);
  cairo_close_path(cr);
}

// Of the polygons smaller than a pixel, only the nearest one at each pixel shows: the others
// are left out, so a dense mesh costs no more than the pixels it covers.
class PixelClaims {
 public:
  PixelClaims(int width, int height) : width_(width), height_(height), claimed_(std::size_t(width) * height, 0) {}

  /// Whether `flat`, met nearest first, is the first tiny polygon at its pixel.
  bool Claim(const Flat& flat) {
    const int x = static_cast<int>(std::floor(flat.lowX)), y = static_cast<int>(std::floor(flat.lowY));
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    char& claim = claimed_[std::size_t(y) * width_ + x];
    return !std::exchange(claim, 1);
  }

 private:
  int width_, height_;
  std::vector<char> claimed_;
};

void DrawPolygons(cairo_t* cr, const ViewScene& scene, const Projection& projection, const PaneRect& rect) {
  cairo_set_line_width(cr, 0.7);
  const double alpha = projection.Orthographic() ? kOrthographicFill : 1;
  const std::vector<Drawn> order = PaintOrder(scene, projection);
  // Nearest first, which tiny polygons show; then farthest first, drawing.
  std::vector<char> shown(order.size(), 1);
  PixelClaims claims(static_cast<int>(std::ceil(rect.x + rect.width)), static_cast<int>(std::ceil(rect.y + rect.height)));
  Flat flat;
  for (std::size_t i = order.size(); i-- > 0;) {
    if (!Project(scene, scene.polygons[order[i].polygon], projection, flat)) {
      shown[i] = 0;
    } else if (flat.Tiny()) {
      shown[i] = claims.Claim(flat);
    }
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (!shown[i]) continue;
    const ViewPolygon& polygon = scene.polygons[order[i].polygon];
    Project(scene, polygon, projection, flat);
    Outline(cr, flat);
    const Colour colour = KindColour(scene.brushes[polygon.brush].kind);
    const double light = std::max(0.0, Dot(Of(polygon.normal), kLight));
    SetColour(cr, colour, 0.32 + 0.68 * light, alpha);
    if (flat.Small()) {
      cairo_fill(cr);
      continue;
    }
    cairo_fill_preserve(cr);
    SetColour(cr, colour, 0.18 + 0.3 * light);
    cairo_stroke(cr);
  }
}

// The edges of the brushes `pick` chooses, over everything drawn so far.
template <class Pick>
void DrawEdges(cairo_t* cr, const ViewScene& scene, const Projection& projection, const Pick& pick,
               const Colour& colour, double width) {
  cairo_set_line_width(cr, width);
  SetColour(cr, colour);
  Flat flat;
  for (const ViewPolygon& polygon : scene.polygons) {
    if (!pick(scene.brushes[polygon.brush]) || !Project(scene, polygon, projection, flat)) continue;
    Outline(cr, flat);
    cairo_stroke(cr);
  }
}

void DrawLabels(cairo_t* cr, const ViewScene& scene, const Projection& projection) {
  for (const ViewBrush& brush : scene.brushes) {
    double x = 0, y = 0;
    if (brush.kind == BrushKind::kBuilder || !projection.Screen(Of(brush.centre), x, y)) continue;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, brush.name.c_str(), &extents);
    Text(cr, x - extents.width / 2, y + extents.height / 2, brush.name, kText);
  }
}

}  // namespace

void DrawPane(cairo_t* cr, const ViewScene& scene, ViewKind kind, const PaneRect& rect, bool labels) {
  cairo_save(cr);
  cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
  cairo_clip(cr);
  SetColour(cr, kBackground);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 12);
  const Projection projection(scene, kind, rect);
  if (projection.Orthographic()) {
    DrawGrid(cr, projection, kind, rect);
  } else {
    Text(cr, rect.x + 8, rect.y + 16, Title(kind), kText);
  }
  DrawPolygons(cr, scene, projection, rect);
  DrawEdges(cr, scene, projection, [](const ViewBrush& b) { return b.warned; }, kWarning, 2);
  DrawEdges(cr, scene, projection, [](const ViewBrush& b) { return b.kind == BrushKind::kBuilder; },
            kBuilder, 1.2);
  if (labels) DrawLabels(cr, scene, projection);
  // The pane's frame.
  SetColour(cr, kAxis);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, rect.x + 0.5, rect.y + 0.5, rect.width - 1, rect.height - 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawLegend(cairo_t* cr, const PaneRect& rect) {
  const std::pair<const char*, Colour> keys[] = {
      {"subtractive", KindColour(BrushKind::kSubtractive)}, {"additive", KindColour(BrushKind::kAdditive)},
      {"non-solid", KindColour(BrushKind::kNonSolid)},      {"semisolid", KindColour(BrushKind::kSemisolid)},
      {"other", KindColour(BrushKind::kOther)},             {"builder brush", kBuilder},
      {"open or inside out", kWarning}};
  cairo_save(cr);
  cairo_set_font_size(cr, 12);
  double y = rect.y + rect.height - 10 - 18 * (sizeof keys / sizeof keys[0] - 1);
  for (const auto& [name, colour] : keys) {
    SetColour(cr, colour);
    cairo_rectangle(cr, rect.x + 10, y - 10, 12, 12);
    cairo_fill(cr);
    Text(cr, rect.x + 28, y, name, kText);
    y += 18;
  }
  cairo_restore(cr);
}
