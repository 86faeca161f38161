// `t3dexport check FILE...`: checks T3D maps and reports their problems.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

/// Exit statuses of CheckMaps.
constexpr int kMapCheckClean = 0;
constexpr int kMapCheckProblems = 1;
// 2 is the tool's status for a command line it cannot use.
constexpr int kMapCheckUnreadable = 3;

struct MapCheckOptions {
  bool strict = false;   ///< warnings count as errors
  bool json = false;     ///< one JSON object per map instead of lines of text
  bool verbose = false;  ///< notes too
};

/// Checks each of `files` with the reference host standing in for the services the support
/// library reads through, and writes to `report` one line per problem, "FILE:LINE: severity:
/// message" (notes only when verbose), and one line of counts per map; or, with json, one
/// object per map. Returns kMapCheckUnreadable when any file could not be read to its end,
/// else kMapCheckProblems when any map has an error (or, strict, a warning), else
/// kMapCheckClean.
int CheckMaps(const std::vector<std::string>& files, const MapCheckOptions& options,
              std::FILE* report);
