// The model's texture mapping through the built tool and back: a table of UV cases (scaled,
// rotated, mirrored, offset, two textures, one not square) exported, then every written vertex
// read back from the map as a texel and compared with its model UV; --textures writes what the
// editors import; a missing image leaves a world-aligned face and a warning.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "support/FileText.h"
#include "support/ToolRun.h"

namespace {

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "texture_" + name; }

struct Uv {
  double u, v;
};

struct UvCase {
  const char* name;
  const char* material;
  std::function<Uv(double s, double t)> uv;  // of the corner (s, t) of a unit square
};

// Editor sizes: a.png is 256 x 128; b.png, 300 x 200, is taken to 256 x 256.
const std::map<std::string, std::pair<double, double>> kSizes = {{"a", {256, 128}}, {"b", {256, 256}}};

const std::vector<UvCase> kCases = {
    {"Plain", "a", [](double s, double t) { return Uv{s, t}; }},
    {"Scaled", "a", [](double s, double t) { return Uv{2 * s, 0.5 * t}; }},
    {"Rotated", "a", [](double s, double t) { return Uv{0.8 * s - 0.6 * t, 0.6 * s + 0.8 * t}; }},
    {"Mirrored", "a", [](double s, double t) { return Uv{-s, t}; }},
    {"Offset", "a", [](double s, double t) { return Uv{s + 3.3, t - 1.7}; }},
    {"Other", "b", [](double s, double t) { return Uv{0.7 * s + 0.2 * t, 0.9 * t - 0.1 * s}; }},
    {"Missing", "c", [](double s, double t) { return Uv{s, t}; }},
};

// A 96 x 64 quad for each case, side by side, at whole units (so the map keeps its points).
std::string ModelText() {
  std::ostringstream obj;
  obj << "mtllib uv.mtl\n";
  int n = 0;
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    const double x0 = 200.0 * static_cast<double>(i);
    obj << "o " << kCases[i].name << "\nusemtl " << kCases[i].material << "\n";
    for (const auto& [s, t] : {std::pair{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}}) {
      const Uv uv = kCases[i].uv(s, t);
      obj << "v " << x0 + 96 * s << " " << 64 * t << " 0\nvt " << uv.u << " " << uv.v << "\n";
    }
    obj << "f " << n + 1 << "/" << n + 1 << " " << n + 2 << "/" << n + 2 << " " << n + 3 << "/" << n + 3 << " "
        << n + 4 << "/" << n + 4 << "\n";
    n += 4;
  }
  return obj.str();
}

void WritePng(const std::string& path, int width, int height) {
  std::vector<unsigned char> rgb(std::size_t(width) * height * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7 % 251);
  ASSERT_NE(stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3), 0);
}

struct Polygon {
  std::string item;
  std::vector<double> origin, u, v;
  std::vector<std::vector<double>> vertices;
};

std::vector<double> Values(const std::string& line) {
  std::vector<double> values;
  std::istringstream in(line.substr(line.find_first_of("+-")));
  for (double value; in >> value;) {
    values.push_back(value);
    in.ignore(1);
  }
  return values;
}

std::vector<Polygon> ReadPolygons(const std::string& text) {
  std::vector<Polygon> polygons;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t item = line.find("Item=");
    if (line.find("Begin Polygon") != std::string::npos) {
      polygons.push_back({item == std::string::npos ? "" : line.substr(item + 5, line.find(' ', item) - item - 5), {}, {}, {}, {}});
    } else if (line.find("Origin") != std::string::npos) {
      polygons.back().origin = Values(line);
    } else if (line.find("TextureU") != std::string::npos) {
      polygons.back().u = Values(line);
    } else if (line.find("TextureV") != std::string::npos) {
      polygons.back().v = Values(line);
    } else if (line.find("Vertex") != std::string::npos) {
      polygons.back().vertices.push_back(Values(line));
    }
  }
  return polygons;
}

double Dot(const std::vector<double>& a, const std::vector<double>& b, const std::vector<double>& origin) {
  return (a[0] - origin[0]) * b[0] + (a[1] - origin[1]) * b[1] + (a[2] - origin[2]) * b[2];
}

// How far `a` is from `b` counted modulo `period`.
double Apart(double a, double b, double period) { return std::fabs(std::remainder(a - b, period)); }

}  // namespace

TEST(TextureMappingTest, EveryWrittenVertexMapsBackToItsModelUv) {
  const std::string folder = TempPath("textures");
  std::ofstream(TempPath("uv.obj")) << ModelText();
  std::ofstream(TempPath("uv.mtl")) << "newmtl a\nmap_Kd " << TempPath("a.png") << "\nnewmtl b\nmap_Kd "
                                    << TempPath("b.png") << "\nnewmtl c\nmap_Kd " << TempPath("missing.png") << "\n";
  WritePng(TempPath("a.png"), 256, 128);
  WritePng(TempPath("b.png"), 300, 200);
  const ToolRun run = RunTool({TempPath("uv.obj"), "--up", "z", "--scale", "1", "--pivot", "origin", "-o",
                               TempPath("uv.t3d"), "--textures", folder});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("(6 with the model's texture mapping)"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("missing.png: missing"), std::string::npos) << run.err;

  std::size_t mapped = 0;
  for (const Polygon& polygon : ReadPolygons(ReadFileText(TempPath("uv.t3d")))) {
    for (std::size_t i = 0; i < kCases.size(); ++i) {
      const UvCase& c = kCases[i];
      if (polygon.item != c.name) continue;
      SCOPED_TRACE(c.name);
      if (std::string(c.material) == "c") {
        // World-aligned: each texture axis one of the map's.
        EXPECT_EQ(std::fabs(polygon.u[0]) + std::fabs(polygon.u[1]) + std::fabs(polygon.u[2]), 1);
        continue;
      }
      const auto [width, height] = kSizes.at(c.material);
      for (const std::vector<double>& vertex : polygon.vertices) {
        // Written with Y turned over; the corner (s, t) of the quad is where it lies.
        const double s = (vertex[0] - 200.0 * static_cast<double>(i)) / 96, t = -vertex[1] / 64;
        const Uv uv = c.uv(s, t);
        EXPECT_LE(Apart(Dot(vertex, polygon.u, polygon.origin), uv.u * width, width), 0.02);
        EXPECT_LE(Apart(Dot(vertex, polygon.v, polygon.origin), (1 - uv.v) * height, height), 0.02);
      }
      ++mapped;
    }
  }
  EXPECT_EQ(mapped, 6u);

  // The editors' import: power-of-two BMPs of 256 colours named as the map names the textures
  // (after their images), and one command for each.
  const std::string commands = ReadFileText(folder + "/import-textures.txt");
  for (const auto& [name, size] : kSizes) {
    const std::string texture = "texture_" + name, file = folder + "/" + texture + ".bmp";
    int width = 0, height = 0, channels = 0;
    ASSERT_TRUE(stbi_info(file.c_str(), &width, &height, &channels)) << file;
    EXPECT_EQ(width, size.first);
    EXPECT_EQ(height, size.second);
    EXPECT_EQ(ReadFileText(file)[28], 8) << "bits per pixel";
    EXPECT_NE(commands.find("TEXTURE IMPORT NAME=" + texture + " FILE="), std::string::npos) << commands;
  }
}
