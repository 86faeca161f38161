// Every odd answer a host may give the exporter, through the loaded library: null objects and
// refused queries at each call, counts of zero, -1, the lowest 32-bit value and beyond the end
// (whose indices are out of range), names of 0 to 5000 bytes of every byte value, coordinates that
// are NaN, infinite, huge or a negative zero, polygons of 0 to 1000 vertices, odd shading
// domains, and top elements named almost "Universe". The text expected of each is written here
// from the format's rules; every run must also leave the host and the scene whole.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "reliability/ExpectedText.h"
#include "reliability/HostWholeness.h"
#include "reliability/OddCounts.h"
#include "reliability/ScenePlan.h"
#include "reliability/Sweep.h"
#include "reliability/UsualSequence.h"
#include "support/FileText.h"

namespace {

/// What an odd answer does to the instance that gives it, by the exporter's decisions.
enum class TEffect {
  Full,             // nothing: it is written as usual
  Drop,             // no actor (map); an empty list (single object)
  Empty,            // an actor with an empty polygon list
  NoVertices,       // each polygon with its header and end line only
  DefaultTextures,  // every material's texture gives the default name
  NoMesh            // the export fails with the instance's list opened
};

// Where `text` first departs from `expected`, with the line it happens in.
std::string FirstDifference(const std::string& text, const std::string& expected) {
  std::size_t at = 0;
  while (at < text.size() && at < expected.size() && text[at] == expected[at]) ++at;
  const std::size_t newline = at == 0 ? std::string::npos : expected.rfind('\n', at - 1);
  const std::size_t line = newline == std::string::npos ? 0 : newline + 1;
  return "differs at byte " + std::to_string(at) + " of " + std::to_string(expected.size()) +
         ": \"" + text.substr(line, 60) + "\" where \"" + expected.substr(line, 60) +
         "\" was expected";
}

TInstancePlan Affected(TInstancePlan plan, TEffect effect) {
  if (effect == TEffect::NoVertices) {
    for (auto& group : plan.groups) {
      for (auto& polygon : group) polygon.points.clear();
    }
  }
  if (effect == TEffect::DefaultTextures) {
    for (auto& [domain, texture] : plan.textures) texture = plan.defaultName;
  }
  return plan;
}

// The map of `plans`, with instance `odd` affected by `effect`.
std::string MapWith(const std::vector<TInstancePlan>& plans, std::size_t odd, TEffect effect) {
  std::string actors;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    const TEffect applied = i == odd ? effect : TEffect::Full;
    if (applied == TEffect::Drop) continue;
    const TInstancePlan plan = Affected(plans[i], applied);
    const bool empty = applied == TEffect::Empty || applied == TEffect::NoMesh;
    const std::string actor = ExpectedActor(plan, empty ? "" : ExpectedPolygons(plan, true));
    if (applied == TEffect::NoMesh) {
      return ExpectedMap(actors + actor.substr(0, actor.find("      End PolyList\n")));
    }
    actors += actor;
  }
  return ExpectedMap(actors);
}

std::string SingleWith(const TInstancePlan& plan, TEffect effect) {
  if (effect == TEffect::NoMesh) return "Begin PolyList\n";
  if (effect == TEffect::Drop || effect == TEffect::Empty) return ExpectedPolyList("");
  return ExpectedPolyList(ExpectedPolygons(Affected(plan, effect), false));
}

/// A point of a sweep over layouts: the case, and whether the top element is the scene's
/// "Universe" (the map) or one instance (a single object).
template <class Case>
struct TLaidOut {
  Case value;
  bool map;
};

template <class Case>
std::vector<TLaidOut<Case>> BothLayouts(const std::vector<Case>& cases) {
  std::vector<TLaidOut<Case>> points;
  for (bool map : {true, false}) {
    for (const Case& value : cases) points.push_back({value, map});
  }
  return points;
}

class HostAnswerSweepTest : public ::testing::Test {
 protected:
  HostAnswerSweepTest()
      : path(TestFilePath("sweep_", ".t3d")) {}

  /// Exports `top` of `scene` through the usual sequence and compares how it ended and what it
  /// wrote with `ending` and `text`.
  TSweepRun Check(THostApplication& host, IKXScene* scene, IKXTreeElement* top,
                  const std::string& ending, const std::string& text) {
    std::remove(path.c_str());
    TSweepRun run;
    run.outcome = RunUsualSequence(host, scene, top, path);
    if (run.outcome != ending) run.Mismatch("ended " + run.outcome + ", not " + ending);
    const std::string written = ReadFileText(path);
    if (written != text) run.Mismatch("the file " + FirstDifference(written, text));
    CheckHostWhole(host, run);
    CheckFileClosed(path, run);
    return run;
  }

