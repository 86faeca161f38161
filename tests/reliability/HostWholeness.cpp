#include "reliability/HostWholeness.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

void Expect(TSweepRun& run, const char* what, std::int64_t count) {
  if (count != 0) run.Leak(std::string(what) + " " + std::to_string(count));
}

// The descriptors of this process whose link names `path`, found through /proc/self/fd.
int OpenDescriptorsOn(const std::string& path) {
  std::error_code error;
  const std::string wanted = std::filesystem::absolute(path, error).string();
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    const auto target = std::filesystem::read_symlink(entry.path(), error);
    if (!error && target.string() == wanted) ++count;
  }
  return count;
}

}  // namespace

void CheckHostWhole(THostApplication& host, TSweepRun& run) {
  Expect(run, "host references", host.OutstandingReferences());
  Expect(run, "host releases below zero", host.ServiceUnderflows());
  Expect(run, "open progress displays", host.Utilities().OpenDisplays());
  Expect(run, "objects", host.Memory().LiveObjects());
  Expect(run, "blocks", host.Memory().LiveBlocks());
  Expect(run, "frees of unknown memory", host.Memory().FreeErrors());
}

void CheckSceneWhole(const THostScene& scene, TSweepRun& run) {
  Expect(run, "scene references", scene.OutstandingReferences());
  Expect(run, "scene releases below zero", scene.Underflows());
}

void CheckFileClosed(const std::string& path, TSweepRun& run) {
  Expect(run, "open descriptors on the output", OpenDescriptorsOn(path));
}
