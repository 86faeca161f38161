// The DLL's export directory, and the maps it writes for the box scene in both layouts.

#include "DllHostCases.h"
#include "THostLiteCheck.h"
#include "THostLiteFile.h"
#include "THostLiteScene.h"

namespace {

const char* const kEntryPoints[] = {
    "KXDllCanUnloadNow",   "KXDllCleanUp",
    "KXDllCleanUpExceptionTranslator", "KXDllGetClassObject",
    "KXDllInit",           "KXDllInitExceptionTranslator",
};
constexpr DWORD kEntryPointCount = sizeof kEntryPoints / sizeof kEntryPoints[0];

const IMAGE_EXPORT_DIRECTORY* ExportDirectory(HMODULE module) {
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (entry.VirtualAddress == 0) return nullptr;
  return reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
}

}  // namespace

// Exactly the six entry points, by their plain names (no _Name@N decoration of __stdcall); no
// function is exported by ordinal alone. lld-link 14 starts the address table at ordinal 0 and
// leaves that entry empty, so empty entries are allowed, other unnamed ones are not.
void CaseExportTable(const THostLiteFolders&) {
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  const IMAGE_EXPORT_DIRECTORY* directory = ExportDirectory(dll.Module());
  if (!HOST_CHECK(directory != nullptr)) return;
  const auto* base = reinterpret_cast<const unsigned char*>(dll.Module());
  const auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
  const auto* ordinals = reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
  const auto* functions = reinterpret_cast<const DWORD*>(base + directory->AddressOfFunctions);

  HOST_CHECK_EQ(directory->NumberOfNames, kEntryPointCount);
  for (DWORD i = 0; i < directory->NumberOfNames && i < kEntryPointCount; ++i) {
    HOST_CHECK_TEXT(reinterpret_cast<const char*>(base + names[i]), kEntryPoints[i]);
  }
  DWORD exported = 0;
  for (DWORD f = 0; f < directory->NumberOfFunctions; ++f) {
    if (functions[f] == 0) continue;
    ++exported;
    bool named = false;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) named = named || ordinals[i] == f;
    HOST_CHECK(named);
  }
  HOST_CHECK_EQ(exported, kEntryPointCount);
}

// The host's usual sequence, once per layout, and the maps byte for byte as the Linux build
// wrote them for the same scene.
void CaseMapsMatchTheLinuxBuild(const THostLiteFolders& folders) {
  THostLiteShell shell;
  THostLiteScene scene;
  THostLiteDll dll(kPluginDll);
  if (!HOST_CHECK(dll.Complete())) return;
  HOST_CHECK_EQ(dll.Init(&shell), kKXOk);
  IKXExporter* exporter = HostMakeExporter(dll);
  if (!HOST_CHECK(exporter != nullptr)) return;
  HOST_CHECK_EQ(dll.CanUnloadNow(), 1);

  IKXTreeElement* object = &scene.Named(kBoxSceneObject);
  const struct {
    IKXTreeElement* top;
    const char* file;
  } layouts[] = {{scene.Universe(), "map.t3d"}, {object, "object.t3d"}};
  for (const auto& layout : layouts) {
    char written[1024];
    char expected[1024];
    HostJoinPath(written, folders.output, layout.file);
    HostJoinPath(expected, folders.expected, layout.file);
    THostLiteFile* destination = THostLiteFile::Make(written);
    HOST_CHECK_EQ(exporter->Export(destination, &scene, layout.top), kKXOk);
    destination->Release();

    const THostLiteBytes mine(written);
    const THostLiteBytes reference(expected);
    if (!HOST_CHECK(reference.Read() && reference.Size() > 0)) continue;
    HostCheckSameBytes(mine, reference, reference.Size());
    HostSay("  %s: %lu bytes", layout.file, static_cast<unsigned long>(mine.Size()));
  }

  HOST_CHECK_EQ(exporter->Release(), 0);
  HOST_CHECK_EQ(dll.CanUnloadNow(), 0);
  HOST_CHECK_EQ(dll.CleanUp(), kKXOk);
  // One display per export, closed again; one step per actor of the map (Hidden is excluded).
  HOST_CHECK_EQ(shell.Utilities().Opened(), 2);
  HOST_CHECK_EQ(shell.Utilities().Closed(), 2);
  HOST_CHECK_EQ(shell.Utilities().Advanced(), 4);
  HostCheckWhole(shell);
}
