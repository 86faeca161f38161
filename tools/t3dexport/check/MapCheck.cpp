#include "MapCheck.h"

#include <string_view>

#include "MapCheckHost.h"
#include "MapChecker.h"

namespace {

unsigned long long N(std::uint64_t value) { return static_cast<unsigned long long>(value); }

const char* Plural(std::uint64_t count) { return count == 1 ? "" : "s"; }

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool Listed(const MapProblem& problem, const MapCheckOptions& options) {
  return options.verbose || problem.severity != Severity::kNote;
}

void WriteText(const std::string& file, const MapCheckResult& result,
               const MapCheckOptions& options, std::FILE* report) {
  for (const MapProblem& p : result.problems) {
    if (!Listed(p, options)) continue;
    std::fprintf(report, "%s:%u: %s: %s\n", file.c_str(), static_cast<unsigned>(p.line),
                 SeverityName(p.severity), p.message.c_str());
  }
  const std::uint64_t unlisted = result.unlisted + (options.verbose ? result.unlistedNotes : 0);
  if (unlisted > 0) std::fprintf(report, "%s: %llu more problems\n", file.c_str(), N(unlisted));
  if (!result.readable) {
    std::fprintf(report, "%s: cannot be read\n", file.c_str());
    return;
  }
  const BrushCounts& b = result.brushes;
  std::fprintf(report, "%s: %llu brush%s (%llu solid: %llu closed, %llu convex), %llu error%s, %llu warning%s",
               file.c_str(), N(b.brushes), b.brushes == 1 ? "" : "es", N(b.solid), N(b.closed),
               N(b.convex), N(result.errors), Plural(result.errors), N(result.warnings),
               Plural(result.warnings));
  if (result.notes > 0) {
    std::fprintf(report, ", %llu note%s%s", N(result.notes), Plural(result.notes),
                 options.verbose ? "" : " (-v lists them)");
  }
  std::fputc('\n', report);
}

void WriteJson(const std::string& file, const MapCheckResult& result,
               const MapCheckOptions& options, std::FILE* report) {
  const BrushCounts& b = result.brushes;
  std::fprintf(report,
               "{\"file\":%s,\"readable\":%s,\"brushes\":%llu,\"solid\":%llu,\"closed\":%llu,"
               "\"convex\":%llu,\"errors\":%llu,\"warnings\":%llu,\"notes\":%llu,\"problems\":[",
               JsonString(file).c_str(), result.readable ? "true" : "false", N(b.brushes),
               N(b.solid), N(b.closed), N(b.convex), N(result.errors), N(result.warnings),
               N(result.notes));
  const char* separator = "";
  for (const MapProblem& p : result.problems) {
    if (!Listed(p, options)) continue;
    std::fprintf(report, "%s{\"line\":%u,\"severity\":\"%s\",\"brush\":%s,\"message\":%s}", separator,
                 static_cast<unsigned>(p.line), SeverityName(p.severity),
                 JsonString(p.brush).c_str(), JsonString(p.message).c_str());
    separator = ",";
  }
  std::fprintf(report, "]}\n");
}

int StatusOf(const MapCheckResult& result, const MapCheckOptions& options) {
  if (!result.readable) return kMapCheckUnreadable;
  const bool problems = result.errors > 0 || (options.strict && result.warnings > 0);
  return problems ? kMapCheckProblems : kMapCheckClean;
}

}  // namespace

int CheckMaps(const std::vector<std::string>& files, const MapCheckOptions& options,
              std::FILE* report) {
  MapCheckHost host;
  int status = kMapCheckClean;
  for (const std::string& file : files) {
    const MapCheckResult result = CheckMapFile(file);
    if (options.json) {
      WriteJson(file, result, options, report);
    } else {
      WriteText(file, result, options, report);
    }
    const int fileStatus = StatusOf(result, options);
    if (fileStatus == kMapCheckUnreadable || status == kMapCheckClean) status = fileStatus;
  }
  return status;
}
