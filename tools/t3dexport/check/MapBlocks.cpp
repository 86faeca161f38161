#include "MapBlocks.h"

#include "MapReport.h"
#include "MapText.h"

namespace {

std::string NotClosed(const std::string& kind, const char* before) {
  return "Begin " + kind + " is not closed by End " + kind + " " + before;
}

}  // namespace

bool MapBlocks::Open(std::string_view kind, MapReport& report) {
  if (open_.size() == kDeepest) {
    report.Add(Severity::kError, "Begin " + std::string(kind) + " nests blocks more than " +
               std::to_string(kDeepest) + " deep");
    return false;
  }
  open_.push_back({std::string(kind), report.Line()});
  return true;
}

void MapBlocks::Close(std::string_view kind, MapReport& report) {
  std::size_t match = open_.size();
  while (match > 0 && !SameMapWord(open_[match - 1].kind, kind)) --match;
  if (match == 0) {
    report.Add(Severity::kError, "End " + std::string(kind) + " has no Begin " + std::string(kind) + " to close");
    return;
  }
  const std::string closer =
      "before End " + std::string(kind) + " at line " + std::to_string(report.Line());
  for (std::size_t i = match; i < open_.size(); ++i)
    report.AddAt(open_[i].line, Severity::kError, NotClosed(open_[i].kind, closer.c_str()));
  open_.resize(match - 1);
}

void MapBlocks::Finish(MapReport& report) {
  for (const Block& block : open_)
    report.AddAt(block.line, Severity::kError, NotClosed(block.kind, "before the file ends"));
  open_.clear();
}
