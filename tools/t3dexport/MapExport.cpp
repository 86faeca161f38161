#include "MapExport.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "BrushScene.h"
#include "ExitCodes.h"
#include "ExportSession.h"
#include "FinishFile.h"
#include "MapPlan.h"
#include "MapView.h"
#include "ModelFile.h"
#include "OutputFile.h"
#include "ProgressBar.h"
#include "QhullHuller.h"
#include "PlanTextures.h"
#include "SampleRoom.h"
#include "StageTimes.h"
#include "TextureCatalog.h"
#include "TextureExport.h"
#include "THostScene.h"

namespace {

// A scene this small in map units loses its shape to whole-unit rounding.
constexpr double kSmallestUsefulExtent = 64;

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "t3dexport: %s\n", message.c_str());
  return status;
}

void Warn(const std::string& message) {
  std::fprintf(stderr, "t3dexport: warning: %s\n", message.c_str());
}

// Where the model's coordinates go: the file's unit to map units unless --scale says otherwise,
// then fitted to --fit.
void PlaceModel(ModelFile& model, const ToolOptions& options) {
  double scale = options.scale;
  if (scale <= 0) scale = model.MetresPerUnit() ? *model.MetresPerUnit() * ModelFile::kMapUnitsPerMetre : 1;
  model.SetPlacement(scale, options.up);
  if (options.fit > 0) {
    const double extent = SourceExtent(model);
    if (extent > 0) model.SetPlacement(scale * options.fit / extent, options.up);
  }
}

// Brushes a rebuild may leak through: the model's own holes, since repair never opens a closed
// model; and brushes --hull could not close.
void ReportOpenBrushes(const MapPlan& plan, const ToolOptions& options) {
  std::uint64_t open = 0, edges = 0, flat = 0;
  for (const MapBrush& brush : plan.brushes) {
    open += brush.shape.judged && !brush.shape.closed;
    edges += brush.shape.openEdges;
    flat += brush.shape.flat;
  }
  if (open == 0) return;
  std::string text = std::to_string(open) + " of " + std::to_string(plan.brushes.size()) +
                     " brushes are open (";
  text += options.raw ? "the model's faces as they are" : "the model's own holes";
  text += ", " + std::to_string(edges) + " edges): a rebuild may leak there";
  if (!options.hull) text += "; --hull closes them";
  if (flat > 0) text += "; " + std::to_string(flat) + " are flat and have no hull";
  Warn(text);
}

void ReportPlanWarnings(const MapPlan& plan, double extent, const ToolOptions& options) {
  if (extent > 0 && extent < kSmallestUsefulExtent) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "the model is only %.3g map units across: rounding to whole units collapses it; "
                  "use --scale or --fit",
                  extent);
    Warn(text);
  }
  const std::uint64_t unwritable = plan.counts.nonFinite + plan.counts.outOfRange;
  if (unwritable > 0) {
    Warn(std::to_string(unwritable) +
         " faces left out: a coordinate is not a number, infinite or beyond the map");
  }
  ReportOpenBrushes(plan, options);
  if (options.verbose) {
    for (const Renaming& renaming : plan.renamings) {
      std::printf("renamed %s '%s' to %s\n",
                  renaming.kind == Renaming::Kind::kActor ? "object" : "texture",
                  renaming.original.c_str(), renaming.name.c_str());
    }
  }
}

// The materials the map's polygons use, each once.
std::vector<std::uint32_t> UsedMaterials(const MapPlan& plan, const MapBrush* only) {
  std::vector<std::uint32_t> used;
  for (const MapBrush& brush : plan.brushes) {
    if (only && &brush != only) continue;
    used.insert(used.end(), brush.materials.begin(), brush.materials.end());
  }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  return used;
}

// Each texture the map uses whose image is missing or unreadable, once: its faces keep the
// world-aligned mapping.
void ReportTextureProblems(const TextureCatalog& catalog, const MapPlan& plan) {
  std::vector<std::string> named;
  for (const std::uint32_t material : UsedMaterials(plan, nullptr)) {
    if (material >= catalog.Count()) continue;
    const TextureCatalog::Image& image = catalog.ImageOf(material);
    if (image.problem.empty()) continue;
    const std::string file = image.source.file.empty() ? "a texture the model holds" : image.source.file;
    if (std::find(named.begin(), named.end(), file) != named.end()) continue;
    named.push_back(file);
    Warn(file + ": " + image.problem + "; its faces keep a world-aligned texture mapping");
  }
}

