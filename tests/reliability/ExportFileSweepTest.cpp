// Every file operation of an export failed: the usual sequence through the loaded library writes
// a map that crosses the stream's buffer, onto a missing file and onto a longer stale one, while
// the reference host fails the k-th call of one operation (or every call from it on), or cuts the
// k-th write short. The export still answers success, as its stream fails quietly; the file holds
// what the stream rules make of the failure; and the host's write account tells a host that the
// file lacks bytes whenever it does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "reliability/FileFaults.h"
#include "reliability/HostWholeness.h"
#include "reliability/Sweep.h"
#include "reliability/SweepScenes.h"
#include "reliability/UsualSequence.h"
#include "support/FileText.h"

namespace {

using Call = THostFileCall;
using Mode = TFileFault::Mode;

/// How the file info record stands after the export.
enum class TInfo { Stamped, Unstamped };

/// What the stream rules make of a fault.
struct TExpectedFile {
  std::optional<std::string> bytes;  // none: no file
  TInfo info = TInfo::Stamped;
  std::uint32_t failedWrites = 0;
  std::uint32_t shortWrites = 0;
  bool everyWriteFails = false;  // unbuffered writes to a file that is not open
};

struct TCleanExport {
  std::string map;
  THostFileFaults calls;  // the calls the clean run made
};

// The map without the bytes of host write `n` (from 1) after `kept` of them: each buffer goes out
// in one write at its own offset, and the next write, whose seek past the end the host refuses,
// lands right behind what the file holds.
std::string WithoutWrite(const std::string& map, std::uint32_t n, std::size_t kept) {
  const std::size_t start = (n - 1) * std::size_t{kExportBufferSize};
  const std::size_t end = std::min(map.size(), start + kExportBufferSize);
  return map.substr(0, start + kept) + map.substr(end);
}

std::size_t BlockSize(const std::string& map, std::uint32_t n) {
  const std::size_t start = (n - 1) * std::size_t{kExportBufferSize};
  return std::min(map.size(), start + kExportBufferSize) - start;
}

TExpectedFile Expect(const TFileFault& fault, const TCleanExport& clean,
                     const std::optional<std::string>& before) {
  const std::string& map = clean.map;
  TExpectedFile expected{map};
  if (fault.n > clean.calls.Calls(fault.call)) return expected;  // a call never made
  const std::uint32_t writes = clean.calls.Calls(Call::Write);
  switch (fault.call) {
    case Call::NewFileSpec:  // no file object: the stream's writes fail before the host
      return TExpectedFile{before, TInfo::Unstamped};
    case Call::Create:  // the open fails; unbuffered writes go to a file that is not there
      return TExpectedFile{std::nullopt, TInfo::Stamped, 0, 0, true};
    case Call::Open:
      return TExpectedFile{before ? *before : "", TInfo::Stamped, 0, 0, true};
    case Call::SetLength:  // the open fails after opening: unbuffered, over the old bytes
      expected.bytes = map;
      if (before && before->size() > map.size()) *expected.bytes += before->substr(map.size());
      return expected;
    case Call::GetInfo:  // without the host's record none is stored
    case Call::SetInfo:
      expected.info = TInfo::Unstamped;
      return expected;
    case Call::Write:
      if (fault.mode == Mode::Shorten) {
        expected.bytes = WithoutWrite(map, fault.n, BlockSize(map, fault.n) / 2);
        expected.shortWrites = 1;
      } else if (fault.mode == Mode::Onward) {
        expected.bytes = map.substr(0, (fault.n - 1) * std::size_t{kExportBufferSize});
        expected.failedWrites = writes - fault.n + 1;
      } else {
        expected.bytes = WithoutWrite(map, fault.n, 0);
        expected.failedWrites = 1;
      }
      return expected;
    default:  // a failed seek before a write changes nothing where the file is written in order
      return expected;
  }
}

std::optional<std::string> FileAt(const std::string& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return ReadFileText(path);
}

TInfo InfoAt(const THostFileManager& files, const std::string& path) {
  if (!files.HasStoredInfo(path)) return TInfo::Unstamped;
  const KXFileInfo info = files.InfoOf(path);
  const KXFileInfo fresh = THostFileManager::DefaultInfo();
  const bool stamped = info.type == KXFourChar('T', 'E', 'X', 'T') &&
                       info.creator == KXFourChar('K', 'X', 'h', 'o');
  // The host's 40 bytes of the record must come back as they were.
  if (!stamped || std::memcmp(info.host, fresh.host, sizeof info.host) != 0) return TInfo::Unstamped;
  return TInfo::Stamped;
}

// How the file came out, by what it holds.
std::string Observed(const std::optional<std::string>& after,
                     const std::optional<std::string>& before, const std::string& map,
                     TInfo info) {
  std::string kind;
  if (after == before || (!before && after && after->empty())) {
    kind = "untouched";
  } else if (after == map) {
    kind = "complete";
  } else if (after && after->size() > map.size() && after->compare(0, map.size(), map) == 0) {
    kind = "stale-tail";
  } else {
    kind = "bytes-missing";
  }
  if (info == TInfo::Unstamped) kind += "-unstamped";
  return kind;
}

void CheckAccount(const THostFileManager& files, const TExpectedFile& expected, TSweepRun& run) {
  if (expected.everyWriteFails) {
    if (files.WriteCalls() == 0 || files.FailedWrites() != files.WriteCalls()) {
      run.Mismatch("not every host write failed");
    }
    return;
  }
  const bool counted = files.FailedWrites() == expected.failedWrites &&
                       files.ShortWrites() == expected.shortWrites;
  if (!counted) {
    run.Mismatch("host counted " + std::to_string(files.FailedWrites()) + " failed and " +
                 std::to_string(files.ShortWrites()) + " short writes");
  }
}

// A host must be able to tell from its own account whether the file holds the whole map: no
// failed or short write, and as many bytes written as the file holds.
void CheckDetectable(const THostFileManager& files, const std::optional<std::string>& after,
                     const std::string& map, TSweepRun& run) {
  const bool whole = after == map;
  const bool accountWhole = files.FailedWrites() == 0 && files.ShortWrites() == 0 && after &&
                            files.BytesWritten() == after->size();
  if (whole != accountWhole) run.Mismatch("the host's write account misjudges the file");
}

class ExportFileSweepTest : public ::testing::Test {
 protected:
  ExportFileSweepTest()
      : path(TestFilePath("sweep_", ".t3d")) {
    AddBlocks(scene, 4, 60);
  }

