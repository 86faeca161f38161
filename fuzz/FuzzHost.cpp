#include "FuzzHost.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "KXCharTables.h"
#include "KXServiceTable.h"

namespace {

// Identity maps with a byte dropped and a byte expanded, so imported texts shrink and grow.
const KXCharTables& CharacterTables() {
  static const std::uint8_t kExpansions[] = {10, 'x', 'x', 'y', 'z', '\0', 'w', 'W', 'W', 'W', '\0'};
  static KXCharTables tables = [] {
    KXCharTables t{};
    for (int map = 0; map < 2; ++map) {
      for (int b = 0; b < 256; ++b) t.maps[map][b] = static_cast<std::uint8_t>(b);
      t.maps[map][std::uint8_t{'q'}] = kKXCharDrop;
      t.maps[map][std::uint8_t{'x'}] = kKXCharExpand;
      t.maps[map][std::uint8_t{'w'}] = kKXCharExpand;
      t.maps[map][kKXCharExpand] = kKXCharDrop;
      t.expansions[map] = kExpansions;
    }
    return t;
  }();
  return tables;
}

// The folder T3D_FUZZ_DIR names (scripts/run-fuzzers makes one and removes it afterwards, since
// libFuzzer ends a run without any exit handlers), else one in memory where the system has it:
// a fuzz run writes a file for every input.
std::string TempFolder() {
  if (const char* folder = std::getenv("T3D_FUZZ_DIR")) return folder;
  return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

const std::string& InputPath() {
  static const std::string path = FuzzFilePath("input");
  return path;
}

void Install(int entry, IKXUnknown* service) { gKXServiceTable[entry - 1] = service; }

}  // namespace

std::string FuzzFilePath(const char* name) {
  static const std::string folder = TempFolder();
  return folder + "/t3d-fuzz-" + std::to_string(::getpid()) + "-" + name + ".txt";
}

THostApplication& FuzzHost() {
  static THostApplication* host = [] {
    auto* made = new THostApplication;
    made->Platform().SetCharacterTables(&CharacterTables());
    Install(kKXEntryMemoryManager, &made->Memory());
    Install(kKXEntryFileManager, &made->Files());
    Install(kKXEntryPlatformInfo, &made->Platform());
    return made;
  }();
  return *host;
}

std::unique_ptr<TKXTextStream> OpenFuzzStream(const std::uint8_t* data, std::size_t size,
                                              std::int32_t bufferSize) {
  FuzzHost();
  const int fd = ::open(InputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
  ::close(fd);
  std::unique_ptr<TKXTextStream> stream(new TKXTextStream(
      InputPath().c_str(), static_cast<std::int32_t>(kKXFileRead), bufferSize, nullptr));
  if (!stream || stream->State() != 0) std::abort();
  return stream;
}

std::int32_t FuzzBufferSize(std::uint8_t choice) {
  constexpr std::int32_t kSizes[] = {0, 1, 2, 3, 5, 8, 64, 4096};
  return kSizes[choice % (sizeof kSizes / sizeof kSizes[0])];
}

void CheckNothingHeld() {
  THostMemory& memory = FuzzHost().Memory();
  if (memory.LiveBlocks() != 0 || memory.LiveObjects() != 0 || memory.FreeErrors() != 0)
    std::abort();
}
