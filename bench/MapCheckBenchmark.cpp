// How fast the map checker reads a large map: one brush of the same polygon repeated until the
// file holds the megabytes asked for, checked from a file in the system's cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "MapCheckHost.h"
#include "MapChecker.h"
#include "support/ExpectedBuilderBrush.h"

namespace {

constexpr const char* kPolygon =
    "   Begin Polygon Item=Block Texture=Brick Link=0\n"
    "            Origin   +00128.000000,-00064.000000,+00000.000000\n"
    "            Normal   +00000.000000,+00000.000000,+00001.000000\n"
    "            Vertex   +00128.000000,-00064.000000,+00000.000000\n"
    "            Vertex   +00192.000000,-00064.000000,+00000.000000\n"
    "            Vertex   +00192.000000,+00000.000000,+00000.000000\n"
    "            Vertex   +00128.000000,+00000.000000,+00000.000000\n"
    "         End Polygon\n";

// Writes a closed map of at least `bytes` bytes to `path`.
void WriteLargeMap(const std::string& path, std::uintmax_t bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fputs("Begin Map\n", file);
  std::fputs(kExpectedBuilderBrush, file);
  std::fputs(
      "Begin Actor Class=Brush Name=Block\n   CsgOper=CSG_Subtract\n"
      "   Location=(X=1.000000,Y=2.000000,Z=3.000000)\n   Begin Brush Name=Block\n"
      "      Begin PolyList\n",
      file);
  std::string run;
  for (int i = 0; i < 1000; ++i) run += kPolygon;
  for (std::uintmax_t written = 0; written < bytes; written += run.size())
    std::fputs(run.c_str(), file);
  std::fputs(
      "      End PolyList\n   End Brush\n   Brush=Model'MyLevel.Block'\nEnd Actor\nEnd Map\n",
      file);
  std::fclose(file);
}

void BM_CheckLargeMap(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "t3d_mapcheck_bench.t3d").string();
  WriteLargeMap(path, static_cast<std::uintmax_t>(state.range(0)) << 20);
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  MapCheckHost host;
  std::size_t problems = 0;
  for (auto _ : state) problems = CheckMapFile(path).problems.size();
  state.SetBytesProcessed(bytes * state.iterations());
  state.counters["file_bytes"] = static_cast<double>(bytes);
  // A figure for a map with problems would measure the report, not the reading.
  state.counters["problems"] = static_cast<double>(problems);
  std::remove(path.c_str());
}
BENCHMARK(BM_CheckLargeMap)->Arg(64)->Arg(700)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
