#include "ToolOptions.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "ExitCodes.h"
#include "PluginPath.h"

namespace {

constexpr const char* kVersion = "t3dexport " T3D_VERSION;

const CLI::Validator kFinitePositive(
    [](std::string& text) -> std::string {
      try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size() && std::isfinite(value) && value > 0) return {};
      } catch (const std::exception&) {
      }
      return "must be a number greater than 0, not '" + text + "'";
    },
    "NUMBER>0");

void AddExportOptions(CLI::App& app, ToolOptions& options) {
  app.add_option("INPUT", options.input,
                 "a model file Assimp reads (OBJ, FBX, glTF, COLLADA, 3DS, PLY, STL, ...)");
  app.add_option("-o,--output", options.output,
                 "the map to write (default: the input's name with .t3d, beside it)")
      ->check([](const std::string& text) { return text.empty() ? "the path is empty" : ""; });
  auto* scale = app.add_option("--scale", options.scale,
                               "map units per model unit (default: 52.5 per metre where the file "
                               "states its unit, else 1)")
                    ->check(kFinitePositive)
                    ->option_text("F");
  auto* fit = app.add_option("--fit", options.fit,
                             "scale the model so that its largest extent is SIZE map units")
                  ->check(kFinitePositive)
                  ->option_text("SIZE");
  scale->excludes(fit);
  fit->excludes(scale);
  app.add_option("--up", options.up,
                 "the model's up axis, which becomes the map's Z (default: the file's, else y)")
      ->transform(CLI::CheckedTransformer(std::map<std::string, UpAxis>{{"y", UpAxis::Y},
                                                                        {"z", UpAxis::Z}},
                                          CLI::ignore_case))
      ->option_text("y|z");
  app.add_option("--pivot", options.pivot,
                 "center: each brush's Location at its bounding box's centre (default); origin: "
                 "Location 0, vertices in map coordinates")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, Pivot>{{"center", Pivot::Center}, {"origin", Pivot::Origin}},
          CLI::ignore_case))
      ->option_text("center|origin");
  app.add_option("--object", options.object,
                 "export only the object NAME, as a polygon list (see --list)")
      ->option_text("NAME");
  app.add_flag("--list", options.list, "list the objects with their polygon counts, write nothing");
  app.add_option("--default-texture", options.defaultTexture,
                 "the texture of faces whose material has none (default: Default)")
      ->option_text("NAME");
  app.add_flag("--raw", options.raw,
               "write faces as the model has them: no splitting, triangulating or dropping");
  app.add_flag("--hull", options.hull,
               "make each brush the convex hull of its points: always closed and convex (for "
               "blocking out, collision shapes, and models that are no solid)");
  app.add_flag("--exact", options.exact,
               "leave the plug-in's output as it is: no TextureU/TextureV lines, no End Map");
  app.add_flag("--sample", options.sample, "export the bundled sample room instead of INPUT");
  app.add_option("--plugin", options.plugin,
                 "the plug-in library to load (default: " + DefaultPluginPath() + ")")
      ->option_text("PATH");
  app.add_flag("-q,--quiet", options.quiet, "no progress bar and no summary");
  app.add_flag("-v,--verbose", options.verbose, "also list every name changed for the map");
  app.add_option("--preview", options.preview, "also draw the map written as a picture (PNG)")
      ->option_text("FILE.png");
  app.add_option("--textures", options.textures,
                 "also write every texture the map names into DIR, ready for the editors' import: "
                 "power-of-two 8-bit BMPs and a file of TEXTURE IMPORT commands")
      ->option_text("DIR");
  app.add_flag("--timings", options.timings,
               "print the seconds of each stage (import, repair, export, finishing) and the peak "
               "memory at its end");
}

void AddViewOptions(CLI::App& view, ViewOptions& options) {
  view.add_option("MAP", options.map, "the map to draw")->required();
  view.add_option("-o,--output", options.output, "the picture (default: the map's name with .png)")
      ->check([](const std::string& text) { return text.empty() ? "the path is empty" : ""; });
  view.add_option("--size", options.width, "the picture's size in pixels (default 1600x1200)")
      ->option_text("WxH")
      ->transform([&options](std::string text) -> std::string {
        int width = 0, height = 0;
        char x = 0, rest = 0;
        if (std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &rest) != 3 || (x != 'x' && x != 'X') ||
            width < 64 || height < 64 || width > 16384 || height > 16384) {
          throw CLI::ValidationError("--size", "WxH, each from 64 to 16384, not '" + text + "'");
        }
        options.height = height;
        return std::to_string(width);
      });
  view.add_option("--view", options.view, "which view: top, front, side, persp, or all four (default)")
      ->check(CLI::IsMember({"top", "front", "side", "persp", "all"}))
      ->option_text("top|front|side|persp|all");
  view.add_flag("--labels", options.labels, "each brush's name at its centre");
}

// The usage error as CLI11 words it, and where to look next.
int ReportUsageError(const CLI::App& app, const CLI::ParseError& error, std::FILE* err) {
  std::fprintf(err, "t3dexport: %s\nRun '%s --help' for the options.\n", error.what(),
               app.get_name().c_str());
  return kExitUsage;
}

}  // namespace

int ParseToolOptions(int argc, char** argv, ToolOptions& options, std::FILE* out,
                     std::FILE* err) {
  CLI::App app("Exports a model file as a T3D map for level editors, through the T3dExport "
               "plug-in.",
               "t3dexport");
  app.set_version_flag("--version", kVersion);
  app.footer("Exit status: 0 written, 1 map problems (check), 2 usage, 3 input unreadable or "
             "empty, 4 output not written, 5 plug-in failure.");
  AddExportOptions(app, options);
  CLI::App* check = app.add_subcommand(
      "check", "check T3D maps, any editor's or ours, as an import and a CSG rebuild take them");
  check->add_option("FILE", options.checkFiles, "the maps to check")->required();
  check->add_flag("--strict", options.checkStrict, "count warnings as errors (exit 1)");
  check->add_flag("--json", options.checkJson,
                  "one JSON object per map: file, brushes, solid, closed, convex, errors, "
                  "warnings, problems");
  check->add_flag("-v,--verbose", options.checkVerbose,
                  "also list notes: the house rules of the maps this tool writes");
  CLI::App* view = app.add_subcommand(
      "view", "draw a map as a picture: top, front and side views and one in perspective");
  AddViewOptions(*view, options.viewOptions);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), out);
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    std::fputs(app.help("", CLI::AppFormatMode::All).c_str(), out);
    return kExitOk;
  } catch (const CLI::CallForVersion&) {
    std::fprintf(out, "%s\n", kVersion);
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    return ReportUsageError(app, error, err);
  }
  options.check = check->parsed();
  options.view = view->parsed();
  if (options.plugin.empty()) options.plugin = DefaultPluginPath();
  if (!options.check && !options.view && options.input.empty() && !options.sample) {
    std::fprintf(err, "t3dexport: INPUT is required: the model file to export\n"
                      "Run 't3dexport --help' for the options.\n");
    return kExitUsage;
  }
  if (options.sample && !options.input.empty()) {
    std::fprintf(err, "t3dexport: --sample takes no INPUT (got '%s')\n", options.input.c_str());
    return kExitUsage;
  }
  return -1;
}

std::string OutputPathOf(const ToolOptions& options) {
  if (!options.output.empty()) return options.output;
  if (options.sample) return "sample.t3d";
  return std::filesystem::path(options.input).replace_extension(".t3d").string();
}
