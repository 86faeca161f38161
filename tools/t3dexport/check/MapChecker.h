// Checks one T3D map, from any writer, against the rules its readers rely on: balanced and
// properly nested Begin/End blocks, the builder brush first in a map, C-locale finite numbers,
// usable polygons and safe names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MapReport.h"

class TKXStream;

struct MapCheckResult {
  /// False when the map could not be opened or a read failed; the problems then cover only
  /// the lines read.
  bool readable = true;
  std::vector<MapProblem> problems;
  /// Problems found beyond those listed.
  std::uint64_t unlisted = 0;
};

/// Size of the stream buffer CheckMapFile reads through.
constexpr std::int32_t kMapCheckBufferSize = 1 << 20;

/// Checks the map `stream` holds, from its position to its end; `stream` must be open for
/// reading.
MapCheckResult CheckMapStream(TKXStream& stream);

/// Checks the map in the file at `path`, read through a text stream with a buffer of
/// `bufferSize` bytes (unbuffered when 0) over the file services in the service table.
MapCheckResult CheckMapFile(const std::string& path, std::int32_t bufferSize = kMapCheckBufferSize);
