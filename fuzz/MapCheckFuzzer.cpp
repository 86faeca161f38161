// The map checker over arbitrary bytes in a file, read through a buffer the first byte picks:
// the map is read to its end, every problem names a line of the input, in order, and all host
// memory comes back.
#include <algorithm>
#include <cstdlib>

#include "FuzzHost.h"
#include "MapChecker.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // A problem may name the line after the last line feed, where the data ends.
  const auto lines = static_cast<std::uint32_t>(1 + std::count(data + 1, data + size, '\n'));
  {
    auto stream = OpenFuzzStream(data + 1, size - 1, FuzzBufferSize(data[0]));
    const MapCheckResult result = CheckMapStream(*stream);
    Check(result.readable);
    std::uint32_t previous = 1;
    for (const MapProblem& problem : result.problems) {
      Check(problem.line >= previous && problem.line <= lines && !problem.message.empty());
      previous = problem.line;
    }
  }
  CheckNothingHeld();
  return 0;
}
