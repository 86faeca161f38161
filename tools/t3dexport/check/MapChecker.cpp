#include "MapChecker.h"

#include <memory>

#include "KXResultCodes.h"
#include "KXTextStream.h"
#include "MapReader.h"

MapCheckResult CheckMapStream(TKXStream& stream, const MapActorSeen& seen) {
  MapReport report;
  BrushCheck brushes(report);
  MapCheckResult result;
  result.readable = ReadMap(stream, report, [&](const MapActor& actor) {
    const BrushVerdict verdict = brushes.Take(actor);
    if (seen) seen(actor, verdict);
  });
  result.problems = report.TakeSorted();
  result.unlisted = report.Unlisted(Severity::kError) + report.Unlisted(Severity::kWarning);
  result.unlistedNotes = report.Unlisted(Severity::kNote);
  result.errors = report.Count(Severity::kError);
  result.warnings = report.Count(Severity::kWarning);
  result.notes = report.Count(Severity::kNote);
  result.brushes = brushes.Counts();
  return result;
}

MapCheckResult CheckMapFile(const std::string& path, std::int32_t bufferSize, const MapActorSeen& seen) {
  const std::unique_ptr<TKXTextStream> stream(
      new TKXTextStream(path.c_str(), static_cast<std::int32_t>(kKXFileRead), bufferSize, nullptr));
  MapCheckResult result;
  if (!stream || (stream->State() & kKXStreamFail) || !(stream->AccessFlags() & kKXFileRead)) {
    result.readable = false;
    return result;
  }
  return CheckMapStream(*stream, seen);
}
