// How long the two number forms take per value, against snprintf writing the same forms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "T3d/T3DNumberForms.h"

namespace {

// The values the exporter writes, all widened from floats as the host hands them over.
enum class Values { kWholeNumbers, kNormals, kLocations };

// Enough values to defeat branch prediction, few enough for the cache; a power of two, so that
// stepping through them costs a mask rather than a division.
constexpr std::size_t kCount = 4096;

std::vector<double> Generate(Values values) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::vector<double> result;
  for (std::size_t i = 0; i < kCount; ++i) {
    const float u = unit(random);
    switch (values) {
      case Values::kWholeNumbers:  // rounded world coordinates of a large map
        result.push_back(static_cast<double>(static_cast<float>(static_cast<int>(u * 65536.0f))));
        break;
      case Values::kNormals:
        result.push_back(static_cast<double>(u));
        break;
      case Values::kLocations:
        result.push_back(static_cast<double>(u * 100000.0f));
        break;
    }
  }
  return result;
}

void BM_Form(benchmark::State& state, char* (*form)(char*, double), Values values) {
  const std::vector<double> numbers = Generate(values);
  char text[kMaxNumberFormLength];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(form(text, numbers[i]));
    benchmark::ClobberMemory();
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Snprintf(benchmark::State& state, const char* format, Values values) {
  const std::vector<double> numbers = Generate(values);
  char text[kMaxNumberFormLength + 1];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(text, sizeof text, format, numbers[i]));
    benchmark::ClobberMemory();
    i = (i + 1) & (kCount - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

// The form the map writer uses: a float, with short ways for the values of a map.
char* PolygonFloat(char* out, double value) {
  return FormatPolygonFloat(out, static_cast<float>(value));
}

BENCHMARK_CAPTURE(BM_Form, polygon_whole, FormatPolygonValue, Values::kWholeNumbers);
BENCHMARK_CAPTURE(BM_Form, polygon_whole_float, PolygonFloat, Values::kWholeNumbers);
BENCHMARK_CAPTURE(BM_Snprintf, polygon_whole, "%+013.6f", Values::kWholeNumbers);
BENCHMARK_CAPTURE(BM_Form, polygon_normal, FormatPolygonValue, Values::kNormals);
BENCHMARK_CAPTURE(BM_Form, polygon_normal_float, PolygonFloat, Values::kNormals);
BENCHMARK_CAPTURE(BM_Snprintf, polygon_normal, "%+013.6f", Values::kNormals);
BENCHMARK_CAPTURE(BM_Form, location_whole, FormatLocationValue, Values::kWholeNumbers);
BENCHMARK_CAPTURE(BM_Snprintf, location_whole, "%f", Values::kWholeNumbers);
BENCHMARK_CAPTURE(BM_Form, location_fraction, FormatLocationValue, Values::kLocations);
BENCHMARK_CAPTURE(BM_Snprintf, location_fraction, "%f", Values::kLocations);

}  // namespace

BENCHMARK_MAIN();
