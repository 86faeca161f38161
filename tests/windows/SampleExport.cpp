// Exports the bundled sample scene through T3dExport.dll, as `t3dexport --sample` does on Linux,
// so the maps of both builds can be compared byte for byte.
#include <windows.h>

#include <cstdio>

#include "ExportSession.h"
#include "SampleScene.h"
#include "THostScene.h"

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (argc != 2) {
    std::fprintf(stderr, "usage: t3dexport_sample OUTPUT.t3d\n");
    return 2;
  }
  THostScene scene;
  BuildSampleScene(scene);
  ExportSession session;
  if (!session.Start("T3dExport.dll")) return 1;
  const bool written = session.ExportMap(scene, argv[1]);
  const bool stopped = session.Stop();
  return written && stopped ? 0 : 1;
}
