// Export throughput end to end. Scenes of ten thousand to four million polygons are exported
// through the built plug-in library, and in the same run the same map is written by a
// straightforward snprintf-per-line writer, the same byte count by a raw write from one buffer
// (as the page cache takes it, and once more until fsync has it on the disk; the plug-in's map
// is synced too), and the same mesh by Assimp's exporter (OBJ and STL, read from a PLY file). One
// tab-separated row per run goes to standard output, for scripts/bench-report:
//
//   t3d_export_throughput --library build/release/libT3dExport.so --folder build/bench
//                         [--runs 5] [--sizes 10000,100000,1000000,4000000] [--no-assimp]
//
// With --dump the plug-in's maps (map layout, and the first instance alone) and its host write
// logs are left in the folder instead, for comparing two builds of the library.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchScene.h"
#include "PluginExport.h"
#include "RawWrite.h"
#include "ScenePly.h"
#include "support/ReferenceMapWriter.h"

extern char** environ;

namespace {

struct TOptions {
  std::string library;
  std::filesystem::path folder;
  int runs = 5;
  std::vector<std::uint64_t> sizes{10000, 100000, 1000000, 4000000};
  bool assimp = true;
  bool dump = false;
};

// A row of the results: one method, one run, one scene size.
struct TRow {
  const char* method;
  int run;
  double seconds;
  std::uint64_t bytes;
  std::uint64_t peakHostBytes = 0;
  std::size_t hostWrites = 0;
  int identical =
      -1;  ///< whether the bytes were compared with the plug-in's and equal; -1 not compared
};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The snprintf writer's output: its pieces gathered in a buffer the size of the plug-in's, which
// goes to the file with write(2) whenever the next piece does not fit.
class TBufferedFile {
 public:
  explicit TBufferedFile(const std::string& path)
      : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {
    if (fd_ < 0) throw std::runtime_error("cannot create " + path);
  }
  ~TBufferedFile() {
    Flush();
    ::close(fd_);
  }
  TBufferedFile(const TBufferedFile&) = delete;
  TBufferedFile& operator=(const TBufferedFile&) = delete;

  void operator()(const char* bytes, std::size_t count) {
    if (used_ + count > kStreamBlock) Flush();
    std::memcpy(buffer_ + used_, bytes, count);
    used_ += count;
  }

 private:
  void Flush() {
    if (::write(fd_, buffer_, used_) != static_cast<ssize_t>(used_))
      throw std::runtime_error("write failed");
    used_ = 0;
  }

  int fd_;
  std::size_t used_ = 0;
  char buffer_[kStreamBlock];
};

void WriteWithSnprintf(const TBenchScene& scene, const std::string& path) {
  TBufferedFile file(path);
  TReferenceMapWriter<TBufferedFile>(file).Write(scene.Instances(), true);
}

bool SameFiles(const std::string& a, const std::string& b) {
  std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
  std::vector<char> x(1 << 20), y(1 << 20);
  while (first && second) {
    first.read(x.data(), static_cast<std::streamsize>(x.size()));
    second.read(y.data(), static_cast<std::streamsize>(y.size()));
    if (first.gcount() != second.gcount() ||
        std::memcmp(x.data(), y.data(), static_cast<std::size_t>(first.gcount())) != 0) {
      return false;
    }
  }
  return first.eof() && second.eof();
}

// Runs a command with its output thrown away; throws unless it exits with 0.
void Run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("failed: " + arguments[0] + " " + arguments[1]);
  }
}

std::uint64_t SizeOf(const std::string& path) { return std::filesystem::file_size(path); }

void Print(const TBenchScene& scene, const TRow& row) {
  std::printf("%llu\t%llu\t%s\t%d\t%.6f\t%llu\t%llu\t%zu\t%d\n",
              static_cast<unsigned long long>(scene.Polygons()),
              static_cast<unsigned long long>(scene.VertexLines()), row.method, row.run,
              row.seconds, static_cast<unsigned long long>(row.bytes),
              static_cast<unsigned long long>(row.peakHostBytes), row.hostWrites, row.identical);
  std::fflush(stdout);
}

