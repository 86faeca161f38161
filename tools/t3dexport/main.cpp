// t3dexport: exports a scene to a T3D map through the plug-in library, with the reference host
// standing in for the host application.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "ExportSession.h"
#include "SampleScene.h"
#include "THostScene.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr,
               "usage: t3dexport [--plugin LIBRARY] --sample OUTPUT.t3d\n"
               "  --sample   export the bundled sample scene (a small room of box brushes)\n"
               "  --plugin   the plug-in library to load (default: the one built beside this tool)\n");
}

struct Options {
  std::string plugin = T3D_DEFAULT_PLUGIN;
  std::string output;
  bool sample = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sample") == 0) {
      options.sample = true;
    } else if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      options.plugin = argv[++i];
    } else if (argv[i][0] != '-' && options.output.empty()) {
      options.output = argv[i];
    } else {
      return false;
    }
  }
  return options.sample && !options.output.empty();
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
  BuildSampleScene(scene);

  ExportSession session;
  if (!session.Start(options.plugin)) return 1;
  const bool written = session.ExportMap(scene, output.string());
  const bool stopped = session.Stop();
  if (!written || !stopped) return 1;

  std::printf("Wrote %s (%ju bytes, %zu brushes)\n", output.string().c_str(),
              static_cast<std::uintmax_t>(fs::file_size(output)), scene.InstanceCount());
  return 0;
}
