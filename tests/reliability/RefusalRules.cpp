#include "reliability/RefusalRules.h"

std::string Describe(const TRefusal& refusal) {
  return std::string(refusal.onward ? "refuse requests " : "refuse request ") +
         std::to_string(refusal.request) + (refusal.onward ? " on" : "");
}

std::vector<TRefusal> RefusalPoints(std::uint32_t requests) {
  std::vector<TRefusal> points;
  for (bool onward : {false, true}) {
    for (std::uint32_t k = 1; k <= requests + 1; ++k) points.push_back(TRefusal{k, onward});
  }
  return points;
}

std::vector<TTracedRequest> TRequestSteps::Trace() const {
  std::vector<TTracedRequest> trace;
  const auto& log = memory_.RequestLog();
  for (std::size_t i = 0; i < log.size(); ++i) {
    std::string step;
    for (const auto& [start, name] : marks_) {
      if (start <= i) step = name;
    }
    trace.push_back(TTracedRequest{step, log[i]});
  }
  return trace;
}

std::string ExpectedEnding(const std::vector<TTracedRequest>& trace, const TRefusal& refusal,
                           const TRefusalRule& rule, const std::string& clean) {
  if (refusal.request > trace.size()) return clean;
  const TRefusalEffect first = rule(trace[refusal.request - 1]);
  if (first.ends || !refusal.onward) return first.once;
  // Every later request is refused too: the first one that ends the run decides.
  for (std::size_t i = refusal.request; i < trace.size(); ++i) {
    const TRefusalEffect later = rule(trace[i]);
    if (later.ends) return later.once;
  }
  return first.onward;
}

namespace {

bool IsBlockOf(const TTracedRequest& traced, const std::string& step) {
  return traced.step == step && traced.request.kind == THostMemoryRequest::Kind::Block;
}

}  // namespace

std::string BufferSuffix(const std::vector<TTracedRequest>& trace, const std::string& step) {
  bool first = true;
  for (const TTracedRequest& traced : trace) {
    if (!IsBlockOf(traced, step)) continue;
    if (traced.request.granted) return first ? "" : "-halved-buffer";
    first = false;
  }
  return first ? "" : "-unbuffered";
}

std::uint32_t GrantedBlock(const std::vector<TTracedRequest>& trace, const std::string& step) {
  for (const TTracedRequest& traced : trace) {
    if (IsBlockOf(traced, step) && traced.request.granted) return traced.request.size;
  }
  return 0;
}
