// The DLL's export directory, read from the loaded image: exactly the six entry points, by their
// plain names (no _Name@N decoration of __stdcall), each found by GetProcAddress.
#include <set>
#include <string>

#include "WindowsHost.h"

namespace {

// The names in the export directory of a loaded image, and how many entries its address table has.
struct ExportDirectory {
  std::set<std::string> names;
  DWORD functions = 0;
  DWORD nameCount = 0;
};

ExportDirectory ReadExportDirectory(HMODULE module) {
  ExportDirectory result;
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return result;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE ||
      nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    return result;
  }
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (entry.VirtualAddress == 0) return result;
  const auto* directory =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  result.functions = directory->NumberOfFunctions;
  result.nameCount = directory->NumberOfNames;
  const auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
  for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
    result.names.insert(reinterpret_cast<const char*>(base + names[i]));
  }
  return result;
}

const std::set<std::string> kEntryPoints = {
    "KXDllInit",         "KXDllCleanUp",
    "KXDllGetClassObject", "KXDllCanUnloadNow",
    "KXDllInitExceptionTranslator", "KXDllCleanUpExceptionTranslator"};

}  // namespace

TEST(ExportTableTest, ExactlyTheSixEntryPointsByTheirPlainNames) {
  TWindowsPluginDll dll;
  ASSERT_NE(dll.Module(), nullptr) << "LoadLibrary failed: " << GetLastError();
  const ExportDirectory exports = ReadExportDirectory(dll.Module());
  EXPECT_EQ(exports.names, kEntryPoints);
  // No entry exported by ordinal alone, and no name twice.
  EXPECT_EQ(exports.functions, 6u);
  EXPECT_EQ(exports.nameCount, 6u);
  EXPECT_TRUE(dll.Complete());
}