  /// Exports a scene built from `plans`: the map, or instance `top` alone.
  TSweepRun CheckPlans(const std::vector<TInstancePlan>& plans, bool map, std::size_t top = 0) {
    THostScene scene;
    for (const TInstancePlan& plan : plans) AddInstance(scene, plan);
    std::string expected;
    if (map || HostName(plans[top].name) == "Universe") {
      for (const TInstancePlan& plan : plans) {
        expected += ExpectedActor(plan, ExpectedPolygons(plan, true));
      }
      expected = ExpectedMap(expected);
    } else {
      expected = ExpectedPolyList(ExpectedPolygons(plans[top], false));
    }
    THostApplication host;
    IKXTreeElement* element = map ? scene.Universe() : scene.InstanceAt(top).TreeElement();
    TSweepRun run = Check(host, &scene, element, ending::kExported, expected);
    CheckSceneWhole(scene, run);
    return run;
  }

  const std::string path;
};

/// An odd answer of one instance, and its effect in each layout.
struct TOddAnswer {
  std::string name;
  std::function<void(THostInstance&)> set;
  TEffect map;
  TEffect single;
};

std::vector<TOddAnswer> OddAnswers() {
  using N = THostNull;
  using E = TEffect;
  const auto null = [](N which) { return [which](THostInstance& i) { i.AnswerNull(which); }; };
  return {
      {"null-instance", null(N::Instance), E::Drop, E::Full},
      {"null-object", null(N::Object), E::Drop, E::Drop},
      {"no-tree-element", null(N::TreeElementQuery), E::Drop, E::Drop},
      {"no-instance-of-element", null(N::InstanceQuery), E::Full, E::Drop},
      {"null-mesh-holder", null(N::MeshHolder), E::Empty, E::Empty},
      {"null-material-set", null(N::MaterialSet), E::Empty, E::Empty},
      {"null-domain-map", null(N::DomainMap), E::Empty, E::Empty},
      {"null-groups", null(N::Group), E::Empty, E::Empty},
      {"null-polygons", null(N::Polygon), E::Empty, E::Empty},
      {"no-mesh-part", null(N::MeshQuery), E::Empty, E::Empty},
      {"no-group-list", null(N::GroupListQuery), E::Empty, E::Empty},
      {"null-vertices", null(N::Vertex), E::NoVertices, E::NoVertices},
      {"null-textures", null(N::Texture), E::DefaultTextures, E::DefaultTextures},
      {"excluded-kind-a", [](THostInstance& i) { i.SetExcludedKindA(); }, E::Drop, E::Drop},
      {"excluded-kind-b", [](THostInstance& i) { i.SetExcludedKindB(); }, E::Drop, E::Drop},
      {"not-a-primitive", [](THostInstance& i) { i.SetNonPrimitive(); }, E::Drop, E::Drop},
      {"no-mesh-source", [](THostInstance& i) { i.SetNoMeshSource(); }, E::Empty, E::Empty},
      {"no-mesh", [](THostInstance& i) { i.SetNoMesh(); }, E::NoMesh, E::NoMesh}};
}

TEST_F(HostAnswerSweepTest, NullAnswersAndRefusedQueries) {
  const std::vector<TInstancePlan> plans = {StandardInstance("First"), StandardInstance("Odd"),
                                            StandardInstance("Last")};
  const auto run = [&](const TLaidOut<TOddAnswer>& point) {
    THostScene scene;
    for (const TInstancePlan& plan : plans) AddInstance(scene, plan);
    point.value.set(scene.InstanceAt(1));
    const TEffect effect = point.map ? point.value.map : point.value.single;
    const std::string text = point.map ? MapWith(plans, 1, effect) : SingleWith(plans[1], effect);
    const std::string ending = effect == TEffect::NoMesh ? ending::kNoMesh : ending::kExported;
    IKXTreeElement* top = point.map ? scene.Universe() : scene.InstanceAt(1).TreeElement();
    THostApplication host;
    TSweepRun result = Check(host, &scene, top, ending, text);
    CheckSceneWhole(scene, result);
    return result;
  };
  Sweep("host-answer/null-answers", BothLayouts(OddAnswers()), run,
        [](const TLaidOut<TOddAnswer>& point) {
          return point.value.name + (point.map ? " (map)" : " (single object)");
        });
}

/// One count answering oddly.
struct TOddCountCase {
  TCountedCall call;
  TOddCount odd;
};

