// Small meshes through the built tool and back through `check`, as a designer would: closed
// models come out closed, convex ones convex within 0.1, coplanar triangles merged, inside-out
// ones turned, open ones named; and maps written the way editors write theirs pass `check`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BrushJudge.h"
#include "BrushMesh.h"
#include "CoplanarMerge.h"
#include "EdgeTable.h"
#include "ExitCodes.h"
#include "Folds.h"
#include "Junctions.h"
#include "PlanarRegions.h"
#include "StraightVertices.h"
#include "Winding.h"
#include "support/FileText.h"
#include "support/ToolRun.h"

namespace {

struct P {
  double x, y, z;
};
using Face = std::vector<P>;

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "solid_" + name;
}

std::string Obj(const std::vector<Face>& faces) {
  std::string obj = "o Shape\n", indices;
  int n = 0;
  for (const Face& face : faces) {
    indices += "f";
    for (const P& p : face) {
      obj += "v " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z) + "\n";
      indices += " " + std::to_string(++n);
    }
    indices += "\n";
  }
  return obj + indices;
}

// A box's six faces, counter-clockwise seen from outside, each cut into `cuts` x `cuts`
// triangle pairs, and every point moved by `place`.
std::vector<Face> Box(P low, P high, int cuts = 1, const std::function<P(P)>& place = [](P p) { return p; }) {
  std::vector<Face> faces;
  for (int axis = 0; axis < 3; ++axis) {
    for (const int side : {0, 1}) {
      const auto at = [&](double s, double t) {
        double c[3];
        const double lo[3] = {low.x, low.y, low.z}, hi[3] = {high.x, high.y, high.z};
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        c[axis] = side ? hi[axis] : lo[axis];
        // The high side turns u then v; the low side v then u, which faces it the other way.
        c[side ? u : v] = lo[side ? u : v] + s * (hi[side ? u : v] - lo[side ? u : v]);
        c[side ? v : u] = lo[side ? v : u] + t * (hi[side ? v : u] - lo[side ? v : u]);
        return place({c[0], c[1], c[2]});
      };
      for (int i = 0; i < cuts; ++i) {
        for (int j = 0; j < cuts; ++j) {
          const double s0 = double(i) / cuts, s1 = double(i + 1) / cuts;
          const double t0 = double(j) / cuts, t1 = double(j + 1) / cuts;
          faces.push_back({at(s0, t0), at(s1, t0), at(s1, t1)});
          faces.push_back({at(s0, t0), at(s1, t1), at(s0, t1)});
        }
      }
    }
  }
  return faces;
}

P Turned(P p) {
  const double a = 0.3, b = 0.5, c = 0.7;
  P q{p.x, p.y * std::cos(a) - p.z * std::sin(a), p.y * std::sin(a) + p.z * std::cos(a)};
  q = {q.x * std::cos(b) + q.z * std::sin(b), q.y, -q.x * std::sin(b) + q.z * std::cos(b)};
  return {q.x * std::cos(c) - q.y * std::sin(c), q.x * std::sin(c) + q.y * std::cos(c), q.z};
}

// A UV sphere: quads between its rings, triangles at its poles.
std::vector<Face> Sphere(double radius, int segments, int rings) {
  const auto at = [&](int i, int j) {
    const double u = 2 * M_PI * i / segments, v = M_PI * j / rings;
    return P{radius * std::sin(v) * std::cos(u), radius * std::sin(v) * std::sin(u), radius * std::cos(v)};
  };
  std::vector<Face> faces;
  for (int j = 0; j < rings; ++j) {
    for (int i = 0; i < segments; ++i) {
      const P a = at(i, j), b = at(i, j + 1), c = at(i + 1, j + 1), d = at(i + 1, j);
      if (j == 0) {
        faces.push_back({a, b, c});
      } else if (j == rings - 1) {
        faces.push_back({a, b, d});
      } else {
        faces.push_back({a, b, c, d});
      }
    }
  }
  return faces;
}

// A prism over a polygon turning counter-clockwise in the xy plane: its caps, as the triangles
// given, and its sides, every point moved by `place`.
std::vector<Face> Prism(const std::vector<P>& outline, const std::vector<std::vector<int>>& capTriangles,
                        double height, const std::function<P(P)>& place = [](P p) { return p; }) {
  std::vector<Face> faces;
  for (const std::vector<int>& t : capTriangles) {
    Face top, bottom;
    for (const int i : t) top.push_back(place({outline[i].x, outline[i].y, height}));
    for (auto i = t.rbegin(); i != t.rend(); ++i) bottom.push_back(place(outline[*i]));
    faces.push_back(top);
    faces.push_back(bottom);
  }
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const P a = outline[i], b = outline[(i + 1) % outline.size()];
    faces.push_back({place(a), place(b), place({b.x, b.y, height}), place({a.x, a.y, height})});
  }
  return faces;
}

