#include "MapView.h"

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "ExitCodes.h"
#include "MapCheckHost.h"
#include "OutputFile.h"
#include "ViewPane.h"
#include "ViewScene.h"

namespace {

struct Pane {
  ViewKind kind;
  PaneRect rect;
};

std::vector<Pane> Layout(const ViewOptions& options) {
  const double w = options.width, h = options.height;
  if (options.view == "top") return {{ViewKind::kTop, {0, 0, w, h}}};
  if (options.view == "front") return {{ViewKind::kFront, {0, 0, w, h}}};
  if (options.view == "side") return {{ViewKind::kSide, {0, 0, w, h}}};
  if (options.view == "persp") return {{ViewKind::kPerspective, {0, 0, w, h}}};
  const double halfW = std::floor(w / 2), halfH = std::floor(h / 2);
  return {{ViewKind::kTop, {0, 0, halfW, halfH}},
          {ViewKind::kPerspective, {halfW, 0, w - halfW, halfH}},
          {ViewKind::kFront, {0, halfH, halfW, h - halfH}},
          {ViewKind::kSide, {halfW, halfH, w - halfW, h - halfH}}};
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  auto* png = static_cast<std::vector<unsigned char>*>(closure);
  png->insert(png->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// The surface as a PNG, or false with `error`.
bool EncodePng(cairo_surface_t* surface, std::vector<unsigned char>& png, std::string& error) {
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendPng, &png);
  if (status == CAIRO_STATUS_SUCCESS) return true;
  error = std::string("writing the picture failed: ") + cairo_status_to_string(status);
  return false;
}

int Fail(std::FILE* err, int status, const std::string& message) {
  std::fprintf(err, "t3dexport: %s\n", message.c_str());
  return status;
}

}  // namespace

std::string PictureOutputPath(const ViewOptions& options) {
  if (!options.output.empty()) return options.output;
  return std::filesystem::path(options.map).replace_extension(".png").string();
}

int DrawMap(const ViewOptions& options, std::FILE* out, std::FILE* err, bool quiet) {
  MapCheckHost host;
  ViewScene scene;
  const ViewRead read = ReadViewScene(options.map, scene);
  if (!read.readable) return Fail(err, kExitInput, options.map + ": cannot be read");
  if (!read.errors.empty()) {
    for (const MapProblem& p : read.errors) {
      std::fprintf(err, "%s:%u: error: %s\n", options.map.c_str(), static_cast<unsigned>(p.line),
                   p.message.c_str());
    }
    return Fail(err, kExitInput, options.map + " does not read as a map: " +
                                     std::to_string(read.errors.size()) + " errors (see check)");
  }
  const std::string output = PictureOutputPath(options);
  if (const std::string problem = DestinationProblem(output, options.map); !problem.empty()) {
    return Fail(err, IsSameFile(output, options.map) ? kExitUsage : kExitOutput, problem);
  }
  const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, options.width, options.height), cairo_surface_destroy);
  const std::unique_ptr<cairo_t, void (*)(cairo_t*)> cr(cairo_create(surface.get()), cairo_destroy);
  const std::vector<Pane> panes = Layout(options);
  for (const Pane& pane : panes) DrawPane(cr.get(), scene, pane.kind, pane.rect, options.labels);
  DrawLegend(cr.get(), panes.size() == 1 ? panes[0].rect : panes[1].rect);
  cairo_surface_flush(surface.get());
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
    return Fail(err, kExitOutput, std::string("drawing failed: ") + cairo_status_to_string(cairo_status(cr.get())));
  std::vector<unsigned char> png;
  std::string error;
  if (!EncodePng(surface.get(), png, error) || !WriteFile(output, png.data(), png.size(), error)) {
    return Fail(err, kExitOutput, output + ": " + error);
  }
  if (!quiet) {
    std::fprintf(out, "Drew %s: %d x %d, %zu brushes, %zu polygons\n", output.c_str(), options.width,
                 options.height, scene.brushes.size(), scene.polygons.size());
  }
  return kExitOk;
}
