// The Begin X / End X blocks open at a line of a map, innermost last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class MapReport;

class MapBlocks {
 public:
  /// Blocks open at once; real maps nest a handful.
  static constexpr std::size_t kDeepest = 256;

  /// Opens block `kind` at the report's line. A block beyond kDeepest is reported and not
  /// opened; returns whether it was.
  bool Open(std::string_view kind, MapReport& report);
  /// Closes the innermost block of `kind` (any case) at the report's line. Blocks inside it
  /// that are still open are reported and closed with it; an End that matches no open block
  /// is reported and changes nothing.
  void Close(std::string_view kind, MapReport& report);
  /// Reports every block still open at the end of the file.
  void Finish(MapReport& report);
  std::size_t Depth() const { return open_.size(); }

 private:
  struct Block {
    std::string kind;
    std::uint32_t line;
  };
  std::vector<Block> open_;
};
