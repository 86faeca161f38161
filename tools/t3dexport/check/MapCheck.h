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

/// Checks each of `files` with the reference host standing in for the services the support
/// library reads through, and writes one line per problem to `report`: "FILE:LINE: message",
/// or "FILE: cannot be read". Returns kMapCheckUnreadable when any file could not be read to
/// its end, else kMapCheckProblems when any file has a problem, else kMapCheckClean.
int CheckMaps(const std::vector<std::string>& files, std::FILE* report);
