// Polygon repair: every polygon it writes is one all readers take whole, and flat faces keep
// their area and their facing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "PolygonRepair.h"

namespace {

using Face = std::vector<ModelPoint>;

struct Vec {
  double x, y, z;
};

Vec Sub(const GridPoint& a, const GridPoint& b) {
  return {double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
}
Vec Cross(const Vec& a, const Vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(const Vec& a) { return std::sqrt(Dot(a, a)); }

// Twice the vector area, as a fan of cross products from the first point.
Vec AreaVector(const GridPoint* p, std::size_t n) {
  Vec sum{0, 0, 0};
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const Vec c = Cross(Sub(p[i], p[0]), Sub(p[i + 1], p[0]));
    sum = {sum.x + c.x, sum.y + c.y, sum.z + c.z};
  }
  return sum;
}

// Checks what every written polygon must be; returns the brush's total area.
double CheckPolygons(const BrushRepair& repair) {
  double area = 0;
  for (const RepairedPolygon& polygon : repair.Polygons()) {
    const GridPoint* p = repair.Points().data() + polygon.first;
    const std::size_t n = polygon.count;
    EXPECT_GE(n, 3u);
    EXPECT_LE(n, 16u);
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) EXPECT_NE(p[i], p[j]) << "repeated point";
    }
    const Vec twice = AreaVector(p, n);
    const double length = Length(twice);
    EXPECT_GT(length, 0) << "no area";
    if (length == 0) continue;
    const Vec unit{twice.x / length, twice.y / length, twice.z / length};
    const Vec normal{polygon.normal.x, polygon.normal.y, polygon.normal.z};
    EXPECT_NEAR(Dot(normal, unit), 1.0, 1e-6) << "normal is not the points' own";
    double centre = 0;
    for (std::size_t i = 0; i < n; ++i) centre += Dot(unit, Sub(p[i], p[0])) / double(n);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_LE(std::fabs(Dot(unit, Sub(p[i], p[0])) - centre), 0.1 + 1e-9) << "not flat";
      // Convex: every point on the inner side of every edge, or on it.
      const std::size_t j = (i + 1) % n;
      for (std::size_t k = 0; k < n; ++k) {
        EXPECT_GE(Dot(Cross(Sub(p[j], p[i]), Sub(p[k], p[i])), unit), -1e-6) << "not convex";
      }
    }
    area += length / 2;
  }
  return area;
}

void ExpectCountsAddUp(const BrushRepair& repair) {
  const RepairCounts& c = repair.Counts();
  EXPECT_EQ(c.polygons, c.faces - c.nonFinite - c.outOfRange - c.degenerate - c.noArea +
                            c.piecesAdded - c.duplicate);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Face Parabola(int points) {
  Face face;
  for (int i = 0; i < points; ++i) face.push_back({double(i), double(i * i), 7});
  return face;
}

constexpr std::size_t kAnyCount = ~std::size_t{0};
constexpr double kAnyArea = -1;
constexpr double kPi = 3.14159265358979323846;

// (0, 0), (1, 0), ... (points, 0) along one side, then the apex (10, 10).
Face Fan(int points) {
  Face face;
  for (int i = 0; i <= points; ++i) face.push_back({double(i), 0, 0});
  face.push_back({10, 10, 0});
  return face;
}

struct Case {
  const char* name;
  std::vector<Face> faces;
  std::size_t polygons;
  double area;  // of what is written
  std::uint64_t RepairCounts::*kind;
  std::uint64_t times;
};

const Case kCases[] = {
    {"valid triangle", {{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}}, 1, 50, &RepairCounts::polygons, 1},
    // The area under the chord from (0, 0) to (19, 361) less the area under the points:
    // 19 * 361 / 2 - (sum of i*i for i < 19 + sum for i <= 19) / 2 = 3429.5 - 2289.5.
    {"convex 20-gon is split", {Parabola(20)}, 2, 1140, &RepairCounts::split, 1},
    {"triangle with 20 points along one side", {Fan(20)}, 2, 100, &RepairCounts::split, 1},
    {"non-flat quad",
     {{{0, 0, 0}, {10, 0, 0}, {10, 10, 1}, {0, 10, 0}}},
     2,
     kAnyArea,
     &RepairCounts::triangulated,
     1},
    {"dart-shaped quad", {{{0, 0, 0}, {10, 5, 0}, {20, 0, 0}, {10, 20, 0}}}, 2, 150,
     &RepairCounts::triangulated, 1},
    {"L-shaped hexagon",
     {{{0, 0, 0}, {20, 0, 0}, {20, 10, 0}, {10, 10, 0}, {10, 20, 0}, {0, 20, 0}}},
     4,
     300,
     &RepairCounts::triangulated,
     1},
    {"rounding collapses it",
     {{{0.1, 0, 0}, {0.4, 0.2, 0}, {0.3, 0.4, 0.4}}},
     0,
     0,
     &RepairCounts::degenerate,
     1},
    {"rounding flattens it",
     {{{0, 0, 0}, {10, 0.2, 0}, {20, 0, 0}}},
     0,
     0,
     &RepairCounts::noArea,
     1},
    {"two points back and forth",
     {{{0, 0, 0}, {5, 5, 5}, {0, 0, 0}, {5, 5, 5}}},
     0,
     0,
     &RepairCounts::degenerate,
     1},
    {"repeated points and closing point",
     {{{0, 0, 0}, {0, 0, 0}, {10, 0, 0}, {10.4, 0, 0}, {0, 10, 0}, {0, 0, 0}}},
     1,
     50,
     &RepairCounts::triangulated,
     0},
    // Both sides stay: whether they are a fold or a sheet's two sides is the solid's to judge.
    {"same face wound the other way",
     {{{0, 0, 0}, {8, 0, 0}, {8, 8, 0}, {0, 8, 0}}, {{0, 8, 0}, {8, 8, 0}, {8, 0, 0}, {0, 0, 0}}},
     2,
     128,
     &RepairCounts::duplicate,
     0},
    {"not a number", {{{0, 0, 0}, {kNaN, 0, 0}, {0, 10, 0}}}, 0, 0, &RepairCounts::nonFinite, 1},
    {"infinite",
     {{{0, 0, 0}, {10, 0, 0}, {0, -kInf, 0}, {3, 3, 0}}},
     0,
     0,
     &RepairCounts::nonFinite,
     1},
    {"beyond the grid", {{{0, 0, 0}, {3e7, 0, 0}, {0, 10, 0}}}, 0, 0, &RepairCounts::outOfRange, 1},
    {"five-pointed star, every turn a left one",
     {{{0, 10, 0}, {6, -8, 0}, {-10, 3, 0}, {10, 3, 0}, {-6, -8, 0}}},
     kAnyCount,
     kAnyArea,
     &RepairCounts::triangulated,
     1},
    {"bow tie",
     {{{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 10, 0}}},
     kAnyCount,
     kAnyArea,
     &RepairCounts::triangulated,
     1},
};

}  // namespace

