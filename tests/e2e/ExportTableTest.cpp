// The library exports its six entry points by their plain names, and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

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
  const std::set<std::string> expected = {
      "KXDllInit",         "KXDllCleanUp",
      "KXDllGetClassObject", "KXDllCanUnloadNow",
      "KXDllInitExceptionTranslator", "KXDllCleanUpExceptionTranslator"};
  EXPECT_EQ(ExportedNames(T3D_PLUGIN_LIBRARY), expected);
}
