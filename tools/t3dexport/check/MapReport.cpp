#include "MapReport.h"

#include <algorithm>

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError: return "error";
    case Severity::kWarning: return "warning";
    case Severity::kNote: return "note";
  }
  return "";
}

void MapReport::AddAt(std::uint32_t line, Severity severity, std::string message) {
  const int kind = static_cast<int>(severity);
  if (++counts_[kind] <= kMapProblemsKept) {
    problems_.push_back({line, severity, brush_, std::move(message)});
  } else {
    ++unlisted_[kind];
  }
}

std::vector<MapProblem> MapReport::TakeSorted() {
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const MapProblem& a, const MapProblem& b) { return a.line < b.line; });
  return std::move(problems_);
}