// --textures: every texture the map names that has a readable image, once.
int WriteTextureFolder(const TextureCatalog& catalog, const MapPlan& plan, const MapBrush* only,
                       const ToolOptions& options) {
  std::vector<TextureToWrite> textures;
  for (const std::uint32_t material : UsedMaterials(plan, only)) {
    if (material >= catalog.Count() || !catalog.ImageOf(material).size.Known()) continue;
    const std::string& name = plan.textures[material];
    const bool seen = std::any_of(textures.begin(), textures.end(),
                                  [&](const TextureToWrite& t) { return t.name == name; });
    if (!seen) textures.push_back({name, &catalog.ImageOf(material)});
  }
  std::vector<std::string> problems;
  const std::size_t written = WriteTextures(textures, options.textures, problems);
  for (const std::string& problem : problems) Warn(problem);
  if (!options.quiet) {
    std::printf("Wrote %zu textures into %s, with %s\n", written, options.textures.c_str(), kTextureImportFile);
  }
  return problems.empty() ? kExitOk : kExitOutput;
}

void ListObjects(const MapPlan& plan) {
  for (const MapBrush& brush : plan.brushes) {
    std::printf("%-32s %10zu polygons  %-6s %-7s", brush.name.c_str(), brush.PolygonCount(),
                brush.shape.closed ? "closed" : "open", brush.shape.convex ? "convex" : "concave");
    if (!brush.sourceName.empty() && brush.name != brush.sourceName) std::printf("  (%s)", brush.sourceName.c_str());
    std::printf("\n");
  }
}

// The brush that --object names, by its name in the map or in the model.
const MapBrush* FindObject(const MapPlan& plan, const std::string& name) {
  for (const MapBrush& brush : plan.brushes) {
    if (brush.name == name || brush.sourceName == name) return &brush;
  }
  return nullptr;
}

std::string KnownObjects(const MapPlan& plan) {
  std::string known;
  for (const MapBrush& brush : plan.brushes) known += (known.empty() ? "" : ", ") + brush.name;
  return known;
}

// One line: what was written, how its brushes stand in a rebuild, and how the faces of the model
// became its polygons (polygons = faces + pieces - dropped - merged, but for hulls, which are
// polygons of their own).
void PrintSummary(const std::string& output, const MapPlan& plan, const MapBrush* object,
                  const FinishedMap& written, double seconds) {
  const RepairCounts& c = plan.counts;
  const auto n = [](std::uint64_t value) { return static_cast<unsigned long long>(value); };
  std::uint64_t brushes = 0, closed = 0, convex = 0;
  bool judged = false;
  for (const MapBrush& brush : plan.brushes) {
    if (object && &brush != object) continue;
    ++brushes;
    closed += brush.shape.closed;
    convex += brush.shape.convex;
    judged |= brush.shape.judged;
  }
  const std::uint64_t polygons = object ? object->PolygonCount() : plan.Polygons();
  const std::uint64_t dropped =
      c.nonFinite + c.outOfRange + c.degenerate + c.noArea + c.duplicate + plan.solid.folds;
  std::printf("Wrote %s: %llu brushes", output.c_str(), n(brushes));
  if (judged) std::printf(" (%llu closed, %llu convex)", n(closed), n(convex));
  std::printf(", %llu polygons", n(polygons));
  if (written.mapped > 0) std::printf(" (%llu with the model's texture mapping)", n(written.mapped));
  std::printf(" from %llu faces (%llu split and %llu triangulated into %llu more pieces, %llu "
              "dropped, %llu merged",
              n(c.faces), n(c.split), n(c.triangulated), n(c.piecesAdded + plan.solid.pieces), n(dropped),
              n(plan.solid.merged));
  if (plan.solid.hulled > 0) std::printf("; %llu brushes made convex hulls", n(plan.solid.hulled));
  std::printf("), %llu bytes, %.2f s\n", n(written.bytes), seconds);
}

