// The scene path: a scene made from the input (instances, groups, polygons, vertices, names,
// textures, odd answers and transforms), exported by the exporter on a reference host that may
// refuse one allocation or fail one file operation. Whatever happens, the host must get back
// everything the export took: memory, references, progress displays and file objects.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "FuzzHost.h"
#include "KXException.h"
#include "T3d/T3DExport.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "tests/support/ServiceTableSession.h"

namespace {

constexpr int kMaxInstances = 6;
constexpr int kMaxGroups = 3;
constexpr int kMaxPolygons = 6;
constexpr int kMaxVertices = 10;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Any float, NaN and infinities included, from four bytes.
float AnyFloat(FuzzedDataProvider& input) {
  const auto bits = input.ConsumeIntegral<std::uint32_t>();
  float value;
  static_assert(sizeof value == sizeof bits);
  __builtin_memcpy(&value, &bits, sizeof value);
  return value;
}

// Small whole numbers mostly, so that polygons look like polygons; any float now and then.
float Coordinate(FuzzedDataProvider& input) {
  if (input.ConsumeIntegralInRange<int>(0, 15) == 0) return AnyFloat(input);
  return static_cast<float>(input.ConsumeIntegralInRange<int>(-1000, 1000));
}

TKXVector3 Point(FuzzedDataProvider& input) {
  const float x = Coordinate(input);
  const float y = Coordinate(input);
  return {x, y, Coordinate(input)};
}

// A name of any bytes but NUL, now and then longer than the host's strings hold.
std::string Name(FuzzedDataProvider& input) {
  const std::size_t longest = input.ConsumeBool() ? 12 : 1100;
  const auto length = input.ConsumeIntegralInRange<std::size_t>(0, longest);
  std::string name;
  for (std::size_t i = 0; i < length; ++i) {
    name += static_cast<char>(input.ConsumeIntegralInRange<int>(1, 255));
  }
  return name;
}

TKXTransform Transform(FuzzedDataProvider& input) {
  TKXTransform transform;
  if (!input.ConsumeBool()) return transform;
  for (float& entry : transform.linear) entry = Coordinate(input) / 100;
  transform.translation = Point(input);
  transform.scale = Coordinate(input) / 10;
  transform.centre = Point(input);
  transform.axisScale = Point(input);
  return transform;
}

void AddPolygons(FuzzedDataProvider& input, THostInstance& instance) {
  const int groups = input.ConsumeIntegralInRange(0, kMaxGroups);
  for (int g = 0; g < groups; ++g) {
    THostPolygonGroup& group = instance.AddGroup();
    const int polygons = input.ConsumeIntegralInRange(0, kMaxPolygons);
    for (int p = 0; p < polygons; ++p) {
      std::vector<TKXVector3> points(input.ConsumeIntegralInRange<std::size_t>(0, kMaxVertices));
      for (TKXVector3& point : points) point = Point(input);
      const TKXVector3 normal = Point(input);
      group.AddPolygon(points, normal, input.ConsumeIntegralInRange<std::int16_t>(-2, 4));
    }
  }
}

// The odd answers: switches and nulls, each rare.
void AddOddAnswers(FuzzedDataProvider& input, THostInstance& instance) {
  const auto bits = input.ConsumeIntegral<std::uint32_t>();
  const auto rare = input.ConsumeIntegral<std::uint32_t>();
  const auto on = [&](int bit) { return ((bits & rare) >> bit & 1) != 0; };
  instance.SetExcludedKindA(on(0)).SetExcludedKindB(on(1)).SetNonPrimitive(on(2));
  instance.SetNoMeshSource(on(3)).SetNoMesh(on(4));
  for (int which = 0; which < static_cast<int>(THostNull::kCount); ++which) {
    instance.AnswerNull(static_cast<THostNull>(which), on(5 + which));
  }
}

void AddInstance(FuzzedDataProvider& input, THostScene& scene) {
  THostInstance& instance = scene.AddInstance(Name(input));
  instance.SetTransform(Transform(input)).SetReferencePoint(Point(input));
  instance.SetDefaultMaterialName(Name(input));
  const int materials = input.ConsumeIntegralInRange(0, 3);
  for (int m = 0; m < materials; ++m) {
    const int domain = input.ConsumeIntegralInRange(-2, 4);
    if (input.ConsumeBool()) {
      instance.SetDomainTexture(domain, Name(input));
    } else {
      instance.SetDomainKeepsPrevious(domain);
    }
  }
  AddPolygons(input, instance);
  AddOddAnswers(input, instance);
}

// One refused allocation, or every one from some request on; one failed file operation.
void SetFaults(FuzzedDataProvider& input, THostApplication& host) {
  const auto memory = input.ConsumeIntegralInRange<std::uint32_t>(0, 8);
  if (memory > 0 && input.ConsumeBool()) {
    host.Memory().RefuseRequest(memory);
  } else if (memory > 0) {
    host.Memory().RefuseAllAfter(memory - 1);
  }
  const auto call = input.ConsumeIntegralInRange(0, static_cast<int>(THostFileCall::kCount));
  if (call < static_cast<int>(THostFileCall::kCount)) {
    host.Files().Faults().FailCall(static_cast<THostFileCall>(call),
                                   input.ConsumeIntegralInRange<std::uint32_t>(1, 6),
                                   input.ConsumeBool());
  }
}

void CheckWhole(THostApplication& host, const THostScene& scene) {
  Check(host.OutstandingReferences() == 0 && host.ServiceUnderflows() == 0);
  Check(host.Utilities().OpenDisplays() == 0);
  Check(host.Memory().LiveObjects() == 0 && host.Memory().LiveBlocks() == 0);
  Check(host.Memory().FreeErrors() == 0);
  Check(scene.OutstandingReferences() == 0 && scene.Underflows() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  THostScene scene;
  const int instances = input.ConsumeIntegralInRange(0, kMaxInstances);
  for (int i = 0; i < instances; ++i) AddInstance(input, scene);
  const int top = input.ConsumeIntegralInRange(-1, instances - 1);
  THostApplication host;
  {
    TServiceTableSession session(host.Shell());
    SetFaults(input, host);
    auto destination = host.Files().NewDestination(FuzzFilePath("scene"));
    IKXTreeElement* element =
        top < 0 ? scene.Universe() : scene.InstanceAt(std::size_t(top)).TreeElement();
    try {
      Export(destination.Get(), &scene, element);
    } catch (const TKXException& failure) {
      // Only the refused stream object and a missing mesh may stop an export.
      Check(failure.Code() == kKXErrMissingObject);
    }
  }
  CheckWhole(host, scene);
  return 0;
}
