// Checks one T3D map, from any writer, as an import and a CSG rebuild take it: errors for what
// they cannot survive, warnings for what makes a rebuild leak or cut wrongly, notes for the
// house rules of the maps this tool writes; and counts its brushes as a rebuild sees them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BrushCheck.h"
#include "MapReport.h"

class TKXStream;

struct MapCheckResult {
  /// False when the map could not be opened or a read failed; the problems then cover only
  /// the lines read.
  bool readable = true;
  std::vector<MapProblem> problems;
  /// Errors and warnings found beyond those listed, and notes.
  std::uint64_t unlisted = 0;
  std::uint64_t unlistedNotes = 0;
  std::uint64_t errors = 0;
  std::uint64_t warnings = 0;
  std::uint64_t notes = 0;
  BrushCounts brushes;
};

/// Size of the stream buffer CheckMapFile reads through.
constexpr std::int32_t kMapCheckBufferSize = 1 << 20;

/// Hears each actor of a map as it is read, with what the check made of it.
using MapActorSeen = std::function<void(const MapActor& actor, const BrushVerdict& verdict)>;

/// Checks the map `stream` holds, from its position to its end; `stream` must be open for
/// reading. `seen`, if any, hears each actor.
MapCheckResult CheckMapStream(TKXStream& stream, const MapActorSeen& seen = {});

/// Checks the map in the file at `path`, read through a text stream with a buffer of
/// `bufferSize` bytes (unbuffered when 0) over the file services in the service table.
MapCheckResult CheckMapFile(const std::string& path, std::int32_t bufferSize = kMapCheckBufferSize,
                            const MapActorSeen& seen = {});
