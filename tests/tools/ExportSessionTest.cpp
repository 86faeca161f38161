// Every way the host's file operations can fail under an export, seen by the tool: a write that
// fails or falls short at any point, a file that cannot be opened or made. The plug-in's stream
// fails quietly, so the session must find each one itself and never report a written map.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ExportSession.h"
#include "support/FileText.h"
#include "SampleRoom.h"
#include "THostScene.h"

namespace {

struct Fault {
  const char* name;
  std::function<void(THostFileFaults&)> set;
};

}  // namespace

TEST(ExportSessionTest, EveryFailedFileOperationIsFound) {
  SampleMap sample;
  const std::string path = ::testing::TempDir() + "session_fault.t3d";
  // The sample's map is one buffer of the plug-in's stream: faults before, inside and at the end
  // of its one write.
  const std::vector<Fault> faults = {
      {"write fails at once", [](THostFileFaults& f) { f.FailWritesAfter(0); }},
      {"write fails within", [](THostFileFaults& f) { f.FailWritesAfter(1000); }},
      {"write cut at once", [](THostFileFaults& f) { f.ShortenWritesAfter(0); }},
      {"write cut within", [](THostFileFaults& f) { f.ShortenWritesAfter(26000); }},
      {"open refused", [](THostFileFaults& f) { f.RefuseOpen(); }},
      {"create refused", [](THostFileFaults& f) { f.RefuseCreate(); }},
      {"no file object", [](THostFileFaults& f) { f.RefuseNewFiles(); }},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    std::remove(path.c_str());
    ExportSession session;
    std::string error;
    ASSERT_TRUE(session.Start(T3D_PLUGIN_LIBRARY, error)) << error;
    fault.set(session.Host().Files().Faults());
    const ExportOutcome outcome = session.Export(sample.scene, sample.scene.Universe(), path);
    EXPECT_EQ(outcome.kind, ExportOutcome::Kind::kWriteFailed) << outcome.message;
    session.Host().Files().Faults().Clear();
    EXPECT_TRUE(session.Stop(error)) << error;
  }
}

// Every host file operation failed at each of its calls in turn, alone and from there on, and
// each write cut short: a map is reported written only when the file holds exactly the map of a
// clean export.
TEST(ExportSessionTest, NoFileFaultPassesForAWrittenMap) {
  SampleMap sample;
  const std::string path = ::testing::TempDir() + "session_sweep.t3d";
  ExportSession session;
  std::string error;
  ASSERT_TRUE(session.Start(T3D_PLUGIN_LIBRARY, error)) << error;
  THostFileFaults& faults = session.Host().Files().Faults();
  std::uint32_t calls[static_cast<int>(THostFileCall::kCount)] = {};
  const auto exportWith = [&](const std::function<void()>& set) {
    std::remove(path.c_str());
    faults.Clear();
    set();
    const ExportOutcome outcome = session.Export(sample.scene, sample.scene.Universe(), path);
    for (int c = 0; c < static_cast<int>(THostFileCall::kCount); ++c) {
      calls[c] = faults.Calls(static_cast<THostFileCall>(c));
    }
    faults.Clear();
    return outcome;
  };
  ASSERT_EQ(exportWith([] {}).kind, ExportOutcome::Kind::kWritten);
  const std::string map = ReadFileText(path);
  const auto cleanCalls = std::vector<std::uint32_t>(std::begin(calls), std::end(calls));
  int found = 0;
  for (int c = 0; c < static_cast<int>(THostFileCall::kCount); ++c) {
    const auto call = static_cast<THostFileCall>(c);
    for (std::uint32_t n = 1; n <= cleanCalls[c]; ++n) {
      for (const bool onward : {false, true}) {
        SCOPED_TRACE("call " + std::to_string(c) + " number " + std::to_string(n) +
                     (onward ? " onward" : ""));
        const ExportOutcome outcome = exportWith([&] { faults.FailCall(call, n, onward); });
        if (outcome.kind == ExportOutcome::Kind::kWritten) {
          EXPECT_EQ(ReadFileText(path), map);
        } else {
          ++found;
        }
      }
    }
  }
  for (std::uint32_t n = 1; n <= cleanCalls[static_cast<int>(THostFileCall::Write)]; ++n) {
    EXPECT_NE(exportWith([&] { faults.ShortenWrite(n); }).kind, ExportOutcome::Kind::kWritten);
  }
  EXPECT_GE(found, 4);  // at least the new file, its creation, its opening and its one write
  EXPECT_TRUE(session.Stop(error)) << error;
}
