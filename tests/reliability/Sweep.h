// The one sweep driver: runs a scenario once per fault point, tallies how each run ended and
// turns every leak or unexpected ending into a test failure that names its point.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reliability/SweepTally.h"

/// Runs `run(point)` for every point of `points`; `describe(point)` names a point in failures.
/// Publishes the tally under `name` and returns it.
template <class Point, class Run, class Describe>
TSweepTally Sweep(const std::string& name, const std::vector<Point>& points, Run run,
                  Describe describe) {
  TSweepTally tally(name);
  for (const Point& point : points) {
    const TSweepRun result = run(point);
    tally.Record(result);
    if (!result.leak.empty()) {
      ADD_FAILURE() << name << ", " << describe(point) << ": left " << result.leak;
    }
    if (!result.mismatch.empty()) {
      ADD_FAILURE() << name << ", " << describe(point) << ": " << result.mismatch;
    }
  }
  tally.Publish();
  EXPECT_GT(tally.Points(), 0u) << name << " tried no point";
  return tally;
}
