// Every file operation of a read failed: the token text read back through a 16-byte buffer, and
// a bookmark's file reopened and read to its end, while the reference host fails the k-th call of
// one operation, or every call from it on. The stream fails quietly (its state word and access
// flags say how the open went) and a read never delivers a byte that was not written: it ends
// early at worst, or the stream's state said at once that it is not where it should be.
#include <gtest/gtest.h>

#include "KXFileInterfaces.h"
#include "KXTextStream.h"
#include "THostApplication.h"
#include "reliability/BookmarkScenario.h"
#include "reliability/FileFaults.h"
#include "reliability/HostWholeness.h"
#include "reliability/Sweep.h"
#include "support/FileText.h"
#include "reliability/TokenScenario.h"
#include "support/ServiceTableSession.h"

namespace {

using Call = THostFileCall;

/// How the stream stands after its open, and how the read ends, by the stream rules.
struct TExpectedRead {
  std::uint32_t state;
  std::uint32_t access;
  std::string ending;  // empty: the read may end early, but delivers only what was written
};

TExpectedRead Expect(const TFileFault& fault, const THostFileFaults& clean) {
  const bool made = fault.n <= clean.Calls(fault.call);
  if (made && fault.call == Call::NewFileSpec) {
    // No file object: the open leaves the state alone, and no access flags were read.
    return {0, 0, token_ending::kCutShort};
  }
  if (made && fault.call == Call::Open) {
    return {kKXStreamFail, kKXFileRead, token_ending::kCutShort};
  }
  // Without its length the stream reads unbuffered, straight from the open file.
  if (made && fault.call == Call::GetLength) {
    return {kKXStreamFail, kKXFileRead, token_ending::kReadAll};
  }
  return {0, kKXFileRead, made ? "" : token_ending::kReadAll};
}

TTokenRead Read(const std::string& path, THostApplication& host, const TFileFault* fault) {
  TServiceTableSession session(host.Shell());
  if (fault) Apply(*fault, host.Files().Faults());
  return ReadTokenText(path);
}

class ReadFileSweepTest : public ::testing::Test {
 protected:
  ReadFileSweepTest()
      : path(TestFilePath("sweep_", ".txt")) {
    WriteTokenText(path);
  }

  TSweepRun FaultyRun(const TFileFault& fault, const THostFileFaults& clean) {
    THostApplication host;
    const TTokenRead read = Read(path, host, &fault);
    const TExpectedRead expected = Expect(fault, clean);
    TSweepRun run;
    run.outcome = read.ending;
    if (!read.wrong.empty()) run.Mismatch("delivered what was not written: " + read.wrong);
    const bool early = read.ending == token_ending::kCutShort;
    if (!early && read.ending != token_ending::kReadAll) run.Mismatch("ended " + read.ending);
    if (!expected.ending.empty() && read.ending != expected.ending) {
      run.Mismatch("ended " + read.ending + ", not " + expected.ending);
    }
    if (read.stateAfterOpen != expected.state || read.accessAfterOpen != expected.access) {
      run.Mismatch("opened with state " + std::to_string(read.stateAfterOpen) + " and access " +
                   std::to_string(read.accessAfterOpen));
    }
    CheckHostWhole(host, run);
    CheckFileClosed(path, run);
    return run;
  }

  const std::string path;
};

TEST_F(ReadFileSweepTest, TokensAndALongQuotedText) {
  THostApplication host;
  ASSERT_EQ(Read(path, host, nullptr).ending, token_ending::kReadAll);
  const THostFileFaults clean = host.Files().Faults();
  ASSERT_GT(clean.Calls(Call::Read), 10u) << "the buffer is too large to prove anything";
  Sweep("file/tokens-and-quoted-text", FileFaultPoints(clean),
        [&](const TFileFault& fault) { return FaultyRun(fault, clean); },
        [](const TFileFault& fault) { return Describe(fault); });
}

TEST_F(ReadFileSweepTest, BookmarkReopenedAndReadToTheEnd) {
  THostFileFaults clean;
  {
    THostApplication host;
    TServiceTableSession session(host.Shell());
    // The calls are counted from Reopen on: the faults come there.
    const auto count = [&] { host.Files().Faults().Clear(); };
    const TBookmarkRun run = RunBookmarkScenario(path, nullptr, count);
    ASSERT_EQ(run.ending, bookmark_ending::kReopened) << run.wrong;
    clean = host.Files().Faults();
  }
  const auto faulty = [&](const TFileFault& fault) {
    THostApplication host;
    TBookmarkRun reopened;
    {
      TServiceTableSession session(host.Shell());
      reopened = RunBookmarkScenario(path, nullptr, [&] { Apply(fault, host.Files().Faults()); });
    }
    TSweepRun run;
    run.outcome = reopened.ending;
    const bool whole = reopened.readBack == reopened.rest;
    const bool prefix = reopened.rest.compare(0, reopened.readBack.size(), reopened.readBack) == 0;
    if (!whole) run.outcome += reopened.stateAfterReopen != 0 ? "-failure-reported" : "-cut-short";
    if (reopened.ending != bookmark_ending::kReopened) run.Mismatch("ended " + reopened.ending);
    if (!prefix && reopened.stateAfterReopen == 0) run.Mismatch("read back what was not written");
    const bool opening = fault.n <= clean.Calls(fault.call) &&
                         (fault.call == Call::NewFileSpec || fault.call == Call::Open);
    if (opening && (reopened.stateAfterReopen == 0 || !reopened.readBack.empty())) {
      run.Mismatch("a failed open went unreported");
    }
    CheckHostWhole(host, run);
    CheckFileClosed(path + ".renamed", run);
    return run;
  };
  Sweep("file/bookmark-reopen", FileFaultPoints(clean), faulty,
        [](const TFileFault& fault) { return Describe(fault); });
}

}  // namespace
