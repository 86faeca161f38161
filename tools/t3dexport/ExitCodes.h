// The tool's exit statuses, one per kind of outcome, so scripts can tell them apart.
#pragma once

/// 0: the map was written (or the objects listed, or every checked map is sound).
constexpr int kExitOk = 0;
/// 1: `check` found problems in a map.
constexpr int kExitMapProblems = 1;
/// 2: the command line was wrong: an unknown option, a missing or malformed value, an unknown
/// object.
constexpr int kExitUsage = 2;
/// 3: the input could not be read, or holds nothing to export.
constexpr int kExitInput = 3;
/// 4: the output could not be written; an existing map at that path is left as it was.
constexpr int kExitOutput = 4;
/// 5: the plug-in failed: it could not be loaded or started, or its export threw.
constexpr int kExitPlugin = 5;
