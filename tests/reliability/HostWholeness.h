// What a run must leave behind: nothing of the host held, allocated or open.
#pragma once

#include <string>

#include "THostApplication.h"
#include "THostScene.h"
#include "reliability/SweepTally.h"

/// Records in `run` every service, progress display or file object reference still held, every
/// open progress display, every object or block of host memory still allocated, and every free
/// of memory the host never handed out.
void CheckHostWhole(THostApplication& host, TSweepRun& run);

/// Records in `run` every reference still held on an object of `scene`, and every release below
/// zero.
void CheckSceneWhole(const THostScene& scene, TSweepRun& run);

/// Records in `run` any descriptor of this process still open on the file at `path`.
void CheckFileClosed(const std::string& path, TSweepRun& run);
