// The problems found in one map, each tied to the line it concerns.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct MapProblem {
  std::uint32_t line;
  std::string message;
};

/// Collects problems for the line being checked or for an earlier one. Keeps the first
/// kMapProblemsKept and only counts the rest, so a broken map of any size costs little memory.
class MapReport {
 public:
  static constexpr std::size_t kMapProblemsKept = 1000;

  /// Makes `line` the line that Add speaks of.
  void SetLine(std::uint32_t line) { line_ = line; }
  std::uint32_t Line() const { return line_; }
  /// A problem of the current line.
  void Add(std::string message) { AddAt(line_, std::move(message)); }
  /// A problem of `line`, found later than the line itself (a block's end, the file's end).
  void AddAt(std::uint32_t line, std::string message);

  /// The kept problems in line order (problems of one line in the order found).
  std::vector<MapProblem> TakeSorted();
  /// Problems found beyond the kept ones.
  std::uint64_t Unlisted() const { return unlisted_; }

 private:
  std::uint32_t line_ = 0;
  std::vector<MapProblem> problems_;
  std::uint64_t unlisted_ = 0;
};
