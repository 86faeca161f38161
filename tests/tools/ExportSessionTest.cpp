// Every way the host's file operations can fail under an export, seen by the tool: a write that
// fails or falls short at any point, a file that cannot be opened or made. The plug-in's stream
// fails quietly, so the session must find each one itself and never report a written map.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ExportSession.h"
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
