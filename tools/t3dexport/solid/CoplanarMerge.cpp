#include "CoplanarMerge.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <utility>
#include <vector>

#include "EdgeTable.h"
#include "GridGeometry.h"

namespace {

// Neighbours whose normals differ more than this are not tried.
constexpr double kLeastNormalAgreement = 0.98;
constexpr double kPi = 3.14159265358979323846;

GridPoint OnGrid(const Vec3& p) {
  return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z)};
}

struct Candidate {
  float quality;  // the smallest turn of the merged polygon, in radians
  std::uint32_t p, q;
  std::uint32_t a, b;  // an edge p runs from a to b and q from b to a

  bool operator<(const Candidate& other) const { return quality < other.quality; }
};

class Merger {
 public:
  Merger(const BrushMesh& mesh, std::size_t most, double flatness, const MergeFilter& mayMerge)
      : mesh_(mesh), edges_(mesh), most_(most), flatness_(flatness), mayMerge_(mayMerge),
        original_(static_cast<std::uint32_t>(mesh.PolygonCount())) {
    parent_.resize(original_);
    for (std::uint32_t p = 0; p < original_; ++p) parent_[p] = p;
    representative_ = parent_;
  }

  std::uint64_t Run();
  BrushMesh Result() const;

 private:
  std::uint32_t Root(std::uint32_t p);
  std::vector<std::uint32_t> RingOf(std::uint32_t p) const;
  void TryEdge(std::uint32_t p, std::uint32_t a, std::uint32_t b);
  bool Union(std::uint32_t p, std::uint32_t q, std::uint32_t a, std::uint32_t b,
             std::vector<std::uint32_t>& merged, float& quality) const;
  bool Acceptable(const std::vector<std::uint32_t>& ring, float& quality) const;
  void Merge(const Candidate& c);

  const BrushMesh& mesh_;
  const EdgeTable edges_;
  std::size_t most_;
  double flatness_;
  const MergeFilter& mayMerge_;
  std::uint32_t original_;
  std::vector<std::uint32_t> parent_;          // polygons given, then merged ones
  std::vector<std::uint32_t> representative_;  // a polygon given that each one stands for
  std::vector<std::uint32_t> mergedCorners_;   // rings of merged polygons, one after another
  std::vector<std::uint32_t> mergedStarts_{0};
  std::priority_queue<Candidate> queue_;
  std::uint64_t merges_ = 0;
};

std::uint32_t Merger::Root(std::uint32_t p) {
  std::uint32_t root = p;
  while (parent_[root] != root) root = parent_[root];
  while (parent_[p] != root) p = std::exchange(parent_[p], root);
  return root;
}

std::vector<std::uint32_t> Merger::RingOf(std::uint32_t p) const {
  if (p < original_) return {mesh_.Ring(p), mesh_.Ring(p) + mesh_.Size(p)};
  const std::uint32_t m = p - original_;
  return {mergedCorners_.begin() + mergedStarts_[m], mergedCorners_.begin() + mergedStarts_[m + 1]};
}

// The ring of p and q with the chain of edges they share taken out.
bool Merger::Union(std::uint32_t p, std::uint32_t q, std::uint32_t a, std::uint32_t b,
                   std::vector<std::uint32_t>& merged, float& quality) const {
  const std::vector<std::uint32_t> rp = RingOf(p), rq = RingOf(q);
  const auto np = static_cast<std::ptrdiff_t>(rp.size()), nq = static_cast<std::ptrdiff_t>(rq.size());
  const auto P = [&](std::ptrdiff_t i) { return rp[static_cast<std::size_t>(((i % np) + np) % np)]; };
  const auto Q = [&](std::ptrdiff_t i) { return rq[static_cast<std::size_t>(((i % nq) + nq) % nq)]; };
  std::ptrdiff_t s = std::find(rp.begin(), rp.end(), a) - rp.begin();
  std::ptrdiff_t qs = std::find(rq.begin(), rq.end(), a) - rq.begin();
  if (s == np || qs == nq || P(s + 1) != b || Q(qs - 1) != b) return false;
  std::ptrdiff_t e = s + 1, qe = qs - 1, shared = 1;
  // P runs the chain forward from P(s) to P(e), Q runs it backward from Q(qs) to Q(qe).
  while (shared + 2 < std::min(np, nq) && P(s - 1) == Q(qs + 1)) --s, ++qs, ++shared;
  while (shared + 2 < std::min(np, nq) && P(e + 1) == Q(qe - 1)) ++e, --qe, ++shared;
  merged.clear();
  for (std::ptrdiff_t i = e; i != s + np; ++i) merged.push_back(P(i));
  merged.push_back(P(s));
  for (std::ptrdiff_t i = qs + 1; i < qe + nq; ++i) merged.push_back(Q(i));
  return Acceptable(merged, quality);
}