  void Prepare(const std::optional<std::string>& before) {
    std::filesystem::remove(path);
    if (before) std::ofstream(path, std::ios::binary) << *before;
  }

  TCleanExport CleanRun(const std::optional<std::string>& before) {
    Prepare(before);
    THostApplication host;
    EXPECT_EQ(RunUsualSequence(host, &scene, scene.Universe(), path), ending::kExported);
    return TCleanExport{ReadFileText(path), host.Files().Faults()};
  }

  TSweepRun FaultyRun(const TFileFault& fault, const TCleanExport& clean,
                      const std::optional<std::string>& before) {
    Prepare(before);
    THostApplication host;
    Apply(fault, host.Files().Faults());
    TSweepRun run;
    const std::string ending = RunUsualSequence(host, &scene, scene.Universe(), path);
    if (ending != ending::kExported) run.Mismatch("ended " + ending);
    const TExpectedFile expected = Expect(fault, clean, before);
    const auto after = FileAt(path);
    const TInfo info = InfoAt(host.Files(), path);
    run.outcome = Observed(after, before, clean.map, info);
    if (after != expected.bytes) run.Mismatch("the file holds other bytes than the rules give");
    if (info != expected.info) run.Mismatch("the file's info record is not as the rules give");
    CheckAccount(host.Files(), expected, run);
    CheckDetectable(host.Files(), after, clean.map, run);
    CheckHostWhole(host, run);
    CheckSceneWhole(scene, run);
    CheckFileClosed(path, run);
    return run;
  }

  void SweepFrom(const std::string& name, const std::optional<std::string>& before) {
    const TCleanExport clean = CleanRun(before);
    ASSERT_GT(clean.map.size(), 2 * kExportBufferSize) << "the map must cross the buffer";
    Sweep(name, FileFaultPoints(clean.calls),
          [&](const TFileFault& fault) { return FaultyRun(fault, clean, before); },
          [](const TFileFault& fault) { return Describe(fault); });
  }

  THostScene scene;
  const std::string path;
};

TEST_F(ExportFileSweepTest, OntoAMissingFile) { SweepFrom("file/export-new-file", std::nullopt); }

TEST_F(ExportFileSweepTest, OntoALongerStaleFile) {
  SweepFrom("file/export-over-stale-file", std::string(200000, 'S'));
}

}  // namespace