std::string Describe(const TOddCountCase& c) {
  static const char* const kCalls[] = {"instance", "group", "polygon", "vertex"};
  static const char* const kAnswers[] = {"real", "zero", "-1", "lowest", "2 beyond"};
  return std::string(kCalls[static_cast<int>(c.call)]) + " count " +
         kAnswers[static_cast<int>(c.odd)];
}

// The description of what the exporter sees when a count answers `odd`: a count of 0 or less
// leaves the level empty; indices beyond the end give null objects, which are passed over.
TInstancePlan Seen(TInstancePlan plan, const TOddCountCase& c) {
  if (OddAnswer(c.odd, 1) > 0) return plan;
  for (auto& group : plan.groups) {
    for (auto& polygon : group) {
      if (c.call == TCountedCall::Vertices) polygon.points.clear();
    }
    if (c.call == TCountedCall::Polygons) group.clear();
  }
  if (c.call == TCountedCall::Groups) plan.groups.clear();
  return plan;
}

TEST_F(HostAnswerSweepTest, CountsOfZeroBelowZeroAndBeyondTheEnd) {
  std::vector<TLaidOut<TOddCountCase>> points;
  for (TCountedCall call : {TCountedCall::Groups, TCountedCall::Polygons, TCountedCall::Vertices}) {
    for (TOddCount odd :
         {TOddCount::Zero, TOddCount::MinusOne, TOddCount::Lowest, TOddCount::TwoMore}) {
      for (bool map : {true, false}) points.push_back({{call, odd}, map});
    }
  }
  // The instance count is unsigned: below zero it would be some four billion instances.
  for (TOddCount odd : {TOddCount::Zero, TOddCount::TwoMore}) {
    points.push_back({{TCountedCall::Instances, odd}, true});
  }
  const std::vector<TInstancePlan> plans = {StandardInstance("First"), StandardInstance("Second")};
  const auto run = [&](const TLaidOut<TOddCountCase>& point) {
    THostScene inner;
    TOddScene scene(point.value.call, point.value.odd);
    for (const TInstancePlan& plan : plans) scene.Add(AddInstance(inner, plan), plan);
    std::string text;
    const bool noInstances = point.value.call == TCountedCall::Instances &&
                             point.value.odd == TOddCount::Zero;
    for (const TInstancePlan& plan : plans) {
      if (noInstances) break;
      const TInstancePlan seen = Seen(plan, point.value);
      text += ExpectedActor(seen, ExpectedPolygons(seen, true));
    }
    text = point.map ? ExpectedMap(text)
                     : ExpectedPolyList(ExpectedPolygons(Seen(plans[0], point.value), false));
    THostApplication host;
    IKXTreeElement* top = point.map ? inner.Universe() : scene.TreeElementAt(0);
    TSweepRun result = Check(host, &scene, top, ending::kExported, text);
    const float total = point.value.call == TCountedCall::Instances
                            ? static_cast<float>(OddAnswer(point.value.odd, 2))
                            : 2.0f;
    const auto& progress = host.Utilities().ProgressEvents();
    if (progress.empty() || progress.front().value != total) {
      result.Mismatch("the progress display did not open with the instance count");
    }
    CheckSceneWhole(inner, result);
    if (scene.OutstandingReferences() != 0 || scene.Underflows() != 0) {
      result.Leak("references on the odd scene's objects");
    }
    return result;
  };
  Sweep("host-answer/odd-counts", points, run, [](const TLaidOut<TOddCountCase>& point) {
    return Describe(point.value) + (point.map ? " (map)" : " (single object)");
  });
}

// `length` bytes counting up from `first` through 1 to 255 and round again: no NUL.
std::string ByteRun(int first, std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    text += static_cast<char>((first - 1 + int(i)) % 255 + 1);
  }
  return text;
}

TEST_F(HostAnswerSweepTest, NamesOfEveryLengthAndByte) {
  // Each length starts at enough places for every byte value to appear among its names.
  std::vector<std::string> names = {""};
  for (std::size_t length : {15, 16}) {
    for (std::size_t first = 1; first <= 255; first += length) {
      names.push_back(ByteRun(int(first), length));
    }
  }
  names.push_back(ByteRun(1, 1023));
  names.push_back(ByteRun(7, 5000));
  const auto run = [&](const TLaidOut<std::string>& point) {
    TInstancePlan plan = StandardInstance(point.value);
    plan.defaultName = point.value;
    plan.textures[2] = point.value + "!";
    return CheckPlans({plan, StandardInstance("Other")}, point.map);
  };
  Sweep("host-answer/names", BothLayouts(names), run, [](const TLaidOut<std::string>& point) {
    return "a name of " + std::to_string(point.value.size()) + " bytes from " +
           std::to_string(point.value.empty() ? 0 : std::uint8_t(point.value[0])) +
           (point.map ? " (map)" : " (single object)");
  });
}

