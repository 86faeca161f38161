// t3dexport: exports a model file (or the bundled sample room) as a T3D map through the plug-in
// library, with the reference host standing in for the host application; or checks T3D maps.
#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "ExitCodes.h"
#include "MapCheck.h"
#include "MapExport.h"
#include "ToolOptions.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit must fail and be reported, not end the process.
  std::signal(SIGXFSZ, SIG_IGN);
  ToolOptions options;
  const int parsed = ParseToolOptions(argc, argv, options, stdout, stderr);
  if (parsed >= 0) return parsed;
  try {
    if (options.check) return CheckMaps(options.checkFiles, stdout);
    return ExportMap(options);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "t3dexport: out of memory\n");
    return kExitInput;
  }
}
