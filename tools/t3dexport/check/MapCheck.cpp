#include "MapCheck.h"

#include "MapCheckHost.h"
#include "MapChecker.h"

namespace {

// Writes the file's problems; returns its status.
int ReportFile(const std::string& file, const MapCheckResult& result, std::FILE* report) {
  for (const MapProblem& problem : result.problems)
    std::fprintf(report, "%s:%u: %s\n", file.c_str(), static_cast<unsigned>(problem.line),
                 problem.message.c_str());
  if (result.unlisted > 0)
    std::fprintf(report, "%s: %llu more problems\n", file.c_str(),
                 static_cast<unsigned long long>(result.unlisted));
  if (!result.readable) {
    std::fprintf(report, "%s: cannot be read\n", file.c_str());
    return kMapCheckUnreadable;
  }
  return result.problems.empty() ? kMapCheckClean : kMapCheckProblems;
}

}  // namespace

int CheckMaps(const std::vector<std::string>& files, std::FILE* report) {
  MapCheckHost host;
  int status = kMapCheckClean;
  for (const std::string& file : files) {
    const int fileStatus = ReportFile(file, CheckMapFile(file), report);
    if (fileStatus == kMapCheckUnreadable || status == kMapCheckClean) status = fileStatus;
  }
  return status;
}