bool Merger::Acceptable(const std::vector<std::uint32_t>& ring, float& quality) const {
  if (ring.size() > most_ || ring.size() < 3) return false;
  std::vector<std::uint32_t> sorted(ring);
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return false;
  std::vector<GridPoint> points;
  for (const std::uint32_t i : ring) points.push_back(OnGrid(mesh_.points[i]));
  const Vector3d normal = NewellNormal(points.data(), points.size());
  if (normal.x == 0 && normal.y == 0 && normal.z == 0) return false;
  if (Thickness(points.data(), points.size(), Normalised(normal)) > flatness_) return false;
  const PlaneProjection project(normal);
  std::vector<Point2> flat;
  for (const GridPoint& g : points) flat.push_back(project(g));
  if (!IsConvex(flat.data(), flat.size())) return false;
  double smallest = kPi;
  const std::size_t n = ring.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec3 in = mesh_.points[ring[i]] - mesh_.points[ring[(i + n - 1) % n]];
    const Vec3 out = mesh_.points[ring[(i + 1) % n]] - mesh_.points[ring[i]];
    const Vec3 c = Cross(in, out);
    smallest = std::min(smallest, std::atan2(std::sqrt(Dot(c, c)), Dot(in, out)));
  }
  quality = static_cast<float>(smallest);
  return true;
}

// Queues the merge of `p` with the polygon across its edge from `a` to `b`, if it may be one.
void Merger::TryEdge(std::uint32_t p, std::uint32_t a, std::uint32_t b) {
  if (edges_.Count(a, b) != 1 || edges_.Count(b, a) != 1) return;
  const std::uint32_t q = Root(edges_.PolygonOf(edges_.Find(b, a)));
  if (q == p) return;
  const std::uint32_t rp = representative_[p], rq = representative_[q];
  if (mesh_.materials[rp] != mesh_.materials[rq] || (mayMerge_ && !mayMerge_(rp, rq))) return;
  if (p < original_ && q < original_ &&
      Dot(Unit(NewellNormal(mesh_, p)), Unit(NewellNormal(mesh_, q))) < kLeastNormalAgreement) {
    return;
  }
  std::vector<std::uint32_t> merged;
  float quality = 0;
  if (Union(p, q, a, b, merged, quality)) queue_.push({quality, p, q, a, b});
}

void Merger::Merge(const Candidate& c) {
  std::vector<std::uint32_t> merged;
  float quality = 0;
  if (!Union(c.p, c.q, c.a, c.b, merged, quality)) return;
  const auto r = static_cast<std::uint32_t>(parent_.size());
  parent_.push_back(r);
  parent_[c.p] = parent_[c.q] = r;
  representative_.push_back(representative_[c.p]);
  mergedCorners_.insert(mergedCorners_.end(), merged.begin(), merged.end());
  mergedStarts_.push_back(static_cast<std::uint32_t>(mergedCorners_.size()));
  ++merges_;
  for (std::size_t i = 0; i < merged.size(); ++i) TryEdge(r, merged[i], merged[(i + 1) % merged.size()]);
}

std::uint64_t Merger::Run() {
  for (std::uint32_t p = 0; p < original_; ++p) {
    for (std::uint32_t c = mesh_.starts[p]; c < mesh_.starts[p + 1]; ++c) {
      const std::uint32_t a = edges_.From(c), b = edges_.To(c);
      if (a < b) TryEdge(p, a, b);
    }
  }
  while (!queue_.empty()) {
    const Candidate c = queue_.top();
    queue_.pop();
    // Polygons only ever disappear into merged ones: a pair still there is as it was queued.
    if (Root(c.p) == c.p && Root(c.q) == c.q) Merge(c);
  }
  return merges_;
}

// Every polygon left, where the first polygon given of it stood.
BrushMesh Merger::Result() const {
  BrushMesh result = mesh_.EmptyCopy();
  std::vector<char> written(parent_.size(), 0);
  for (std::uint32_t p = 0; p < original_; ++p) {
    std::uint32_t root = p;
    while (parent_[root] != root) root = parent_[root];
    if (written[root]) continue;
    written[root] = 1;
    const std::vector<std::uint32_t> ring = RingOf(root);
    result.Add(ring.data(), ring.size(), mesh_.materials[p], root == p ? mesh_.tags[p] : kNoTag);
  }
  return result;
}

}  // namespace

std::uint64_t MergeCoplanar(BrushMesh& mesh, std::size_t most, double flatness,
                            const MergeFilter& mayMerge) {
  Merger merger(mesh, most, flatness, mayMerge);
  const std::uint64_t merged = merger.Run();
  if (merged > 0) mesh = merger.Result();
  return merged;
}
