// t3dexport: exports a scene to a T3D map through the plug-in library, with the reference host
// standing in for the host application.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "ExportSession.h"
#include "ModelScene.h"
#include "PluginPath.h"
#include "SampleScene.h"
#include "THostScene.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr,
               "usage: t3dexport [--plugin LIBRARY] [--scale S] MODEL OUTPUT.t3d\n"
               "       t3dexport [--plugin LIBRARY] --sample OUTPUT.t3d\n"
               "  MODEL      a model file (OBJ, FBX, glTF, 3DS, PLY, STL, ...): one brush per\n"
               "             object that carries meshes\n"
               "  --sample   export the bundled sample scene (a small room of box brushes)\n"
               "  --scale    model units to map units (default 1; coordinates are rounded to\n"
               "             whole map units, so a model in metres wants 64 or so)\n"
               "  --plugin   the plug-in library to load (default: lib/ of the installation, else the one built\n"
               "             with this tool)\n");
}

struct Options {
  std::string plugin = DefaultPluginPath();
  std::string model;
  std::string output;
  bool sample = false;
  ModelSceneOptions scene;
};

bool ParseScale(const char* text, float& scale) {
  char* end = nullptr;
  scale = std::strtof(text, &end);
  return end != text && *end == '\0' && std::isfinite(scale) && scale > 0;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  std::string positional[2];
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sample") == 0) {
      options.sample = true;
    } else if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      options.plugin = argv[++i];
    } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
      if (!ParseScale(argv[++i], options.scene.scale)) return false;
    } else if (argv[i][0] != '-' && count < 2) {
      positional[count++] = argv[i];
    } else {
      return false;
    }
  }
  if (options.sample) {
    options.output = positional[0];
    return count == 1;
  }
  options.model = positional[0];
  options.output = positional[1];
  return count == 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path output = fs::absolute(options.output);
  if (output.has_parent_path()) fs::create_directories(output.parent_path());

  THostScene scene;
  if (options.sample) {
    BuildSampleScene(scene);
  } else {
    std::string error;
    if (!BuildModelScene(options.model, options.scene, scene, error)) {
      std::fprintf(stderr, "t3dexport: cannot read %s: %s\n", options.model.c_str(), error.c_str());
      return 1;
    }
  }

  ExportSession session;
  if (!session.Start(options.plugin)) return 1;
  const bool written = session.ExportMap(scene, output.string());
  const bool stopped = session.Stop();
  if (!written || !stopped) return 1;

  std::printf("Wrote %s (%ju bytes, %zu brushes)\n", output.string().c_str(),
              static_cast<std::uintmax_t>(fs::file_size(output)), scene.InstanceCount());
  return 0;
}
