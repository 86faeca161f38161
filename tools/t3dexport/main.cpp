// t3dexport: exports a model file (or the bundled sample room) as a T3D map through the plug-in
// library, with the reference host standing in for the host application; or checks T3D maps.
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "ExitCodes.h"
#include "MapCheck.h"
#include "MapExport.h"
#include "MapView.h"
#include "ToolOptions.h"

namespace {

// No more address space than half the machine's memory: an input that asks for more (a header
// that promises billions of vertices) fails its allocation at once, a clear error instead of
// minutes of paging or the system's out-of-memory killer. The address sanitizer reserves far more
// address space for itself, so a sanitizer build keeps its own limits.
void LimitMemoryToHalfTheMachine() {
#if !defined(__SANITIZE_ADDRESS__)
  const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
  rlimit limit{};
  if (pages <= 0 || pageSize <= 0 || ::getrlimit(RLIMIT_AS, &limit) != 0) return;
  const rlim_t memory = static_cast<rlim_t>(pages) / 2 * static_cast<rlim_t>(pageSize);
  if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > memory) {
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || limit.rlim_max > memory ? memory : limit.rlim_max;
    ::setrlimit(RLIMIT_AS, &limit);
  }
#endif
}

// Making a large brush solid builds and drops tables of tens of megabytes one after another. Kept
// in the heap, not mapped afresh each time, their memory is not faulted in again page by page
// (a tenth of the time on a model of two million triangles); the peak stays what it was.
void KeepLargeBlocksInTheHeap() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
  ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  LimitMemoryToHalfTheMachine();
  KeepLargeBlocksInTheHeap();
  // A write beyond the file size limit must fail and be reported, not end the process.
  std::signal(SIGXFSZ, SIG_IGN);
  ToolOptions options;
  const int parsed = ParseToolOptions(argc, argv, options, stdout, stderr);
  if (parsed >= 0) return parsed;
  try {
    if (options.view) return DrawMap(options.viewOptions, stdout, stderr);
    if (options.check) {
      return CheckMaps(options.checkFiles,
                       {options.checkStrict, options.checkJson, options.checkVerbose}, stdout);
    }
    return ExportMap(options);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "t3dexport: out of memory (the tool may use half of this machine's)\n");
    return kExitInput;
  }
}