TEST(PolygonRepairTest, CasesGiveValidPolygons) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    BrushRepair repair;
    repair.StartBrush();
    for (const Face& face : c.faces) repair.AddFace(face.data(), face.size(), 5);
    repair.FinishBrush();
    if (c.polygons != kAnyCount) {
      EXPECT_EQ(repair.Polygons().size(), c.polygons);
    }
    const double area = CheckPolygons(repair);
    if (c.area != kAnyArea) {
      EXPECT_NEAR(area, c.area, 1e-6);
    }
    EXPECT_EQ(repair.Counts().*c.kind, c.times);
    ExpectCountsAddUp(repair);
    for (const RepairedPolygon& p : repair.Polygons()) EXPECT_EQ(p.source, 5u);
  }
}

TEST(PolygonRepairTest, BrushesAreSeparate) {
  BrushRepair repair;
  const Face square{{0, 0, 0}, {8, 0, 0}, {8, 8, 0}, {0, 8, 0}};
  for (int brush = 0; brush < 2; ++brush) {
    repair.StartBrush();
    repair.AddFace(square.data(), square.size(), 0);
    repair.FinishBrush();
    EXPECT_EQ(repair.Polygons().size(), 1u) << "brush " << brush;
    EXPECT_EQ(repair.Points().size(), 4u);
  }
  EXPECT_EQ(repair.Counts().duplicate, 0u);
  EXPECT_EQ(repair.Counts().polygons, 2u);
}

namespace {

// A random simple polygon of integer points: a star round the origin with its points in angle
// order and every step round the origin a left turn of less than half a revolution. Empty when
// the draw gives no such star; `area` is its area.
std::vector<std::pair<int, int>> RandomStar(std::mt19937& random, double& area) {
  auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int points = uniform(3, 40);
  const int radius = uniform(3, 60);
  const bool circular = uniform(0, 1) == 1;
  std::vector<std::pair<int, int>> star;
  for (int k = 0; k < points; ++k) {
    const double jitter = std::uniform_real_distribution<double>(0, 0.5)(random);
    const double angle = 2 * kPi * (k + jitter) / points;
    const double r = circular ? radius : uniform(1, radius);
    const std::pair<int, int> p{int(std::lround(r * std::cos(angle))),
                                int(std::lround(r * std::sin(angle)))};
    const bool turnsLeft =
        star.empty() ||
        double(star.back().first) * p.second - double(star.back().second) * p.first > 0;
    if ((p.first != 0 || p.second != 0) && turnsLeft) star.push_back(p);
  }
  area = 0;
  for (std::size_t k = 0; k < star.size(); ++k) {
    const auto& p = star[k];
    const auto& q = star[(k + 1) % star.size()];
    const double turn = double(p.first) * q.second - double(p.second) * q.first;
    if (turn <= 0) return {};
    area += turn / 2;
  }
  return star.size() >= 3 ? star : std::vector<std::pair<int, int>>{};
}

}  // namespace

