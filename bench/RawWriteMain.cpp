// The raw write of scripts/bench-tool: prints the seconds RawWriteSeconds takes.
//
//   t3d_raw_write FILE BYTES [--fsync]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "RawWrite.h"

int main(int argc, char** argv) {
  const bool sync = argc == 4 && std::strcmp(argv[3], "--fsync") == 0;
  if (argc != 3 && !sync) {
    std::fprintf(stderr, "usage: t3d_raw_write FILE BYTES [--fsync]\n");
    return EXIT_FAILURE;
  }
  try {
    std::printf("%.6f\n", RawWriteSeconds(std::strtoull(argv[2], nullptr, 10), argv[1], sync));
    std::remove(argv[1]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "t3d_raw_write: %s\n", failure.what());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
