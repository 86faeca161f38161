// The lean host: loads T3dExport.dll as the host application does and runs every case against
// it. Usage: dll_host EXPECTED_FOLDER OUTPUT_FOLDER, where EXPECTED_FOLDER holds map.t3d and
// object.t3d as the Linux build wrote them for the box scene. Exit code 0 when every check held.
#include <cstring>

#include "DllHostCases.h"
#include "THostLiteCheck.h"

int main(int argc, char** argv) {
  // No dialog may stop a run: not for a missing file, nor for a fault the host does not handle.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  if (argc == 2 && std::strcmp(argv[1], kFaultWithoutTranslationSwitch) == 0) {
    return HostFaultWithoutTranslation();
  }
  if (argc != 3) {
    HostSay("usage: dll_host EXPECTED_FOLDER OUTPUT_FOLDER");
    return 2;
  }
  const THostLiteFolders folders{argv[1], argv[2]};
  const struct {
    const char* name;
    void (*run)(const THostLiteFolders&);
  } cases[] = {
      {"exactly the six entry points are exported", CaseExportTable},
      {"both maps match the Linux build byte for byte", CaseMapsMatchTheLinuxBuild},
      {"failures reach the host as TKXException", CaseFailuresReachTheHostByType},
      {"a fault outside the plug-in's handlers is translated", CaseFaultOutsideThePlugInsHandlers},
      {"with translation off a fault stays the host's", CaseFaultWithTranslationOffStaysTheHosts},
      {"the terminate handler throws and goes at unload", CaseTerminateHandler},
#ifdef _MSC_VER
      {"the translator sits in msvcrt's per-thread slot", CaseRuntimeTranslator},
#endif
  };
  for (const auto& entry : cases) {
    const int before = HostFailures();
    HostStartCase();
    entry.run(folders);
    HostSay("%s %s", HostFailures() == before ? "[  OK  ]" : "[FAILED]", entry.name);
  }
  HostSay("%d failed check(s)", HostFailures());
  return HostFailures() == 0 ? 0 : 1;
}
