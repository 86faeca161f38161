// The writing path piece by piece: the stream's own Write against the writer that stores in its
// buffer directly, and a map's data lines formatted in place against snprintf. Each iteration
// writes one megabyte into a fresh stream on a real file, as an export does; the file lies in
// memory (/dev/shm) where there is one, and BM_StreamBlocks shows what the file itself costs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "KXStreamWriter.h"
#include "KXTextStream.h"
#include "T3d/T3DMapWriter.h"
#include "THostApplication.h"
#include "support/ServiceTableSession.h"

namespace {

constexpr std::int32_t kBufferSize = 32512;
constexpr std::size_t kBytesPerIteration = 1 << 20;
// A vertex line of the map layout, as long as most are.
constexpr char kLine[] = "            Vertex   +01234.000000,-00567.000000,+00089.000000\n";
constexpr std::uint32_t kLineLength = sizeof kLine - 1;

// A host and a path for streams opened the way the exporter opens its own.
class TStreamBench {
 public:
  TStreamBench() : session_(host_.Shell()) {}
  ~TStreamBench() { std::remove(path_.c_str()); }

  TKXTextStream* Open() {
    return new TKXTextStream(path_.c_str(), static_cast<std::int32_t>(kKXFileWrite), kBufferSize,
                             nullptr);
  }

 private:
  THostApplication host_;
  TServiceTableSession session_;
  const std::string path_ = (Folder() / "t3d_stream_bench.t3d").string();

  static std::filesystem::path Folder() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }
};

// Runs `write(stream, line)` for the lines of one megabyte per iteration.
template <class Write>
void RunLines(benchmark::State& state, Write write) {
  TStreamBench bench;
  const std::size_t lines = kBytesPerIteration / kLineLength;
  for (auto _ : state) {
    TKXTextStream* stream = bench.Open();
    write(*stream, lines);
    delete stream;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(lines * kLineLength) * state.iterations());
  state.SetItemsProcessed(static_cast<std::int64_t>(lines) * state.iterations());
}

// The floor: the same megabyte handed over in whole buffers.
void BM_StreamBlocks(benchmark::State& state) {
  static char block[kBufferSize];
  std::memset(block, 'x', sizeof block);
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    for (std::size_t left = lines * kLineLength; left > 0;) {
      const auto piece = static_cast<std::uint32_t>(left < sizeof block ? left : sizeof block);
      stream.Write(block, piece);
      left -= piece;
    }
  });
}
BENCHMARK(BM_StreamBlocks);

void BM_StreamWrite(benchmark::State& state) {
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    for (std::size_t i = 0; i < lines; ++i) stream.Write(kLine, kLineLength);
  });
}
BENCHMARK(BM_StreamWrite);

void BM_StreamWriter(benchmark::State& state) {
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    TKXStreamWriter writer(stream);
    for (std::size_t i = 0; i < lines; ++i) writer.Write(kLine, kLineLength);
  });
}
BENCHMARK(BM_StreamWriter);

// Rounded world coordinates: whole numbers of up to five digits.
void BM_VertexLine(benchmark::State& state) {
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    T3DMapWriter writer(stream, true);
    std::int32_t x = -12345;
    for (std::size_t i = 0; i < lines; ++i, ++x) writer.VertexLine(x, x, x + 7);
  });
}
BENCHMARK(BM_VertexLine);

// Unit normals: fractions, the exact six-decimal path.
void BM_NormalLine(benchmark::State& state) {
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    T3DMapWriter writer(stream, true);
    float x = -1;
    for (std::size_t i = 0; i < lines; ++i, x += 1.0f / 65536) {
      writer.NormalLine(x, 0.5f - x * 0.25f, 0.3333f);
    }
  });
}
BENCHMARK(BM_NormalLine);

// The same vertex lines as BM_VertexLine, each formatted with snprintf and handed to Write.
void BM_VertexLineSnprintf(benchmark::State& state) {
  RunLines(state, [](TKXTextStream& stream, std::size_t lines) {
    float x = -12345;
    char line[192];
    for (std::size_t i = 0; i < lines; ++i, x += 1) {
      const int n = std::snprintf(
          line, sizeof line, "            Vertex   %+013.6f,%+013.6f,%+013.6f\n",
          static_cast<double>(x), static_cast<double>(-x), static_cast<double>(x + 7));
      stream.Write(line, static_cast<std::uint32_t>(n));
    }
  });
}
BENCHMARK(BM_VertexLineSnprintf);

}  // namespace

BENCHMARK_MAIN();
