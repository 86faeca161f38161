#include "ScenePly.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

#include "T3d/T3DGeometry.h"

namespace {

template <class T>
void Put(std::ofstream& out, T value) {
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

void WriteScenePly(const std::vector<TArrayInstance>& instances, const std::string& path) {
  std::uint64_t vertices = 0;
  std::uint64_t faces = 0;
  for (const TArrayInstance& instance : instances) {
    for (const TArrayGroup& group : instance.groups) {
      vertices += group.points.size();
      faces += group.Count();
    }
  }
  std::ofstream out(path, std::ios::binary);
  out << "ply\nformat binary_little_endian 1.0\n"
      << "element vertex " << vertices << "\nproperty float x\nproperty float y\nproperty float z\n"
      << "element face " << faces << "\nproperty list uchar int vertex_indices\nend_header\n";
  for (const TArrayInstance& instance : instances) {
    for (const TArrayGroup& group : instance.groups) {
      for (const TKXVector3& point : group.points) {
        TKXVector3 world{0, 0, 0};
        TransformPoint(instance.transform, point, world);
        Put(out, world.x);
        Put(out, world.y);
        Put(out, world.z);
      }
    }
  }
  std::int32_t first = 0;
  for (const TArrayInstance& instance : instances) {
    for (const TArrayGroup& group : instance.groups) {
      for (std::size_t j = 0; j < group.Count(); ++j) {
        const auto corners = static_cast<std::int32_t>(group.starts[j + 1] - group.starts[j]);
        Put(out, static_cast<std::uint8_t>(corners));
        for (std::int32_t c = 0; c < corners; ++c) Put(out, first + c);
        first += corners;
      }
    }
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}