TEST_F(HostAnswerSweepTest, TopElementsNamedAlmostUniverse) {
  const std::vector<std::string> names = {"Universe",  "universe", "Universe ", "Univers",
                                          "UniverseX", "",         " Universe"};
  const auto run = [&](const std::string& name) {
    return CheckPlans({StandardInstance(name), StandardInstance("Other")}, false);
  };
  Sweep("host-answer/top-names", names, run,
        [](const std::string& name) { return "a top element named \"" + name + "\""; });
}

/// Where an odd value goes: the polygon's points, normal and the reference point; the scale; or
/// the translation.
struct TCoordinateCase {
  float value;
  int place;  // 0 points, 1 scale, 2 translation
};

TEST_F(HostAnswerSweepTest, CoordinatesThatAreNotOrdinaryNumbers) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const float values[] = {std::numeric_limits<float>::quiet_NaN(), kInf, -kInf, 1e30f, -1e30f,
                          -0.0f, 0.49999997f, -0.5f, 2.5f, 2147483520.0f, -2147483648.0f,
                          2147483648.0f, 3e9f, 1e-30f};
  std::vector<TCoordinateCase> cases;
  for (int place = 0; place < 3; ++place) {
    for (float value : values) cases.push_back({value, place});
  }
  const auto run = [&](const TLaidOut<TCoordinateCase>& point) {
    const float v = point.value.value;
    TInstancePlan plan = StandardInstance("Odd");
    if (point.value.place == 0) {
      plan.groups = {{{{{v, 1, 2}, {3, v, 4}, {5, 6, v}}, {v, v, -v}, 0}}};
      plan.reference = {v, -v, v};
    } else if (point.value.place == 1) {
      plan.transform.scale = v;
    } else {
      plan.transform.translation = {v, -v, v};
    }
    return CheckPlans({plan}, point.map);
  };
  Sweep("host-answer/coordinates", BothLayouts(cases), run,
        [](const TLaidOut<TCoordinateCase>& point) {
          static const char* const kPlaces[] = {"points", "scale", "translation"};
          return std::to_string(point.value.value) + " in the " + kPlaces[point.value.place] +
                 (point.map ? " (map)" : " (single object)");
        });
}

TEST_F(HostAnswerSweepTest, PolygonsOfZeroToAThousandVertices) {
  const std::vector<std::size_t> sizes = {0,   1,   2,   3,   4,   5,   7,   8,   9,   15,
                                          16,  17,  31,  32,  33,  63,  64,  65,  127, 128,
                                          129, 255, 256, 257, 511, 512, 513, 999, 1000};
  const auto run = [&](const TLaidOut<std::size_t>& point) {
    TPolygonPlan polygon;
    for (std::size_t i = 0; i < point.value; ++i) {
      polygon.points.push_back({float(i), float(i * 7 % 13), -float(i) / 2});
    }
    TInstancePlan plan = StandardInstance("Many");
    plan.groups = {{polygon, polygon}};
    return CheckPlans({plan}, point.map);
  };
  Sweep("host-answer/polygon-sizes", BothLayouts(sizes), run,
        [](const TLaidOut<std::size_t>& point) {
          return std::to_string(point.value) + " vertices" + (point.map ? " (map)" : " (single)");
        });
}

/// Shading domains at the ends of their range, and materials that keep a texture no polygon set.
TEST_F(HostAnswerSweepTest, ShadingDomainsAtTheEndsAndTexturesNeverSet) {
  const auto polygon = [](std::int16_t domain) {
    return TPolygonPlan{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 0, 1}, domain};
  };
  TInstancePlan extremes = StandardInstance("Extremes");
  extremes.textures = {{-32768, "Lowest"}, {-1, "MinusOne"}, {32767, "Highest"}};
  extremes.groups = {{polygon(-32768), polygon(-1), polygon(32767), polygon(0), polygon(1)}};
  TInstancePlan keepsFirst = StandardInstance("KeepsFirst");
  keepsFirst.keepsPrevious = {5};
  keepsFirst.textures = {{5, "NeverUsed"}};
  keepsFirst.groups = {{polygon(5), polygon(0), polygon(5)}};
  const auto run = [&](const TLaidOut<TInstancePlan>& point) {
    return CheckPlans({point.value}, point.map);
  };
  Sweep("host-answer/domains", BothLayouts(std::vector<TInstancePlan>{extremes, keepsFirst}), run,
        [](const TLaidOut<TInstancePlan>& point) {
          return point.value.name + (point.map ? " (map)" : " (single object)");
        });
}

}  // namespace