std::vector<Face> Cylinder() {
  std::vector<P> ring;
  std::vector<std::vector<int>> fan;
  for (int i = 0; i < 16; ++i) ring.push_back({50 * std::cos(M_PI * i / 8), 50 * std::sin(M_PI * i / 8), -100});
  for (int i = 1; i + 1 < 16; ++i) fan.push_back({0, i, i + 1});
  return Prism(ring, fan, 100, Turned);
}

std::vector<Face> Reversed(std::vector<Face> faces) {
  for (Face& face : faces) std::reverse(face.begin(), face.end());
  return faces;
}

const std::vector<P> kL = {{0, 0, 0}, {192, 0, 0}, {192, 64, 0}, {64, 64, 0}, {64, 192, 0}, {0, 192, 0}};

struct Case {
  const char* name;
  std::vector<Face> faces;
  std::vector<std::string> args;
  int closed, convex, polygons;  // polygons -1: any
};

std::vector<Case> Cases() {
  const std::vector<Face> box = Box({-64, -64, -64}, {64, 64, 64});
  std::vector<Face> open = box;
  open.resize(10);
  return {
      {"cube of 12 triangles", box, {}, 1, 1, 6},
      {"cube with each face 3 x 3 quads of triangles", Box({-64, -64, -64}, {64, 64, 64}, 3), {}, 1, 1, 6},
      {"inside out", Reversed(box), {}, 1, 1, 6},
      {"rotated box", Box({-100, -60, -40}, {100, 60, 40}, 1, Turned), {}, 1, 1, -1},
      {"UV sphere", Sphere(100, 24, 12), {}, 1, 1, -1},
      {"tilted cylinder", Cylinder(), {}, 1, 1, -1},
      {"sphere, rounding collapses faces", Sphere(12, 24, 12), {}, 1, -1, -1},
      // Caps cut from the reflex corner and from a convex one: two quads each either way.
      {"L prism", Prism(kL, {{3, 4, 5}, {3, 5, 0}, {3, 0, 1}, {3, 1, 2}}, 128), {}, 1, 0, 10},
      {"L prism cut otherwise", Prism(kL, {{0, 1, 3}, {1, 2, 3}, {0, 3, 5}, {3, 4, 5}}, 128), {}, 1, 0, 10},
      {"L prism as a hull", Prism(kL, {{0, 1, 3}, {1, 2, 3}, {0, 3, 5}, {3, 4, 5}}, 128), {"--hull"}, 1, 1, 7},
      {"open box", open, {}, 0, 1, 5},
      {"open box as a hull", open, {"--hull"}, 1, 1, 6},
  };
}

int JsonCount(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::stoi(json.substr(at + key.size() + 3));
}

}  // namespace

TEST(SolidBrushTest, SmallMeshesThroughTheToolAndCheck) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    const std::string model = TempPath("model.obj"), map = TempPath("model.t3d");
    std::ofstream(model) << Obj(c.faces);
    std::vector<std::string> args = {model, "--up", "z", "--scale", "1", "-o", map};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun run = RunTool(args);
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err.find("brushes are open") == std::string::npos, c.closed == 1) << run.err;
    const ToolRun check = RunTool({"check", "--json", map});
    EXPECT_EQ(check.status, kExitOk) << check.out;
    EXPECT_EQ(JsonCount(check.out, "closed"), c.closed) << check.out;
    if (c.convex >= 0) {
      EXPECT_EQ(JsonCount(check.out, "convex"), c.convex) << check.out;
    }
    EXPECT_EQ(JsonCount(check.out, "warnings"), c.closed ? 0 : 1) << check.out;
    if (c.polygons >= 0) {
      const std::string text = ReadFileText(map);
      std::size_t polygons = 0;
      for (std::size_t at = text.find("Begin Polygon"); at != std::string::npos; at = text.find("Begin Polygon", at + 1)) ++polygons;
      EXPECT_EQ(polygons, static_cast<std::size_t>(c.polygons) + 6) << "and the builder brush's six";
    }
    EXPECT_EQ(RunTool({"check", "--strict", map}).status, c.closed ? kExitOk : kExitMapProblems);
  }
}

