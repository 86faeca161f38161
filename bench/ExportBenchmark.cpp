// How fast the exporter turns a scene into a map, and what it costs the host in memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "T3d/T3DExport.h"
#include "T3d/T3DNumberFormat.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "support/ServiceTableSession.h"

namespace {

// `boxes` instances of six quads each, spread over a grid.
void BuildBoxes(THostScene& scene, int boxes) {
  for (int i = 0; i < boxes; ++i) {
    TKXTransform placement;
    placement.translation = {static_cast<float>(i % 100) * 300, static_cast<float>(i / 100) * 300, 0};
    THostInstance& box = scene.AddInstance("Box" + std::to_string(i));
    box.SetTransform(placement).SetDefaultMaterialName("Default").SetDomainTexture(1, "Brick");
    THostPolygonGroup& g = box.AddGroup();
    const float s = 64;
    g.AddPolygon({{-s, -s, -s}, {-s, s, -s}, {-s, s, s}, {-s, -s, s}}, {-1, 0, 0}, 1);
    g.AddPolygon({{s, -s, -s}, {s, -s, s}, {s, s, s}, {s, s, -s}}, {1, 0, 0}, 1);
    g.AddPolygon({{-s, -s, -s}, {-s, -s, s}, {s, -s, s}, {s, -s, -s}}, {0, -1, 0}, 1);
    g.AddPolygon({{-s, s, -s}, {s, s, -s}, {s, s, s}, {-s, s, s}}, {0, 1, 0}, 1);
    g.AddPolygon({{-s, -s, s}, {-s, s, s}, {s, s, s}, {s, -s, s}}, {0, 0, 1}, 0);
    g.AddPolygon({{-s, -s, -s}, {s, -s, -s}, {s, s, -s}, {-s, s, -s}}, {0, 0, -1}, 0);
  }
}

void BM_ExportMap(benchmark::State& state) {
  THostApplication host;
  TServiceTableSession session(host.Shell());
  THostScene scene;
  const int boxes = static_cast<int>(state.range(0));
  BuildBoxes(scene, boxes);
  const std::string path =
      (std::filesystem::temp_directory_path() / "t3d_bench.t3d").string();
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    auto destination = host.Files().NewDestination(path);
    Export(destination.Get(), &scene, scene.Universe());
    bytes = std::filesystem::file_size(path);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  state.SetItemsProcessed(static_cast<std::int64_t>(boxes) * 6 * state.iterations());
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.counters["host_peak_bytes"] = static_cast<double>(host.Memory().PeakBytes());
  state.counters["host_writes"] = static_cast<double>(host.Files().WriteCalls()) /
                                  static_cast<double>(state.iterations());
  std::remove(path.c_str());
}
BENCHMARK(BM_ExportMap)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PolygonLine(benchmark::State& state) {
  float x = -12345.5f;
  for (auto _ : state) {
    T3DLineBuffer line;
    line.Append("      Vertex   ").AppendPolygonValue(x).Append(",").AppendPolygonValue(-x);
    line.Append(",").AppendPolygonValue(x * 0.5f).Append("\n");
    benchmark::DoNotOptimize(line.Text());
    x += 1.0f;
  }
}
BENCHMARK(BM_PolygonLine);

void BM_PolygonLineWithSnprintf(benchmark::State& state) {
  float x = -12345.5f;
  char line[192];
  for (auto _ : state) {
    std::snprintf(line, sizeof line, "      Vertex   %+013.6f,%+013.6f,%+013.6f\n",
                  static_cast<double>(x), static_cast<double>(-x), static_cast<double>(x * 0.5f));
    benchmark::DoNotOptimize(line);
    x += 1.0f;
  }
}
BENCHMARK(BM_PolygonLineWithSnprintf);

}  // namespace

BENCHMARK_MAIN();
