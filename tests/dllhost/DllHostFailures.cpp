// The ways a failure leaves T3dExport.dll: a TKXException thrown by value out of an entry point
// or an interface operation, which the host catches by its type and by its base TKXObject and
// reads as a 20-byte record with one table entry. Processor faults in the DLL arrive the same
// way while translation is on, and as the host's own faults when it is off.
#include <cstdio>
#include <cstring>

#include "DllHostCases.h"
#include "KXException.h"
#include "KXIdentifiers.h"
#include "THostLiteCheck.h"
#include "THostLiteFile.h"
#include "THostLiteNoAccess.h"
#include "THostLiteRuntime.h"
#include "THostLiteScene.h"
#include "support/ExceptionTable.h"

namespace {

/// What one failing run has at hand.
struct TFailureContext {
  THostLiteShell& shell;
  THostLiteScene& scene;
  THostLiteDll& dll;
  IKXExporter* exporter;
  const char* output;
  const THostLiteNoAccessPage& page;
};

/// The destination file of one export, released when the export is over, however it ends.
class TDestination {
 public:
  explicit TDestination(const char* path) : file_(THostLiteFile::Make(path)) {}
  ~TDestination() { file_->Release(); }
  TDestination(const TDestination&) = delete;
  TDestination& operator=(const TDestination&) = delete;
  IKXFileStream* Get() const { return file_; }

 private:
  THostLiteFile* file_;
};

void ExportMap(TFailureContext& context) {
  TDestination destination(context.output);
  context.exporter->Export(destination.Get(), &context.scene, context.scene.Universe());
}

void MeshSourceGivesNoMesh(TFailureContext& context) {
  context.scene.Named(kBoxSceneObject).SetNoMesh();
  ExportMap(context);
}

void MemoryRefusesTheStream(TFailureContext& context) {
  context.shell.Memory().RefuseObjectsAfter(0);
  ExportMap(context);
}

void MemoryRefusesTheFactory(TFailureContext& context) {
  context.shell.Memory().RefuseObjectsAfter(0);
  void* factory = nullptr;
  context.dll.GetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, &factory);
}

// The export's own frame faults on the destination's table.
void DestinationFaults(TFailureContext& context) {
  context.exporter->Export(context.page.As<IKXFileStream>(), &context.scene,
                           context.scene.Universe());
}

// The polygon writer faults two calls below the export's handler, with host references held in
// the frames between.
void PolygonFaults(TFailureContext& context) {
  context.scene.Instance(0).Group(0).AnswerPolygon(context.page.As<IKXPolygon>());
  ExportMap(context);
}

/// One way to make the plug-in throw, and what must reach the host.
struct TFailurePath {
  const char* name;
  void (*provoke)(TFailureContext&);
  KXResult code;
  const char* file;
  int line;
  const char* lastActor;  // the map ends after this actor's "Begin PolyList"; null: no map
};

const TFailurePath kFailurePaths[] = {
    {"the mesh source gives no mesh", MeshSourceGivesNoMesh, kKXErrMissingObject, "T3d", 250,
     kBoxSceneObject},
    {"host memory refuses the stream", MemoryRefusesTheStream, kKXErrMissingObject, "T3d", 366,
     nullptr},
    {"host memory refuses the class factory", MemoryRefusesTheFactory, kKXErrNoMemory,
     "KXCore/PublicAPI/KXCountedPtrHelper", 166, nullptr},
    {"a fault in the export", DestinationFaults, kKXErrSystemException, nullptr, 0, nullptr},
    {"a fault in the polygon writer", PolygonFaults, kKXErrSystemException, nullptr, 0, "Floor"},
};

/// A field of the 32-bit record the host reads: table at 0, code 4, file 8, line 12, detail 16.
template <class Field>
Field RecordField(const TKXException& failure, int offset) {
  Field field;
  std::memcpy(&field, reinterpret_cast<const char*>(&failure) + offset, sizeof field);
  return field;
}