// What editors write and this tool does not: a LevelInfo first, a builder brush second, solid,
// sheet, semisolid and mover brushes, nested objects, Pan lines, texture names with dashes, one
// brush wound inside out.
TEST(SolidBrushTest, EditorMapsAreReadAndCounted) {
  const auto square = [](const std::string& texture, int z, bool up) {
    const std::string corners[4] = {"-64,-64,", "64,-64,", "64,64,", "-64,64,"};
    std::string polygon = "   Begin Polygon Texture=" + texture + " Flags=264 Link=0\n      Pan U=16 V=-8\n";
    for (int k = 0; k < 4; ++k) polygon += "      Vertex " + corners[up ? k : 3 - k] + std::to_string(z) + "\n";
    return polygon + "   End Polygon\n";
  };
  // A cube of six squares, wound outward or inward.
  const auto cube = [](bool outward) {
    std::string polygons;
    const std::vector<Face> faces = Box({-64, -64, -64}, {64, 64, 64});
    for (std::size_t f = 0; f < faces.size(); f += 2) {
      Face quad = {faces[f][0], faces[f][1], faces[f][2], faces[f + 1][2]};
      if (!outward) std::reverse(quad.begin(), quad.end());
      polygons += "   Begin Polygon Texture=Floor-Tiles.Grey_2\n";
      for (const P& p : quad) {
        polygons += "      Vertex " + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.z) + "\n";
      }
      polygons += "   End Polygon\n";
    }
    return polygons;
  };
  const auto actor = [](const std::string& head, const std::string& polygons) {
    return head + "\n   Begin Brush Name=Model\n   Begin PolyList\n" + polygons + "   End PolyList\n   End Brush\nEnd Actor\n";
  };
  const std::string map =
      "Begin Map\nBegin Actor Class=LevelInfo Name=LevelInfo0\n   Title=\"Hall\"\nEnd Actor\n" +
      actor("Begin Actor Class=Brush Name=Brush0", cube(true)) +
      actor("Begin Actor Class=Brush Name=Brush1\n   CsgOper=CSG_Subtract\n   MainScale=(Scale=(X=1.25),SheerAxis=SHEER_ZX)\n"
            "   Rotation=(Yaw=-16384)\n   Location=(X=10.5,Y=-2,Z=3)",
            cube(true)) +
      actor("Begin Actor Class=Brush Name=Brush2\n   CsgOper=CSG_Add", cube(false)) +
      actor("Begin Actor Class=Brush Name=Sheet\n   CsgOper=CSG_Add\n   PolyFlags=8", square("Glass.Pane", 0, true)) +
      actor("Begin Actor Class=Brush Name=Semi\n   CsgOper=CSG_Add\n   PolyFlags=32",
            square("Pipes.Rust", 0, true) + square("Pipes.Rust", 8, false)) +
      actor("Begin Actor Class=Mover Name=Mover0\n   CsgOper=CSG_Add\n   KeyPos(1)=(Z=128.000000)", square("Lift.Top", 0, true)) +
      "Begin Actor Class=StaticMeshActor Name=Crate\n   Begin Object Class=Model Name=Hull0\n   End Object\nEnd Actor\n"
      "End Map\n";
  const std::string path = TempPath("editor.t3d");
  std::ofstream(path) << map;
  const ToolRun check = RunTool({"check", "--json", path});
  EXPECT_EQ(check.status, kExitOk) << check.out;
  EXPECT_EQ(JsonCount(check.out, "brushes"), 4) << check.out;  // not the builder brush nor the mover
  EXPECT_EQ(JsonCount(check.out, "solid"), 2) << check.out;
  EXPECT_EQ(JsonCount(check.out, "closed"), 2) << check.out;
  EXPECT_EQ(JsonCount(check.out, "convex"), 1) << check.out;  // wound inward, no point is behind
  EXPECT_EQ(JsonCount(check.out, "errors"), 0) << check.out;
  EXPECT_EQ(JsonCount(check.out, "warnings"), 1) << check.out;
  EXPECT_NE(check.out.find("\"brush\":\"Brush2\",\"message\":\"brush 'Brush2' is wound inside out"),
            std::string::npos) << check.out;
}

