#include "MapReport.h"

#include <algorithm>

void MapReport::AddAt(std::uint32_t line, std::string message) {
  if (problems_.size() < kMapProblemsKept) {
    problems_.push_back({line, std::move(message)});
  } else {
    ++unlisted_;
  }
}

std::vector<MapProblem> MapReport::TakeSorted() {
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const MapProblem& a, const MapProblem& b) { return a.line < b.line; });
  return std::move(problems_);
}