// Every method once, in turn, so that a disturbance of the machine falls on all of them alike.
void MeasureRun(const TOptions& options, TBenchScene& scene, const std::string& ply, int run) {
  const std::string map = (options.folder / "plugin.t3d").string();
  const std::string other = (options.folder / "other.t3d").string();
  const TPluginExport plugin =
      ExportWithPlugin(options.library, scene.Host(), scene.Host().Universe(), map);
  const std::uint64_t bytes = SizeOf(map);
  Print(scene,
        {"t3dexport", run, plugin.seconds, bytes, plugin.peakHostBytes, plugin.writeSizes.size()});
  // The same export until its bytes are on the disk.
  Print(scene, {"t3dexport-fsync", run, plugin.seconds + SyncSeconds(map), bytes});

  TRow snprintfRow{"snprintf", run, Seconds([&] { WriteWithSnprintf(scene, other); }),
                   SizeOf(other)};
  // Only the first run compares: the comparison reads both files back.
  if (run == 1) snprintfRow.identical = SameFiles(map, other) ? 1 : 0;
  Print(scene, snprintfRow);
  if (snprintfRow.identical == 0) throw std::runtime_error("the snprintf writer wrote other bytes");
  // Removed, their bytes still in the page cache go unwritten, and the raw writes start afresh.
  std::filesystem::remove(map);
  std::filesystem::remove(other);

  Print(scene, {"raw", run, RawWriteSeconds(bytes, other, false), bytes});
  Print(scene, {"raw-fsync", run, RawWriteSeconds(bytes, other, true), bytes});
  std::filesystem::remove(other);
  if (!options.assimp) return;
  for (const char* format : {"obj", "stl"}) {
    const std::string out = (options.folder / "assimp.").string() + format;
    const double seconds = Seconds([&] { Run({"assimp", "export", ply, out}); });
    Print(scene, {format[0] == 'o' ? "assimp-obj" : "assimp-stl", run, seconds, SizeOf(out)});
    std::filesystem::remove(out);
  }
  Print(scene, {"assimp-load", run, Seconds([&] { Run({"assimp", "info", ply}); }), SizeOf(ply)});
}

void Measure(const TOptions& options, std::uint64_t size) {
  std::fprintf(stderr, "%llu polygons: building the scene\n",
               static_cast<unsigned long long>(size));
  TBenchScene scene(size);
  const std::string ply = (options.folder / "mesh.ply").string();
  if (options.assimp) WriteScenePly(scene.Instances(), ply);
  for (int run = 1; run <= options.runs; ++run) {
    std::fprintf(stderr, "%llu polygons: run %d of %d\n", static_cast<unsigned long long>(size),
                 run, options.runs);
    MeasureRun(options, scene, ply, run);
  }
  std::filesystem::remove(ply);
}

void WriteLog(const std::vector<std::uint32_t>& sizes, const std::string& path) {
  std::ofstream out(path);
  for (std::uint32_t size : sizes) out << size << '\n';
}

// The maps of both layouts and the host's write logs, left for comparison.
void Dump(const TOptions& options, std::uint64_t size) {
  TBenchScene scene(size);
  const std::string stem = (options.folder / std::to_string(size)).string();
  WriteLog(
      ExportWithPlugin(options.library, scene.Host(), scene.Host().Universe(), stem + "-map.t3d")
          .writeSizes,
      stem + "-map.writes");
  IKXTreeElement* first = scene.Host().InstanceAt(0).TreeElement();
  WriteLog(ExportWithPlugin(options.library, scene.Host(), first, stem + "-list.t3d").writeSizes,
           stem + "-list.writes");
}

std::vector<std::uint64_t> ParseSizes(const char* text) {
  std::vector<std::uint64_t> sizes;
  for (char* end = nullptr; *text; text = *end ? end + 1 : end)
    sizes.push_back(std::strtoull(text, &end, 10));
  return sizes;
}

TOptions ParseOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool valued = i + 1 < argc;
    if (option == "--library" && valued) {
      options.library = argv[++i];
    } else if (option == "--folder" && valued) {
      options.folder = argv[++i];
    } else if (option == "--runs" && valued) {
      options.runs = std::atoi(argv[++i]);
    } else if (option == "--sizes" && valued) {
      options.sizes = ParseSizes(argv[++i]);
    } else if (option == "--no-assimp") {
      options.assimp = false;
    } else if (option == "--dump") {
      options.dump = true;
    } else {
      throw std::runtime_error("unknown option " + option);
    }
  }
  if (options.library.empty() || options.folder.empty()) {
    throw std::runtime_error(
        "usage: t3d_export_throughput --library FILE --folder DIR [--runs N] "
        "[--sizes N,N,...] [--no-assimp] [--dump]");
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const TOptions options = ParseOptions(argc, argv);
    std::filesystem::create_directories(options.folder);
    if (!options.dump) {
      std::printf(
          "polygons\tvertex_lines\tmethod\trun\tseconds\tbytes\tpeak_host_bytes\thost_"
          "writes\tidentical\n");
    }
    for (std::uint64_t size : options.sizes) {
      if (options.dump) {
        Dump(options, size);
      } else {
        Measure(options, size);
      }
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "t3d_export_throughput: %s\n", failure.what());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