namespace {

// A mesh of whole-unit points from rings of corner positions; points at one position are one.
BrushMesh MeshOf(const std::vector<std::vector<P>>& rings) {
  BrushMesh mesh;
  std::vector<std::uint32_t> ring;
  for (const std::vector<P>& corners : rings) {
    ring.clear();
    for (const P& c : corners) {
      std::uint32_t id = 0;
      while (id < mesh.points.size() && (mesh.points[id].x != c.x || mesh.points[id].y != c.y || mesh.points[id].z != c.z)) ++id;
      if (id == mesh.points.size()) mesh.points.push_back({c.x, c.y, c.z});
      ring.push_back(id);
    }
    mesh.Add(ring.data(), ring.size(), 0, 0);
  }
  return mesh;
}

std::vector<std::vector<P>> Rings(const std::vector<Face>& faces) { return {faces.begin(), faces.end()}; }

// The cube 0..2 with its top cut into two quads along x = 1, which its neighbours know nothing of.
std::vector<Face> CubeWithTJunctions() {
  std::vector<Face> faces;
  for (const Face& f : Box({0, 0, 0}, {2, 2, 2})) faces.push_back(f);
  std::vector<Face> quads;
  for (std::size_t f = 0; f < faces.size(); f += 2) quads.push_back({faces[f][0], faces[f][1], faces[f][2], faces[f + 1][2]});
  quads.erase(std::remove_if(quads.begin(), quads.end(), [](const Face& q) {
                return std::all_of(q.begin(), q.end(), [](const P& p) { return p.z == 2; });
              }), quads.end());
  quads.push_back({{0, 0, 2}, {1, 0, 2}, {1, 2, 2}, {0, 2, 2}});
  quads.push_back({{1, 0, 2}, {2, 0, 2}, {2, 2, 2}, {1, 2, 2}});
  return quads;
}

struct StageCase {
  const char* name;
  std::vector<Face> faces;
  std::function<void(BrushMesh&)> stage;
  bool closed;
  std::size_t polygons;
};

}  // namespace

// Each step of making a brush solid on the mesh it works on: the shapes rounding and models
// leave, and what each must make of them.
TEST(SolidBrushTest, EachStepOnTheMeshesItMends) {
  const std::vector<Face> cube = Box({0, 0, 0}, {2, 2, 2});
  std::vector<Face> oneTurned = cube;
  std::reverse(oneTurned[3].begin(), oneTurned[3].end());
  std::vector<Face> withFin = cube;
  // A fin of no volume on the cube's top diagonal, its two sides wound opposite ways.
  const Face& top = cube[10];
  withFin.push_back({top[0], top[2], {1, 1, 5}});
  withFin.push_back({{1, 1, 5}, top[2], top[0]});
  const std::vector<Face> sheet = {{{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}, {{0, 4, 0}, {4, 0, 0}, {0, 0, 0}}};
  const auto merge = [](BrushMesh& mesh) {
    if (MergeCoplanar(mesh, 64, 0.1, {}).concaveLeft) RecutPlanarRegions(mesh, 0.1, {});
    RemoveStraightVertices(mesh);
  };
  const std::vector<StageCase> cases = {
      {"T-junctions closed", CubeWithTJunctions(), [](BrushMesh& m) { CloseJunctions(m); }, true, 7},
      {"a fold leaves, both sides", withFin, [](BrushMesh& m) { RemoveFolds(m); }, true, 12},
      {"a sheet keeps one side", sheet, [](BrushMesh& m) { RemoveFolds(m); }, false, 1},
      {"one face turned back", oneTurned, [](BrushMesh& m) { OrientOutward(m); }, true, 12},
      {"inside out turned", Reversed(cube), [](BrushMesh& m) { OrientOutward(m); }, true, 12},
      {"triangles merged, straight points gone", Rings(CubeWithTJunctions()),
       [&](BrushMesh& m) { CloseJunctions(m); merge(m); }, true, 6},
      {"L caps in two pieces each",
       Prism({{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {2, 2, 0}, {2, 4, 0}, {0, 4, 0}},
             {{0, 1, 3}, {1, 2, 3}, {0, 3, 5}, {3, 4, 5}}, 2),
       merge, true, 10},
  };
  for (const StageCase& c : cases) {
    SCOPED_TRACE(c.name);
    BrushMesh mesh = MeshOf(Rings(c.faces));
    c.stage(mesh);
    const EdgeTable edges(mesh);
    EXPECT_EQ(FindEdgeFaults(mesh, edges).Closed(), c.closed);
    EXPECT_EQ(mesh.PolygonCount(), c.polygons);
    if (c.closed) {
      EXPECT_GT(SignedVolume(mesh), 0);
    }
  }
}
