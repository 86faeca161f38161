// The full differential run of the number forms against glibc's printf: every kind of generated
// value, ten million of each unless a count is given. Prints counts and mismatches and exits
// non-zero on any mismatch.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "support/NumberFormsDifferential.h"

namespace {

// printf dominates the run, so each kind is shared out over the processor's threads, each thread
// with a seed of its own.
DifferentialCount CompareOnAllThreads(NumberKind kind, std::uint64_t count, std::uint64_t seed) {
  const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
  std::vector<DifferentialCount> results(workers);
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < workers; ++w) {
    const std::uint64_t share = count / workers + (w < count % workers ? 1 : 0);
    threads.emplace_back([&results, kind, share, seed, w] {
      results[w] = CompareWithPrintf(kind, share, seed * 1000 + w);
    });
  }
  DifferentialCount total;
  for (unsigned w = 0; w < workers; ++w) {
    threads[w].join();
    total.compared += results[w].compared;
    if (total.mismatches == 0) total.firstMismatch = results[w].firstMismatch;
    total.mismatches += results[w].mismatches;
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef __GLIBC__
  (void)argc;
  (void)argv;
  std::puts("skipped: the forms are compared with glibc's printf");
  return 0;
#else
  const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10000000;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  std::uint64_t mismatches = 0;
  for (const NumberKindName& k : kNumberKinds) {
    const auto start = std::chrono::steady_clock::now();
    const DifferentialCount result = CompareOnAllThreads(k.kind, count, seed);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%-14s %llu compared, %llu mismatches (%.1f s)\n", k.name,
                static_cast<unsigned long long>(result.compared),
                static_cast<unsigned long long>(result.mismatches), seconds.count());
    if (result.mismatches != 0) std::printf("  first: %s", result.firstMismatch.c_str());
    std::fflush(stdout);
    mismatches += result.mismatches;
  }
  return mismatches == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
#endif
}