void CheckRecord(const TKXException& failure, KXResult code, const char* file, int line) {
  HOST_CHECK_EQ(RecordField<KXResult>(failure, 4), code);
  HOST_CHECK_EQ(RecordField<std::int32_t>(failure, 12), line);
  HOST_CHECK(RecordField<const void*>(failure, 16) == nullptr);
  const char* named = CallExceptionTableEntry0(failure);
  HOST_CHECK(named == RecordField<const char*>(failure, 8));
  HOST_CHECK_TEXT(named, file);
}

// What the export wrote before it failed stays, closed: the Linux map up to the failing actor's
// polygon list. Failures before the stream exists leave no file.
void CheckPartialMap(const TFailurePath& path, const THostLiteFolders& folders,
                     const char* output) {
  const THostLiteBytes written(output);
  if (!path.lastActor) {
    HOST_CHECK(!written.Read());
    return;
  }
  char expected[1024];
  HostJoinPath(expected, folders.expected, "map.t3d");
  const THostLiteBytes reference(expected);
  char actor[256];
  std::strcpy(actor, "Begin Actor Class=Brush Name=");
  std::strcat(actor, path.lastActor);
  std::strcat(actor, "\n");
  const std::size_t end = reference.EndOfLineAfter(actor, "      Begin PolyList\n");
  if (HOST_CHECK(end > 0)) HostCheckSameBytes(written, reference, end);
}

template <class Caught>
void RunFailure(const TFailurePath& path, const THostLiteFolders& folders) {
  THostLiteShell shell;
  THostLiteScene scene;
  const THostLiteNoAccessPage page;
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  HOST_CHECK_EQ(dll.Init(&shell), kKXOk);
  IKXExporter* exporter = HostMakeExporter(dll);
  if (!HOST_CHECK(exporter != nullptr)) return;
  char output[1024];
  HostJoinPath(output, folders.output, "failure.t3d");
  std::remove(output);

  TFailureContext context{shell, scene, dll, exporter, output, page};
  bool caught = false;
  try {
    path.provoke(context);
  } catch (const Caught& object) {
    caught = true;
    CheckRecord(static_cast<const TKXException&>(object), path.code, path.file, path.line);
  }
  HOST_CHECK(caught);

  shell.Memory().RefuseObjectsAfter(-1);
  HOST_CHECK_EQ(exporter->Release(), 0);
  HOST_CHECK_EQ(dll.CanUnloadNow(), 0);
  HOST_CHECK_EQ(dll.CleanUp(), kKXOk);
  HOST_CHECK_EQ(shell.Utilities().Opened(), shell.Utilities().Closed());
  CheckPartialMap(path, folders, output);
  HostCheckWhole(shell);
}

LONG WINAPI ExitWithTheFaultsCode(EXCEPTION_POINTERS* pointers) {
  ExitProcess(pointers->ExceptionRecord->ExceptionCode);
}

}  // namespace

void CaseFailuresReachTheHostByType(const THostLiteFolders& folders) {
  for (const TFailurePath& path : kFailurePaths) {
    const int before = HostFailures();
    RunFailure<TKXException>(path, folders);
    RunFailure<TKXObject>(path, folders);
    HostSay("  %s: %s", path.name, HostFailures() == before ? "caught" : "FAILED");
  }
}

// The out slot lies on a page the DLL may not read: the factory's QueryInterface faults inside
// KXDllGetClassObject, where no frame of the plug-in has a handler. Twice, so the second proves
// the first left translation working.
void CaseFaultOutsideThePlugInsHandlers(const THostLiteFolders&) {
  THostLiteShell shell;
  const THostLiteNoAccessPage page;
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  HOST_CHECK_EQ(dll.Init(&shell), kKXOk);
  for (int attempt = 0; attempt < 2; ++attempt) {
    bool caught = false;
    try {
      dll.GetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, page.As<void*>());
    } catch (const TKXException& failure) {
      caught = true;
      CheckRecord(failure, kKXErrSystemException, nullptr, 0);
    }
    HOST_CHECK(caught);
  }
  // Each faulting query left its new factory behind; the plug-in still counts them.
  HOST_CHECK_EQ(dll.CanUnloadNow(), 1);
  HOST_CHECK_EQ(shell.Memory().LiveObjects(), 2);
  HOST_CHECK_EQ(dll.CleanUp(), kKXOk);
  HOST_CHECK_EQ(HostLedger().outstanding, 0);
}

