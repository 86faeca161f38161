// Every allocation refused in the support library's streams, straight into the library: a
// bookmark's life (stream, bookmark, path change, Reopen) and a read of tokens and a long quoted
// text. Each run must end where the rules put the refused request, deliver only what was
// written, and give every object and block back.
#include <gtest/gtest.h>

#include "THostApplication.h"
#include "reliability/BookmarkScenario.h"
#include "reliability/HostWholeness.h"
#include "reliability/RefusalRules.h"
#include "reliability/Sweep.h"
#include "support/FileText.h"
#include "reliability/TokenScenario.h"
#include "support/ServiceTableSession.h"

namespace {

using Kind = THostMemoryRequest::Kind;

TRefusalEffect NoRule(const TTracedRequest& traced) {
  return {true, "no rule for a request of " + std::to_string(traced.request.size) + " bytes in " +
                    traced.step, ""};
}

// A buffer refused: the stream settles for a smaller one, or for none.
TRefusalEffect BufferRefused(const std::string& clean) {
  return {false, clean + "-halved-buffer", clean + "-unbuffered"};
}

TRefusalEffect BookmarkRule(const TTracedRequest& traced) {
  const Kind kind = traced.request.kind;
  const bool opening = traced.step == "stream" || traced.step == "reopen";
  if (opening && kind == Kind::Block) return BufferRefused(bookmark_ending::kReopened);
  if (traced.step == "stream") return {true, bookmark_ending::kStreamRefused, ""};
  if (traced.step == "bookmark") return {true, bookmark_ending::kNoBookmark, ""};
  if (traced.step == "rename") return {false, bookmark_ending::kOldPath, bookmark_ending::kOldPath};
  if (traced.step == "reopen") return {true, bookmark_ending::kReopenRefused, ""};
  return NoRule(traced);
}

TRefusalEffect TokenRule(const TTracedRequest& traced) {
  if (traced.step == "open" && traced.request.kind == Kind::Block) {
    return BufferRefused(token_ending::kReadAll);
  }
  if (traced.step == "open") return {true, token_ending::kStreamRefused, ""};
  if (traced.step == "read") return {true, token_ending::kQuotedRefused, ""};
  return NoRule(traced);
}

// One run of `scenario` (steps -> {ending, what went wrong}) against a fresh host whose services
// fill the plug-in's table, with `refusal` when given; `trace` receives its requests.
template <class Scenario>
TSweepRun RunOnce(const Scenario& scenario, const TRefusal* refusal,
                  std::vector<TTracedRequest>& trace) {
  THostApplication host;
  TSweepRun run;
  {
    TServiceTableSession session(host.Shell());
    TRequestSteps steps(host.Memory());
    if (refusal && refusal->onward) host.Memory().RefuseAllAfter(refusal->request - 1);
    if (refusal && !refusal->onward) host.Memory().RefuseRequest(refusal->request);
    const auto [ending, wrong] = scenario(&steps);
    trace = steps.Trace();
    run.outcome = ending;
    if (!wrong.empty()) run.Mismatch(wrong);
  }
  CheckHostWhole(host, run);
  return run;
}

class StreamAllocationSweepTest : public ::testing::Test {
 protected:
  StreamAllocationSweepTest()
      : path(TestFilePath("sweep_", ".txt")) {}

  // Sweeps `scenario`, whose clean run ends in `clean`; the buffers of `openingSteps` refine
  // that ending.
  template <class Scenario>
  void SweepScenario(const std::string& name, const Scenario& scenario, const TRefusalRule& rule,
                     const std::vector<std::string>& openingSteps, const std::string& clean) {
    std::vector<TTracedRequest> cleanTrace;
    const TSweepRun first = RunOnce(scenario, nullptr, cleanTrace);
    ASSERT_EQ(first.outcome, clean) << first.mismatch;
    const auto refused = [&](const TRefusal& refusal) {
      std::vector<TTracedRequest> trace;
      TSweepRun run = RunOnce(scenario, &refusal, trace);
      for (const std::string& step : openingSteps) {
        if (run.outcome == clean) run.outcome += BufferSuffix(trace, step);
      }
      const std::string expected = ExpectedEnding(cleanTrace, refusal, rule, clean);
      if (run.outcome != expected) run.Mismatch("ended " + run.outcome + ", not " + expected);
      CheckFileClosed(path, run);
      return run;
    };
    Sweep(name, RefusalPoints(static_cast<std::uint32_t>(cleanTrace.size())), refused,
          [](const TRefusal& refusal) { return Describe(refusal); });
  }

  const std::string path;
};

TEST_F(StreamAllocationSweepTest, BookmarkWriteRenameAndReopen) {
  SweepScenario(
      "allocation/bookmark-reopen",
      [&](TRequestSteps* steps) {
        const TBookmarkRun run = RunBookmarkScenario(path, steps);
        return std::pair(run.ending, run.wrong);
      },
      BookmarkRule, {"stream", "reopen"}, bookmark_ending::kReopened);
}

TEST_F(StreamAllocationSweepTest, TokensAndALongQuotedText) {
  WriteTokenText(path);
  SweepScenario(
      "allocation/tokens-and-quoted-text",
      [&](TRequestSteps* steps) {
        const TTokenRead read = ReadTokenText(path, steps);
        return std::pair(read.ending, read.wrong);
      },
      TokenRule, {"open"}, token_ending::kReadAll);
}

}  // namespace
