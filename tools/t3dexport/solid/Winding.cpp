#include "Winding.h"

#include <algorithm>
#include <vector>

#include "EdgeTable.h"

namespace {

constexpr std::uint32_t kUnseen = 0xFFFFFFFFu;

// The polygon across the edge of `corner` when exactly two polygons share that edge, else kNone;
// `same` tells whether the other runs the edge the same way (so one of them is wound wrongly).
std::uint32_t Neighbour(const EdgeTable& edges, std::uint32_t corner, bool& same) {
  const std::uint32_t a = edges.From(corner), b = edges.To(corner);
  if (a == b) return EdgeTable::kNone;
  const EdgeTable::Edge edge = edges.Between(a, b);
  if (edge.forward + edge.backward != 2) return EdgeTable::kNone;
  same = edge.forward == 2;
  if (same) {
    std::uint32_t count = 0;
    const std::uint32_t* leaving = edges.Leaving(a, count);
    for (std::uint32_t i = 0; i < count; ++i) {
      if (leaving[i] != corner && edges.To(leaving[i]) == b) return edges.PolygonOf(leaving[i]);
    }
    return EdgeTable::kNone;
  }
  return edges.PolygonOf(edge.back);
}

// Connected parts of the mesh, each polygon marked with whether it must turn to agree with the
// first polygon of its part.
struct Parts {
  std::vector<std::uint32_t> part;  // by polygon
  std::vector<char> turn;           // by polygon
  std::uint32_t count = 0;
};

Parts FindParts(const BrushMesh& mesh, const EdgeTable& edges) {
  Parts parts;
  parts.part.assign(mesh.PolygonCount(), kUnseen);
  parts.turn.assign(mesh.PolygonCount(), 0);
  std::vector<std::uint32_t> stack;
  for (std::uint32_t start = 0; start < mesh.PolygonCount(); ++start) {
    if (parts.part[start] != kUnseen) continue;
    parts.part[start] = parts.count;
    stack.push_back(start);
    while (!stack.empty()) {
      const std::uint32_t p = stack.back();
      stack.pop_back();
      for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1]; ++c) {
        bool same = false;
        const std::uint32_t q = Neighbour(edges, c, same);
        if (q == EdgeTable::kNone || parts.part[q] != kUnseen) continue;
        parts.part[q] = parts.count;
        parts.turn[q] = static_cast<char>(parts.turn[p] ^ (same ? 1 : 0));
        stack.push_back(q);
      }
    }
    ++parts.count;
  }
  return parts;
}

BrushMesh Turned(const BrushMesh& mesh, const std::vector<char>& turn) {
  BrushMesh result = mesh.EmptyCopy();
  std::vector<std::uint32_t> ring;
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    ring.assign(mesh.Ring(p), mesh.Ring(p) + mesh.Size(p));
    if (turn[p]) std::reverse(ring.begin(), ring.end());
    result.AddLike(ring.data(), ring.size(), mesh, p, !turn[p]);
  }
  return result;
}

// Each part turns where the fewer of its polygons are against the first.
void KeepTheMajority(Parts& parts) {
  std::vector<std::int64_t> balance(parts.count, 0);
  for (std::size_t p = 0; p < parts.part.size(); ++p) balance[parts.part[p]] += parts.turn[p] ? 1 : -1;
  for (std::size_t p = 0; p < parts.part.size(); ++p) {
    if (balance[parts.part[p]] > 0) parts.turn[p] ^= 1;
  }
}

// The parts that, with their polygons turned as marked, are closed and enclose a negative volume.
std::vector<char> InsideOutClosedParts(const BrushMesh& mesh, const EdgeTable& edges, const Parts& parts) {
  std::vector<char> closed(parts.count, 1);
  std::vector<double> volume(parts.count, 0);
  for (std::size_t p = 0; p < mesh.PolygonCount(); ++p) {
    const std::uint32_t part = parts.part[p];
    for (std::uint32_t c = mesh.starts[p]; c < mesh.starts[p + 1] && closed[part]; ++c) {
      bool same = false;
      const std::uint32_t q = Neighbour(edges, c, same);
      // Closed once turned: two polygons that run their edge opposite ways after turning.
      if (edges.From(c) != edges.To(c) && (q == EdgeTable::kNone || (parts.turn[p] ^ parts.turn[q]) != same))
        closed[part] = 0;
    }
    const Vector3d& first = mesh.At(p, 0);
    double sixfold = 0;
    for (std::uint32_t k = 1; k + 1 < mesh.Size(p); ++k) sixfold += Dot(first, Cross(mesh.At(p, k), mesh.At(p, k + 1)));
    volume[part] += parts.turn[p] ? -sixfold : sixfold;
  }
  std::vector<char> insideOut(parts.count, 0);
  for (std::uint32_t i = 0; i < parts.count; ++i) insideOut[i] = closed[i] && volume[i] < 0;
  return insideOut;
}

}  // namespace

std::uint64_t OrientOutward(BrushMesh& mesh) {
  Parts parts;
  std::vector<char> insideOut;
  {
    const EdgeTable edges(mesh);
    parts = FindParts(mesh, edges);
    KeepTheMajority(parts);
    insideOut = InsideOutClosedParts(mesh, edges, parts);
  }
  std::uint64_t turned = 0;
  for (std::size_t p = 0; p < parts.turn.size(); ++p) {
    parts.turn[p] ^= insideOut[parts.part[p]];
    turned += parts.turn[p] != 0;
  }
  if (turned > 0) mesh = Turned(mesh, parts.turn);
  return turned;
}