// Exports `top` of `scene` through the plug-in into a temporary file beside `output`, finished
// on its way there unless --exact (each polygon's texture mapping from `textures`), and puts it
// in place.
int WriteMap(THostScene& scene, IKXTreeElement* top, const std::string& output,
             const ToolOptions& options, PlanTextures& textures, ProgressBar& bar, StageTimes& times,
             FinishedMap& written) {
  ExportSession session;
  std::string error;
  if (!session.Start(options.plugin, error)) return Fail(kExitPlugin, "cannot start the plug-in: " + error);
  TemporaryFile file;
  if (!file.Create(output, error)) return Fail(kExitOutput, error);
  FinishingWriter finishing([&textures](FinishedTexture& texture) { return textures.Next(texture); });
  if (!options.exact && !finishing.Open(file.Path(), error)) return Fail(kExitOutput, error);
  const ExportOutcome outcome =
      session.Export(scene, top, file.Path(), [&](double share) { bar.Show("Exporting", share); },
                     options.exact ? nullptr : &finishing);
  bar.Clear();
  if (outcome.kind == ExportOutcome::Kind::kPluginFailed) return Fail(kExitPlugin, outcome.message);
  // The message names the destination, not the temporary file the user never sees.
  if (outcome.kind == ExportOutcome::Kind::kWriteFailed) {
    return Fail(kExitOutput, output + ": " + outcome.message);
  }
  if (!session.Stop(error)) return Fail(kExitPlugin, error);
  times.Mark("export");
  written.bytes = outcome.bytes;
  if (!options.exact) {
    if (!finishing.Finish(written, error)) return Fail(kExitOutput, output + ": " + error);
    times.Mark("finishing");
  }
  if (!file.MoveTo(output, written.bytes, error)) return Fail(kExitOutput, output + ": " + error);
  return kExitOk;
}

// Reads the model file of --input into `model`; an exit status when it cannot.
int ReadModel(const ToolOptions& options, ModelFile& model, ProgressBar& bar) {
  std::string error;
  const bool read = model.Read(options.input, error, [&](double share) { bar.Show("Reading", share); });
  bar.Clear();
  // The importer reports a refused allocation by the exception's name.
  if (!read && error.find("bad_alloc") != std::string::npos) {
    error = "it needs more memory than the tool may use (half of this machine's)";
  }
  if (!read) return Fail(kExitInput, "cannot read " + options.input + ": " + error);
  PlaceModel(model, options);
  return -1;
}

}  // namespace

int ExportMap(const ToolOptions& options) {
  StageTimes times;
  ProgressBar bar(stderr, !options.quiet);
  std::unique_ptr<MapSource> source;
  if (options.sample) {
    source = std::make_unique<SampleRoom>();
  } else {
    auto model = std::make_unique<ModelFile>();
    const int status = ReadModel(options, *model, bar);
    if (status >= 0) return status;
    source = std::move(model);
  }
  times.Mark("import");
  const QhullHuller huller;
  const TextureCatalog catalog(*source);
  const PlanOptions planning{options.pivot, options.raw,  options.defaultTexture, options.hull,
                             &huller,       options.list, catalog.Sizes(),
                             [&](double share) { bar.Show("Repairing", share); }};
  const MapPlan plan = PlanMap(*source, planning);
  bar.Clear();
  times.Mark("repair");
  ReportPlanWarnings(plan, SourceExtent(*source), options);
  ReportTextureProblems(catalog, plan);
  if (options.list) {
    ListObjects(plan);
    return kExitOk;
  }
  const std::string input = options.sample ? "the sample" : options.input;
  if (plan.brushes.empty()) {
    if (plan.counts.faces == 0) {
      return Fail(kExitInput, input + " has nothing to export: no face with three points or more (" +
                                  std::to_string(plan.pointAndLineFaces) + " points and lines)");
    }
    return Fail(kExitInput, input + " has nothing to export: none of its " +
                                std::to_string(plan.counts.faces) +
                                " faces can be written (each collapses on the whole-unit grid or "
                                "has a coordinate that is not finite)");
  }
  const MapBrush* object = nullptr;
  if (!options.object.empty() && !(object = FindObject(plan, options.object))) {
    return Fail(kExitUsage, "no object named '" + options.object + "'; the objects are: " +
                                KnownObjects(plan));
  }
  const std::string output = OutputPathOf(options);
  if (const std::string problem = DestinationProblem(output, options.input); !problem.empty()) {
    return Fail(IsSameFile(output, options.input) ? kExitUsage : kExitOutput, problem);
  }

  MapScene map(*source, plan, options.defaultTexture);
  THostScene& scene = map.Scene();
  IKXTreeElement* top = scene.Universe();
  if (object) top = scene.InstanceAt(static_cast<std::size_t>(object - plan.brushes.data())).TreeElement();
  PlanTextures textures(*source, planning, plan, object);
  FinishedMap written;
  const int status = WriteMap(scene, top, output, options, textures, bar, times, written);
  if (status != kExitOk) return status;
  if (options.timings) times.Print(stdout);
  if (!options.quiet) PrintSummary(output, plan, object, written, times.TotalSeconds());
  if (!options.textures.empty()) {
    const int texturesStatus = WriteTextureFolder(catalog, plan, object, options);
    if (texturesStatus != kExitOk) return texturesStatus;
  }
  if (options.preview.empty()) return kExitOk;
  ViewOptions view;
  view.map = output;
  view.output = options.preview;
  return DrawMap(view, stdout, stderr, options.quiet);
}
