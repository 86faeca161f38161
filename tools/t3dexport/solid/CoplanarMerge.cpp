#include "CoplanarMerge.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <utility>
#include <vector>

#include "EdgeTable.h"
#include "GridGeometry.h"
#include "PolygonRepair.h"

namespace {

// Neighbours whose normals differ more than this are not tried.
constexpr double kLeastNormalAgreement = 0.98;
constexpr double kPi = 3.14159265358979323846;

GridPoint OnGrid(const Vector3d& p) {
  return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), static_cast<std::int32_t>(p.z)};
}

struct Candidate {
  float quality;  // the smallest turn of the merged polygon, in radians
  std::uint32_t p, q;
  std::uint32_t corner;  // of a polygon given: the edge p runs, and q runs the other way

  bool operator<(const Candidate& other) const { return quality < other.quality; }
};

// A polygon's ring where it is kept: the mesh's, or the merger's own for merged polygons.
struct Ring {
  const std::uint32_t* points;
  std::ptrdiff_t size;

  std::uint32_t operator()(std::ptrdiff_t i) const { return points[((i % size) + size) % size]; }
  std::ptrdiff_t Find(std::uint32_t point) const {
    return std::find(points, points + size, point) - points;
  }
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

  MergeResult Run(const WorkProgress& progress);
  BrushMesh Result() const;

 private:
  std::uint32_t Root(std::uint32_t p);
  Ring RingOf(std::uint32_t p) const;
  /// Queues the merge of `p` with the polygon across the edge of `corner` (of a polygon given),
  /// which `p` runs, if it may be one.
  void TryEdge(std::uint32_t p, std::uint32_t corner);
  /// The ring of p and q with the chain of edges they share taken out, into merged_; false
  /// when that is no polygon the readers take.
  bool Union(std::uint32_t p, std::uint32_t q, std::uint32_t a, std::uint32_t b, float& quality);
  bool Acceptable(float& quality);
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
  MergeResult result_;
  // Scratch, kept from one union to the next.
  std::vector<std::uint32_t> merged_, sorted_;
  std::vector<GridPoint> points_;
  std::vector<Point2> flat_;
};

std::uint32_t Merger::Root(std::uint32_t p) {
  std::uint32_t root = p;
  while (parent_[root] != root) root = parent_[root];
  while (parent_[p] != root) p = std::exchange(parent_[p], root);
  return root;
}

Ring Merger::RingOf(std::uint32_t p) const {
  if (p < original_) return {mesh_.Ring(p), static_cast<std::ptrdiff_t>(mesh_.Size(p))};
  const std::uint32_t m = p - original_;
  return {mergedCorners_.data() + mergedStarts_[m],
          static_cast<std::ptrdiff_t>(mergedStarts_[m + 1] - mergedStarts_[m])};
}

bool Merger::Union(std::uint32_t p, std::uint32_t q, std::uint32_t a, std::uint32_t b, float& quality) {
  const Ring P = RingOf(p), Q = RingOf(q);
  std::ptrdiff_t s = P.Find(a), qs = Q.Find(a);
  if (s == P.size || qs == Q.size || P(s + 1) != b || Q(qs - 1) != b) return false;
  std::ptrdiff_t e = s + 1, qe = qs - 1, shared = 1;
  // P runs the chain forward from P(s) to P(e), Q runs it backward from Q(qs) to Q(qe).
  const std::ptrdiff_t longest = std::min(P.size, Q.size) - 2;
  while (shared < longest && P(s - 1) == Q(qs + 1)) --s, ++qs, ++shared;
  while (shared < longest && P(e + 1) == Q(qe - 1)) ++e, --qe, ++shared;
  merged_.clear();
  for (std::ptrdiff_t i = e; i != s + P.size; ++i) merged_.push_back(P(i));
  merged_.push_back(P(s));
  for (std::ptrdiff_t i = qs + 1; i < qe + Q.size; ++i) merged_.push_back(Q(i));
  return Acceptable(quality);
}

bool Merger::Acceptable(float& quality) {
  const std::size_t n = merged_.size();
  if (n > most_ || n < 3) return false;
  sorted_.assign(merged_.begin(), merged_.end());
  std::sort(sorted_.begin(), sorted_.end());
  if (std::adjacent_find(sorted_.begin(), sorted_.end()) != sorted_.end()) return false;
  points_.clear();
  for (const std::uint32_t i : merged_) points_.push_back(OnGrid(mesh_.points[i]));
  const Vector3d normal = NewellNormal(points_.data(), n);
  if (normal.x == 0 && normal.y == 0 && normal.z == 0) return false;
  if (Thickness(points_.data(), n, Normalised(normal)) > flatness_) return false;
  const PlaneProjection project(normal);
  flat_.clear();
  for (const GridPoint& g : points_) flat_.push_back(project(g));
  if (!IsConvex(flat_.data(), n) ||
      !ConvexInItsPlane(points_.data(), n, Normalised(normal), BrushRepair::kStraightness)) {
    result_.concaveLeft = true;
    return false;
  }
  double smallest = kPi;
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3d in = mesh_.points[merged_[i]] - mesh_.points[merged_[(i + n - 1) % n]];
    const Vector3d out = mesh_.points[merged_[(i + 1) % n]] - mesh_.points[merged_[i]];
    const Vector3d c = Cross(in, out);
    smallest = std::min(smallest, std::atan2(std::sqrt(Dot(c, c)), Dot(in, out)));
  }
  quality = static_cast<float>(smallest);
  return true;
}