int HostFaultWithoutTranslation() {
  SetUnhandledExceptionFilter(ExitWithTheFaultsCode);
  THostLiteShell shell;
  const THostLiteNoAccessPage page;
  THostLiteDll dll(kPluginDll);
  if (!dll.Complete()) return 2;
  dll.Init(&shell);
  dll.CleanUpExceptionTranslator();
  try {
    dll.GetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, page.As<void*>());
  } catch (const TKXObject&) {
    return 3;  // translated although translation is off
  }
  return 4;  // no fault at all
}

// The same fault after KXDllCleanUpExceptionTranslator is the host's own: the program (a child,
// so that this one lives on) ends with the access violation's code.
void CaseFaultWithTranslationOffStaysTheHosts(const THostLiteFolders&) {
  char command[MAX_PATH + 64] = "\"";
  const DWORD length = GetModuleFileNameA(nullptr, command + 1, MAX_PATH);
  if (!HOST_CHECK(length > 0 && length < MAX_PATH)) return;
  std::strcat(command, "\" ");
  std::strcat(command, kFaultWithoutTranslationSwitch);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!HOST_CHECK(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process) != 0)) {
    return;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  HOST_CHECK_EQ(exitCode, EXCEPTION_ACCESS_VIOLATION);
}

// KXDllInit installs the plug-in's terminate handler on the calling thread: it throws
// kKXErrSystemException from KXException line 50. Shut-down keeps it; unloading the DLL, whose
// exit list then runs, gives the host its own back.
void CaseTerminateHandler(const THostLiteFolders&) {
  const THostTerminateHandler hosts = HostTerminateHandler();
  THostLiteShell shell;
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  HOST_CHECK_EQ(dll.Init(&shell), kKXOk);
  const THostTerminateHandler plugins = HostTerminateHandler();
  HOST_CHECK(plugins != hosts);
  bool caught = false;
  try {
    plugins();
  } catch (const TKXException& failure) {
    caught = true;
    CheckRecord(failure, kKXErrSystemException, "KXCore/Source/Common/KXException", 50);
  }
  HOST_CHECK(caught);
  HOST_CHECK_EQ(dll.CleanUp(), kKXOk);
  HOST_CHECK(HostTerminateHandler() == plugins);
  dll.Unload();
  HOST_CHECK(GetModuleHandleA(kPluginDll) == nullptr);
  HOST_CHECK(HostTerminateHandler() == hosts);
}

#ifdef _MSC_VER
namespace {

void __cdecl HostsTranslator(unsigned int, _EXCEPTION_POINTERS*) {}

THostTranslator CurrentTranslator() {
  const THostTranslator current = HostSetTranslator(nullptr);
  HostSetTranslator(current);
  return current;
}

}  // namespace

// The translator lives in msvcrt's per-thread slot, where the host sees it: switching on saves
// the one in force, switching off puts it back, and a second switching-on saves the plug-in's own.
void CaseRuntimeTranslator(const THostLiteFolders&) {
  THostLiteShell shell;
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  const THostTranslator before = HostSetTranslator(HostsTranslator);
  HOST_CHECK_EQ(dll.Init(&shell), kKXOk);
  const THostTranslator plugins = CurrentTranslator();
  HOST_CHECK(plugins != HostsTranslator && plugins != nullptr);
  dll.CleanUpExceptionTranslator();
  HOST_CHECK(CurrentTranslator() == HostsTranslator);
  dll.InitExceptionTranslator();
  dll.InitExceptionTranslator();
  dll.CleanUpExceptionTranslator();
  HOST_CHECK(CurrentTranslator() == plugins);
  HOST_CHECK_EQ(dll.CleanUp(), kKXOk);
  HOST_CHECK(CurrentTranslator() == plugins);
  HostSetTranslator(before);
}
#endif
