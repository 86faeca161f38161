// Every allocation refused: the host's usual sequence through the loaded library, on a small map
// and on exports in both layouts that cross the stream's buffer. Each run must end where the
// rules put the refused request, leave nothing of the host behind and, when the map is written,
// write the same bytes as the run without a refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "reliability/HostWholeness.h"
#include "reliability/RefusalRules.h"
#include "reliability/Sweep.h"
#include "reliability/SweepScenes.h"
#include "reliability/UsualSequence.h"
#include "support/FileText.h"
#include "support/TriangleScene.h"

namespace {

const std::string kHalved = ending::kExported + "-halved-buffer";
const std::string kUnbuffered = ending::kExported + "-unbuffered";

// Where each request of the usual sequence lies and what refusing it does.
TRefusalEffect UsualSequenceRule(const TTracedRequest& traced) {
  const THostMemoryRequest& request = traced.request;
  if (traced.step == "factory") return {true, ending::kFactoryRefused, ""};
  if (traced.step == "component") return {true, ending::kClassNotAvailable, ""};
  if (traced.step == "export" && request.kind == THostMemoryRequest::Kind::Object) {
    return {true, ending::kStreamObjectRefused, ""};
  }
  if (traced.step == "export" && request.kind == THostMemoryRequest::Kind::Block &&
      request.size == kExportBufferSize) {
    return {false, kHalved, kUnbuffered};
  }
  return {true, "no rule for a request of " + std::to_string(request.size) + " bytes in " +
                    traced.step, ""};
}

struct TCleanRun {
  std::vector<TTracedRequest> trace;
  std::string bytes;
  std::uint32_t writes = 0;
};

// The host writes of a map written through a buffer of `buffer` bytes: whole buffers, then the
// rest.
void CheckBlockWrites(const std::vector<std::uint32_t>& writes, std::uint32_t buffer,
                      std::size_t length, TSweepRun& run) {
  std::size_t expected = length;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const bool last = i + 1 == writes.size();
    if ((!last && writes[i] != buffer) || (last && writes[i] != expected)) {
      return run.Mismatch("host write " + std::to_string(i + 1) + " of " +
                          std::to_string(writes[i]) + " bytes through a " +
                          std::to_string(buffer) + "-byte buffer");
    }
    expected -= writes[i];
  }
}

void CheckFile(const std::string& path, const TCleanRun& clean, const std::string& ending,
               std::uint32_t buffer, const THostFileManager& files, TSweepRun& run) {
  if (ending.rfind(ending::kExported, 0) != 0) {
    if (std::filesystem::exists(path)) run.Mismatch("a file was made");
    return;
  }
  if (ReadFileText(path) != clean.bytes) run.Mismatch("the map differs from the clean run's");
  const auto& writes = files.WriteSizes();
  if (buffer != 0) return CheckBlockWrites(writes, buffer, clean.bytes.size(), run);
  const auto sum = std::accumulate(writes.begin(), writes.end(), std::size_t{0});
  if (sum != clean.bytes.size() || writes.size() <= clean.writes) {
    run.Mismatch("unbuffered writes do not add up to the map");
  }
}

class ExportAllocationSweepTest : public ::testing::Test {
 protected:
  ExportAllocationSweepTest()
      : path(TestFilePath("sweep_", ".t3d")) {}

  // Sweeps the usual sequence exporting `top`; `minimum` is the least the map must hold.
  void SweepExport(const std::string& name, IKXTreeElement* top, std::size_t minimum) {
    const TCleanRun clean = CleanRun(top);
    ASSERT_GE(clean.bytes.size(), minimum) << "the map is too small to prove anything";
    Sweep(name, RefusalPoints(static_cast<std::uint32_t>(clean.trace.size())),
          [&](const TRefusal& refusal) { return RefusedRun(top, clean, refusal); },
          [](const TRefusal& refusal) { return Describe(refusal); });
  }

  TCleanRun CleanRun(IKXTreeElement* top) {
    std::filesystem::remove(path);
    THostApplication host;
    TRequestSteps steps(host.Memory());
    EXPECT_EQ(RunUsualSequence(host, &scene, top, path, &steps), ending::kExported);
    return TCleanRun{steps.Trace(), ReadFileText(path), host.Files().WriteCalls()};
  }

  TSweepRun RefusedRun(IKXTreeElement* top, const TCleanRun& clean, const TRefusal& refusal) {
    std::filesystem::remove(path);
    THostApplication host;
    TRequestSteps steps(host.Memory());
    if (refusal.onward) {
      host.Memory().RefuseAllAfter(refusal.request - 1);
    } else {
      host.Memory().RefuseRequest(refusal.request);
    }
    const std::string ending = RunUsualSequence(host, &scene, top, path, &steps);
    const auto trace = steps.Trace();
    const std::uint32_t buffer = GrantedBlock(trace, "export");
    TSweepRun run;
    run.outcome = ending == ending::kExported ? ending + BufferSuffix(trace, "export") : ending;
    const std::string expected =
        ExpectedEnding(clean.trace, refusal, UsualSequenceRule, ending::kExported);
    if (run.outcome != expected) run.Mismatch("ended " + run.outcome + ", not " + expected);
    CheckFile(path, clean, run.outcome, buffer, host.Files(), run);
    CheckHostWhole(host, run);
    CheckSceneWhole(scene, run);
    CheckFileClosed(path, run);
    return run;
  }

  THostScene scene;
  const std::string path;
};

TEST_F(ExportAllocationSweepTest, UsualSequenceOnASmallMap) {
  AddTriangle(scene, "Box");
  SweepExport("allocation/usual-sequence", scene.Universe(), 1);
}

TEST_F(ExportAllocationSweepTest, MapAcrossTheBuffer) {
  AddBlocks(scene, 4, 60);
  SweepExport("allocation/map-across-buffer", scene.Universe(), 2 * kExportBufferSize + 1);
}

TEST_F(ExportAllocationSweepTest, SingleObjectAcrossTheBuffer) {
  AddBlocks(scene, 1, 300);
  SweepExport("allocation/single-object-across-buffer", scene.InstanceAt(0).TreeElement(),
              2 * kExportBufferSize + 1);
}

}  // namespace
