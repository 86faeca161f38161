// Allocation sweeps: the fault points, the requests of a clean run with the step that made each,
// and the ending the rules give a run in which a request is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "THostMemory.h"

/// Request `request` (from 1) refused alone, or with every later one too (`onward`).
struct TRefusal {
  std::uint32_t request;
  bool onward;
};

/// "refuse request 3" or "refuse requests 3 on".
std::string Describe(const TRefusal& refusal);

/// Every request from 1 to `requests` + 1 (the last one is never made, so refusing it must change
/// nothing), alone and onward.
std::vector<TRefusal> RefusalPoints(std::uint32_t requests);

/// One request of a clean run and the step of the scenario that made it.
struct TTracedRequest {
  std::string step;
  THostMemoryRequest request;
};

/// Names the steps of a run as it goes: requests made after Enter(name) belong to step `name`.
/// Keeps the memory's request log on.
class TRequestSteps {
 public:
  explicit TRequestSteps(THostMemory& memory) : memory_(memory) { memory_.LogRequests(); }

  void Enter(std::string step) { marks_.emplace_back(memory_.Requests(), std::move(step)); }
  /// The requests logged so far, each with its step ("" before the first Enter).
  std::vector<TTracedRequest> Trace() const;

 private:
  THostMemory& memory_;
  std::vector<std::pair<std::uint32_t, std::string>> marks_;
};

/// What refusing one request does by the rules: it `ends` the run with the ending `once`, or the
/// run goes on without what was refused and ends in `once` (refused alone) or `onward` (every
/// later request refused too, unless a later request ends the run first).
struct TRefusalEffect {
  bool ends;
  std::string once;
  std::string onward;
};

/// The effect of refusing a traced request; a rule answers every request its scenario makes.
using TRefusalRule = std::function<TRefusalEffect(const TTracedRequest&)>;

/// What became of the buffer a step asked for (its first block request): "" when it was granted
/// or the step asked for none, "-halved-buffer" when a smaller one was granted after it,
/// "-unbuffered" when none was.
std::string BufferSuffix(const std::vector<TTracedRequest>& trace, const std::string& step);

/// The size of the first block granted in `step`; 0 when none was.
std::uint32_t GrantedBlock(const std::vector<TTracedRequest>& trace, const std::string& step);

/// The ending the rules give `refusal` in a scenario whose clean run made `trace` and ended in
/// `clean`.
std::string ExpectedEnding(const std::vector<TTracedRequest>& trace, const TRefusal& refusal,
                           const TRefusalRule& rule, const std::string& clean);
