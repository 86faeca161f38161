// The problems found in one map, each tied to the line it concerns and sorted by how much it
// matters to a rebuild.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

/// error: what an import or a rebuild cannot survive; warning: what makes a rebuild leak or cut
/// wrongly; note: the house rules of the maps this tool writes.
enum class Severity { kError, kWarning, kNote };

const char* SeverityName(Severity severity);

struct MapProblem {
  std::uint32_t line;
  Severity severity;
  std::string brush;  ///< the actor it concerns, or empty
  std::string message;
};

/// Collects problems for the line being read or for an earlier one. Keeps the first
/// kMapProblemsKept of each severity and only counts the rest, so a broken map of any size costs
/// little memory and notes never crowd out errors.
class MapReport {
 public:
  static constexpr std::size_t kMapProblemsKept = 1000;

  /// Makes `line` the line that Add speaks of.
  void SetLine(std::uint32_t line) { line_ = line; }
  std::uint32_t Line() const { return line_; }
  /// Names the actor that problems found from now on concern (empty: none).
  void SetBrush(std::string name) { brush_ = std::move(name); }
  /// A problem of the current line.
  void Add(Severity severity, std::string message) { AddAt(line_, severity, std::move(message)); }
  /// A problem of `line`, found later than the line itself (a block's end, the file's end).
  void AddAt(std::uint32_t line, Severity severity, std::string message);

  /// The kept problems in line order (problems of one line in the order found).
  std::vector<MapProblem> TakeSorted();
  /// Problems of `severity` found beyond the kept ones.
  std::uint64_t Unlisted(Severity severity) const { return unlisted_[static_cast<int>(severity)]; }
  /// Every problem of `severity` found, kept or not.
  std::uint64_t Count(Severity severity) const { return counts_[static_cast<int>(severity)]; }

 private:
  std::uint32_t line_ = 0;
  std::string brush_;
  std::vector<MapProblem> problems_;
  std::uint64_t unlisted_[3] = {};
  std::uint64_t counts_[3] = {};
};
