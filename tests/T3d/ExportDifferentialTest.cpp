// The exporter's whole output for scenes full of edge values, against a writer built on snprintf,
// with the stream's buffer whole, halved and refused: the same bytes, and the host sees the same
// writes as when every piece went through the stream's Write.
#include <cfloat>
#include <cmath>
#include <limits>

#include "T3d/ExportFixture.h"
#include "support/ArrayScene.h"
#include "support/ReferenceMapWriter.h"

namespace {

constexpr std::uint32_t kBufferSize = 32512;
#ifdef __GLIBC__
constexpr bool kPrintfIsGlibc = true;
#else
constexpr bool kPrintfIsGlibc = false;
#endif
const float kInf = std::numeric_limits<float>::infinity();
const float kNan = std::numeric_limits<float>::quiet_NaN();

struct TReference {
  std::string text;
  std::vector<std::uint32_t> pieces;
  void operator()(const char* bytes, std::size_t count) {
    text.append(bytes, count);
    pieces.push_back(static_cast<std::uint32_t>(count));
  }
};

TReference ReferenceOf(const std::vector<TArrayInstance>& instances, bool map) {
  TReference reference;
  TReferenceMapWriter<TReference>(reference).Write(instances, map);
  return reference;
}

// What a buffer of `capacity` bytes hands the host: each full buffer, then the rest.
std::vector<std::uint32_t> BlockWrites(std::size_t total, std::uint32_t capacity) {
  std::vector<std::uint32_t> writes(total / capacity, capacity);
  if (total % capacity != 0) writes.push_back(static_cast<std::uint32_t>(total % capacity));
  return writes;
}

// Rounded coordinates at zero, halves, beyond five digits and beyond the int32 range; normals at
// zero, ties, tiny negatives, non-finite values and the ends of the float range.
TArrayInstance EdgeInstance(std::string name, float scale, TKXVector3 translation,
                            TKXVector3 reference) {
  TArrayInstance instance;
  instance.name = std::move(name);
  instance.transform.scale = scale;
  instance.transform.translation = translation;
  instance.referencePoint = reference;
  instance.defaultName = instance.name.empty() ? "" : "Default";
  instance.textures = {{1, "Brick"}, {2, ""}};
  instance.keepsPrevious = 3;
  TArrayGroup& edges = instance.groups.emplace_back();
  edges.Add({{0, 0, 0}, {1.5f, -0.5f, 2.5f}, {-2.5f, 0.49999997f, -0.5f}}, {0, 0, -0.0f}, 3);
  edges.Add({{123456.4f, -99999.5f, 654321}, {3e9f, -3e9f, 2147483520}},
            {0.0078125f, -0.0234375f, 1.0078125f}, 1);
  edges.Add({{-2147483648.0f, 2147483648.0f, -1e30f}}, {-1e-7f, 1e-7f, -FLT_TRUE_MIN}, 0);
  edges.Add({{kInf, -kInf, kNan}}, {kInf, kNan, -kInf}, 2);
  edges.Add({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, {FLT_MAX, -FLT_MIN, 0.70710677f}, 5);
  edges.Add({}, {1, 1, 1}, 1);
  TArrayGroup& bulk = instance.groups.emplace_back();
  for (int i = 0; i < 500; ++i) {
    const float f = static_cast<float>(i);
    bulk.Add({{f * 37.3f, -f * 11.5f, f}, {f, f * 0.25f, -f * 1001.7f}, {-f, f * 3.5f, 1}},
             {std::sin(f), std::cos(f), f / 512}, static_cast<std::int16_t>(i % 4));
  }
  return instance;
}

}  // namespace

class ExportDifferentialTest : public ExportFixture {
 protected:
  ExportDifferentialTest() {
    instances.push_back(EdgeInstance("Edges", 1, {0, 0, 0}, {0, 0, 0}));
    instances.push_back(EdgeInstance("", -1, {-0.0f, -1e-7f, 3e38f}, {0, 0, 0}));
    instances.push_back(EdgeInstance("Far", 2, {1e6f, -2e5f, 0.5f}, {-1e-7f, 3e38f, kNan}));
    for (TArrayInstance& instance : instances) instance.AddTo(scene);
  }

  // One export in each state of the stream's buffer: whole, halved, refused (unbuffered).
  void ExpectEveryBufferState(IKXTreeElement* top, const TReference& reference) {
    ASSERT_GT(reference.text.size(), 4u * kBufferSize);
    const auto exported = [&] {
      host.Files().ClearWriteLog();
      return ExportTop(top);
    };
    EXPECT_EQ(exported(), reference.text);
    EXPECT_EQ(host.Files().WriteSizes(), BlockWrites(reference.text.size(), kBufferSize));
    host.Memory().RefuseRequest(2);  // the buffer after the stream object: half is granted
    EXPECT_EQ(exported(), reference.text);
    EXPECT_EQ(host.Files().WriteSizes(), BlockWrites(reference.text.size(), kBufferSize / 2));
    host.Memory().RefuseAllAfter(1);  // no buffer of any size: each piece is a host write
    EXPECT_EQ(exported(), reference.text);
    EXPECT_EQ(host.Files().WriteSizes(), reference.pieces);
    host.Memory().ClearFaults();
  }

  std::vector<TArrayInstance> instances;
};

TEST_F(ExportDifferentialTest, MapAndPolygonListMatchTheReference) {
  if (!kPrintfIsGlibc)
    GTEST_SKIP() << "the reference is glibc's printf (others drop the sign of a NaN)";
  ExpectEveryBufferState(scene.Universe(), ReferenceOf(instances, true));
  ExpectEveryBufferState(scene.InstanceAt(2).TreeElement(), ReferenceOf({instances[2]}, false));
}
