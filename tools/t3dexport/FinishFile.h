// The finished map: the plug-in's output with texture axes and End Map, copied to another file.
#pragma once

#include <cstdint>
#include <string>

/// What finishing made.
struct FinishedMap {
  std::uint64_t bytes = 0;   ///< bytes written
  std::uint64_t textured = 0;  ///< polygons given texture axes
};

/// Reads the plug-in's map at `from` and writes it finished to `to` (which it replaces). False
/// with `error` set when a read or a write fails or falls short.
bool FinishMapFile(const std::string& from, const std::string& to, FinishedMap& result,
                   std::string& error);
