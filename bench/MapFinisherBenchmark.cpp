// How fast the map finisher passes a large map on, fed in the host's write size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "MapFinisher.h"
#include "T3d/T3DExport.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "support/FileText.h"
#include "support/ServiceTableSession.h"

namespace {

// The stream's buffer: the plug-in hands the host its output in writes of this size.
constexpr std::size_t kHostWrite = 32512;

// The map of `count` slanted wedges of five faces each, as the plug-in writes it.
std::string ExportWedges(int count) {
  THostApplication host;
  TServiceTableSession session(host.Shell());
  THostScene scene;
  for (int i = 0; i < count; ++i) {
    THostInstance& wedge = scene.AddInstance("Wedge" + std::to_string(i));
    TKXTransform placement;
    placement.translation = {static_cast<float>(i % 100) * 300, static_cast<float>(i / 100) * 300,
                             0};
    wedge.SetTransform(placement).SetDefaultMaterialName("Default");
    THostPolygonGroup& g = wedge.AddGroup();
    g.AddPolygon({{0, 0, 0}, {0, 128, 0}, {128, 128, 0}, {128, 0, 0}}, {0, 0, -1});
    g.AddPolygon({{0, 0, 0}, {128, 0, 0}, {128, 0, 64}}, {0, -1, 0});
    g.AddPolygon({{0, 128, 0}, {128, 128, 64}, {128, 128, 0}}, {0, 1, 0});
    g.AddPolygon({{128, 0, 0}, {128, 128, 0}, {128, 128, 64}, {128, 0, 64}}, {1, 0, 0});
    g.AddPolygon({{0, 0, 0}, {128, 0, 64}, {128, 128, 64}, {0, 128, 0}},
                 {-0.447214f, 0, 0.894427f});
  }
  const std::string path =
      (std::filesystem::temp_directory_path() / "t3d_finisher_bench.t3d").string();
  {
    auto destination = host.Files().NewDestination(path);
    Export(destination.Get(), &scene, scene.Universe());
  }
  std::string text = ReadFileText(path);
  std::remove(path.c_str());
  return text;
}

void BM_FinishMap(benchmark::State& state) {
  const std::string map = ExportWedges(static_cast<int>(state.range(0)));
  std::size_t written = 0;
  for (auto _ : state) {
    written = 0;
    MapFinisher finisher([&written](const char*, std::size_t size) { written += size; });
    for (std::size_t at = 0; at < map.size(); at += kHostWrite) {
      finisher.Write(map.data() + at, std::min(kHostWrite, map.size() - at));
    }
    finisher.Finish();
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(map.size()) * state.iterations());
  state.counters["input_bytes"] = static_cast<double>(map.size());
  state.counters["output_bytes"] = static_cast<double>(written);
}
BENCHMARK(BM_FinishMap)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
