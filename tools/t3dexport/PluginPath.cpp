#include "PluginPath.h"

#include <filesystem>
#include <system_error>

std::string DefaultPluginPath() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path tool = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path installed = tool.parent_path().parent_path() / "lib" / T3D_PLUGIN_FILE_NAME;
    if (fs::exists(installed, error)) return installed.string();
  }
  return T3D_DEFAULT_PLUGIN;
}
