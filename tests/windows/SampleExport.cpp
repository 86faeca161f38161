// Exports the bundled sample room through T3dExport.dll, as `t3dexport --sample --exact` does on
// Linux, so the maps of both builds can be compared byte for byte.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ExportSession.h"
#include "SampleRoom.h"

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (argc != 2) {
    std::fprintf(stderr, "usage: t3dexport_sample OUTPUT.t3d\n");
    return 2;
  }
  SampleMap sample;
  ExportSession session;
  std::string error;
  if (!session.Start("T3dExport.dll", error)) {
    std::fprintf(stderr, "t3dexport_sample: %s\n", error.c_str());
    return 1;
  }
  const ExportOutcome outcome = session.Export(sample.scene, sample.scene.Universe(), argv[1]);
  if (outcome.kind != ExportOutcome::Kind::kWritten) {
    std::fprintf(stderr, "t3dexport_sample: %s\n", outcome.message.c_str());
    return 1;
  }
  return session.Stop(error) ? 0 : 1;
}