// Random faces: simple flat ones (stars on random lattice planes, convex or not, up to 40
// points) keep their area and facing; bumpy ones still give valid polygons.
TEST(PolygonRepairTest, RandomFacesGiveValidPolygons) {
  std::mt19937 random(20240521);
  auto uniform = [&](int low, int high) {
    return double(std::uniform_int_distribution<int>(low, high)(random));
  };
  BrushRepair repair;
  int flatFaces = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    repair.StartBrush();
    // The star's (i, j) go to origin + i a + j b: a plane through grid points.
    const Vec a{uniform(-3, 3), uniform(-3, 3), uniform(-3, 3)};
    const Vec b{uniform(-3, 3), uniform(-3, 3), uniform(-3, 3)};
    const Vec origin{uniform(-500, 500), uniform(-500, 500), uniform(-500, 500)};
    const double spread = Length(Cross(a, b));
    double area2d = 0;
    const auto star = RandomStar(random, area2d);
    if (spread == 0 || star.empty()) continue;
    const bool bumpy = uniform(0, 3) == 0;
    Face face;
    for (const auto& [i, j] : star) {
      const double bump = bumpy ? uniform(-1, 1) : 0;
      face.push_back({origin.x + i * a.x + j * b.x, origin.y + i * a.y + j * b.y + bump,
                      origin.z + i * a.z + j * b.z});
    }
    repair.AddFace(face.data(), face.size(), 0);
    repair.FinishBrush();
    const double area = CheckPolygons(repair);
    if (::testing::Test::HasFailure()) FAIL() << "trial " << trial;
    if (bumpy) continue;
    ++flatFaces;
    ASSERT_NEAR(area, area2d * spread, 1e-6 * area2d * spread) << "trial " << trial;
    // The star turns left in (i, j), so it faces along a x b.
    const Vec facing = Cross(a, b);
    for (const RepairedPolygon& p : repair.Polygons()) {
      ASSERT_GT(Dot(facing, {p.normal.x, p.normal.y, p.normal.z}), 0) << "trial " << trial;
    }
  }
  ExpectCountsAddUp(repair);
  // The faces went down every path.
  EXPECT_GT(flatFaces, 1000);
  EXPECT_GT(repair.Counts().split, 20u);
  EXPECT_GT(repair.Counts().triangulated, 100u);
  EXPECT_GT(repair.Counts().polygons, repair.Counts().faces);
}

namespace {

// The rings of a brush's written polygons, each from its least point, in order; kept faces read
// with `reader`.
std::vector<std::vector<GridPoint>> WrittenSets(const BrushRepair& repair,
                                                const BrushRepair::KeptFaceReader& reader) {
  std::vector<std::vector<GridPoint>> sets;
  for (const std::uint32_t written : repair.Brush().written) {
    GridPoint points[BrushRepair::kMaxPoints];
    std::size_t count = 0;
    if (written & kStoredPolygon) {
      const RepairedPolygon& p = repair.Polygons()[written & ~kStoredPolygon];
      count = p.count;
      std::copy_n(repair.Points().begin() + p.first, count, points);
    } else {
      count = reader(written, points);
    }
    std::vector<GridPoint> ring(points, points + count);
    std::rotate(ring.begin(), std::min_element(ring.begin(), ring.end()), ring.end());
    sets.push_back(ring);
  }
  return sets;
}

}  // namespace

// Faces on a tiny grid repeat one another and one another's pieces, from any point: whether kept
// faces are stored or read back, the same polygons come out in the same order, none repeating
// another the same way round, with the repeats counted.
TEST(PolygonRepairTest, RepeatsAreTakenOutWhereverThePolygonsLive) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(0, 2);
  std::vector<Face> faces;
  for (int f = 0; f < 4000; ++f) {
    Face face(3 + f % 3);  // triangles, quads (often bent, so cut) and pentagons
    for (ModelPoint& p : face) p = {double(coordinate(random)), double(coordinate(random)), 0.0 + f % 2};
    faces.push_back(face);
  }
  const BrushRepair::KeptFaceReader reader = [&](std::uint32_t n, GridPoint* out) {
    return BrushRepair::RoundFace(faces[n].data(), faces[n].size(), out) ? faces[n].size() : 0;
  };
  BrushRepair stored, kept;
  stored.StartBrush();
  kept.StartBrush(faces.size(), reader);
  for (std::uint32_t n = 0; n < faces.size(); ++n) {
    EXPECT_EQ(stored.AddFace(faces[n].data(), faces[n].size(), n % 5),
              kept.AddFace(faces[n].data(), faces[n].size(), n % 5));
  }
  EXPECT_EQ(stored.FinishBrush(), kept.FinishBrush());
  const auto sets = WrittenSets(kept, reader);
  EXPECT_EQ(sets, WrittenSets(stored, reader));
  EXPECT_EQ(std::set<std::vector<GridPoint>>(sets.begin(), sets.end()).size(), sets.size());
  EXPECT_GT(kept.Counts().duplicate, 1000u);
  EXPECT_LT(kept.Polygons().size(), sets.size());  // some kept faces are read back
  ExpectCountsAddUp(kept);
  CheckPolygons(stored);
}
