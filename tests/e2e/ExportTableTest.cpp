// The library exports its six entry points by their plain names, and nothing else: no other
// symbol on Linux, and on Windows no _Name@N decoration of __stdcall and no entry by ordinal alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "THostPluginLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <memory>
#include <sstream>
#endif

namespace {

const std::set<std::string> kEntryPoints = {
    "KXDllInit",         "KXDllCleanUp",
    "KXDllGetClassObject", "KXDllCanUnloadNow",
    "KXDllInitExceptionTranslator", "KXDllCleanUpExceptionTranslator"};

#ifdef _WIN32

// The names in the export directory of a loaded image, and how many entries its address table has.
struct ExportDirectory {
  std::set<std::string> names;
  DWORD functions = 0;
  DWORD nameCount = 0;
};

ExportDirectory ReadExportDirectory(const void* module) {
  ExportDirectory result;
  const auto* base = static_cast<const unsigned char*>(module);
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

}  // namespace

TEST(ExportTableTest, ExactlyTheSixEntryPointsByTheirPlainNames) {
  THostPluginLibrary library;
  ASSERT_TRUE(library.Load(T3D_PLUGIN_LIBRARY)) << library.Error();
  const ExportDirectory exports = ReadExportDirectory(library.Handle());
  EXPECT_EQ(exports.names, kEntryPoints);
  EXPECT_EQ(exports.functions, 6u);
  EXPECT_EQ(exports.nameCount, 6u);
}

#else

// The names of the symbols that the library defines for others to link against.
std::set<std::string> ExportedNames(const std::string& library) {
  const std::string command = "nm -D --defined-only '" + library + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::set<std::string> names;
  if (!pipe) return names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get())) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  return names;
}

}  // namespace

TEST(ExportTableTest, ExactlyTheSixEntryPoints) {
  EXPECT_EQ(ExportedNames(T3D_PLUGIN_LIBRARY), kEntryPoints);
}

#endif
