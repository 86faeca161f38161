// How fast polygon repair takes the faces of a brush: triangles and quads that pass as they are,
// and a rough terrain whose bent quads are cut.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "PolygonRepair.h"

namespace {

constexpr int kSide = 200;  // faces of a brush: kSide * kSide quads or twice as many triangles

// Heights of a terrain; `rough` bends about half of its quads out of their plane.
double Height(int x, int y, bool rough) {
  if (!rough) return 0;
  return static_cast<double>(((x * 7 + y * 13) % 5) * ((x ^ y) & 1));
}

// The faces of a kSide by kSide grid of cells 16 units wide: `corners` 3 (two triangles per cell)
// or 4 (one quad).
std::vector<ModelPoint> GridFaces(int corners, bool rough) {
  std::vector<ModelPoint> points;
  auto at = [rough](int x, int y) { return ModelPoint{x * 16.0, y * 16.0, Height(x, y, rough)}; };
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (corners == 4) {
        points.insert(points.end(), {at(x, y), at(x + 1, y), at(x + 1, y + 1), at(x, y + 1)});
      } else {
        points.insert(points.end(), {at(x, y), at(x + 1, y), at(x + 1, y + 1)});
        points.insert(points.end(), {at(x, y), at(x + 1, y + 1), at(x, y + 1)});
      }
    }
  }
  return points;
}

void BM_RepairBrush(benchmark::State& state) {
  const auto corners = static_cast<std::size_t>(state.range(0));
  const bool rough = state.range(1) != 0;
  const std::vector<ModelPoint> points = GridFaces(static_cast<int>(corners), rough);
  BrushRepair repair;
  for (auto _ : state) {
    repair.StartBrush();
    for (std::size_t f = 0; f < points.size(); f += corners) repair.AddFace(&points[f], corners, 0);
    repair.FinishBrush();
    benchmark::DoNotOptimize(repair.Polygons().data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(points.size() / corners) * state.iterations());
  state.counters["polygons"] = static_cast<double>(repair.Polygons().size());
}
BENCHMARK(BM_RepairBrush)
    ->ArgNames({"corners", "rough"})
    ->Args({3, 0})
    ->Args({4, 0})
    ->Args({4, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