void Merger::TryEdge(std::uint32_t p, std::uint32_t corner) {
  if (corner == EdgeTable::kNone) return;
  const std::uint32_t a = edges_.From(corner), b = edges_.To(corner);
  const EdgeTable::Edge edge = edges_.Between(a, b);
  if (!edge.Paired()) return;
  const std::uint32_t across = edges_.PolygonOf(edge.back);
  const std::uint32_t q = Root(across);
  if (q == p) return;
  const std::uint32_t rp = representative_[p], rq = representative_[q];
  if (mesh_.materials[rp] != mesh_.materials[rq] || (mayMerge_ && !mayMerge_(rp, rq))) return;
  if (p < original_ && q < original_ &&
      Dot(Normalised(NewellNormal(mesh_, p)), Normalised(NewellNormal(mesh_, q))) < kLeastNormalAgreement) {
    return;
  }
  float quality = 0;
  if (Union(p, q, a, b, quality)) queue_.push({quality, p, q, corner});
}

void Merger::Merge(const Candidate& c) {
  float quality = 0;
  if (!Union(c.p, c.q, edges_.From(c.corner), edges_.To(c.corner), quality)) return;
  const auto r = static_cast<std::uint32_t>(parent_.size());
  parent_.push_back(r);
  parent_[c.p] = parent_[c.q] = r;
  representative_.push_back(representative_[c.p]);
  mergedCorners_.insert(mergedCorners_.end(), merged_.begin(), merged_.end());
  mergedStarts_.push_back(static_cast<std::uint32_t>(mergedCorners_.size()));
  ++result_.merged;
  // Every edge of the merged polygon is an edge of a polygon given.
  const Ring ring = RingOf(r);
  for (std::ptrdiff_t i = 0; i < ring.size; ++i) TryEdge(r, edges_.Find(ring(i), ring(i + 1)));
}

// Progress: the first pass over the polygons is the first share, and the candidates taken from
// the queue, of all queued so far, the rest.
MergeResult Merger::Run(const WorkProgress& progress) {
  constexpr double kFirstPass = 0.3;
  constexpr std::uint32_t kEvery = 1u << 14;
  for (std::uint32_t p = 0; p < original_; ++p) {
    if (progress && p % kEvery == 0) progress(kFirstPass * p / original_);
    for (std::uint32_t c = mesh_.starts[p]; c < mesh_.starts[p + 1]; ++c) {
      if (edges_.From(c) < edges_.To(c)) TryEdge(p, c);
    }
  }
  double shown = kFirstPass;
  for (std::uint64_t taken = 0; !queue_.empty(); ++taken) {
    if (progress && taken % kEvery == 0) {
      const auto done = static_cast<double>(taken), left = static_cast<double>(queue_.size());
      shown = std::max(shown, kFirstPass + (1 - kFirstPass) * done / (done + left));
      progress(shown);
    }
    const Candidate c = queue_.top();
    queue_.pop();
    // Polygons only ever disappear into merged ones: a pair still there is as it was queued.
    if (Root(c.p) == c.p && Root(c.q) == c.q) Merge(c);
  }
  return result_;
}

// Every polygon left, where the first polygon given of it stood.
BrushMesh Merger::Result() const {
  BrushMesh result = mesh_.EmptyCopy();
  std::size_t polygons = 0, corners = 0;
  for (std::uint32_t p = 0; p < parent_.size(); ++p) {
    if (parent_[p] != p) continue;
    ++polygons;
    corners += static_cast<std::size_t>(RingOf(p).size);
  }
  result.Reserve(polygons, corners);
  std::vector<char> written(parent_.size(), 0);
  for (std::uint32_t p = 0; p < original_; ++p) {
    std::uint32_t root = p;
    while (parent_[root] != root) root = parent_[root];
    if (written[root]) continue;
    written[root] = 1;
    const Ring ring = RingOf(root);
    result.AddLike(ring.points, static_cast<std::size_t>(ring.size), mesh_, representative_[root], root == p);
  }
  return result;
}

}  // namespace

MergeResult MergeCoplanar(BrushMesh& mesh, std::size_t most, double flatness,
                          const MergeFilter& mayMerge, const WorkProgress& progress) {
  Merger merger(mesh, most, flatness, mayMerge);
  const MergeResult result = merger.Run(progress);
  if (result.merged > 0) mesh = merger.Result();
  return result;
}
