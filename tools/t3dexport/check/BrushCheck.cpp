#include "BrushCheck.h"

#include <string>

#include "BrushJudge.h"
#include "MapReport.h"
#include "MapText.h"
#include "PointWelder.h"

namespace {

// The builder brush is the map's first brush when it takes no part in the CSG.
bool IsBuilderBrush(const MapActor& actor) {
  return actor.csgOper.empty() || SameMapWord(actor.csgOper, "CSG_Active");
}

BrushMesh MeshOf(const MapActor& actor) {
  PointWelder welder(BrushCheck::kSamePoint);
  BrushMesh mesh;
  std::vector<std::uint32_t> ring;
  for (const MapBrushPolygon& polygon : actor.polygons) {
    ring.clear();
    for (std::uint32_t k = 0; k < polygon.count; ++k) {
      const MapVector& v = actor.vertices[polygon.first + k];
      ring.push_back(welder.Weld({v.x, v.y, v.z}));
    }
    mesh.Add(ring.data(), ring.size(), 0, polygon.line);
  }
  mesh.points = std::move(welder.Points());
  return mesh;
}

std::string Quoted(const MapActor& actor) { return "brush '" + actor.name + "'"; }

}  // namespace

BrushVerdict BrushCheck::Take(const MapActor& actor) {
  BrushVerdict verdict;
  verdict.brush = actor.IsBrush();
  if (!verdict.brush) return verdict;
  if (!builderSeen_) {
    builderSeen_ = true;
    verdict.builder = IsBuilderBrush(actor);
    if (verdict.builder) return verdict;
  }
  ++counts_.brushes;
  if (actor.IsSolid()) JudgeSolid(actor, verdict);
  return verdict;
}

void BrushCheck::JudgeSolid(const MapActor& actor, BrushVerdict& verdict) {
  verdict.solid = true;
  ++counts_.solid;
  const BrushMesh mesh = MeshOf(actor);
  const EdgeTable edges(mesh);
  const EdgeFaults faults = FindEdgeFaults(mesh, edges);
  const auto lineOf = [&](std::uint32_t polygon) { return mesh.tags[polygon]; };
  if (faults.unpartnered > 0) {
    report_.AddAt(actor.line, Severity::kWarning,
                  Quoted(actor) + " is open: " + std::to_string(faults.unpartnered) +
                      " edges without a partner; a rebuild may leak there");
  }
  if (faults.overshared > 0) {
    report_.AddAt(lineOf(faults.firstOvershared), Severity::kWarning,
                  Quoted(actor) + ": " + std::to_string(faults.overshared) +
                      " edges are shared by more than two polygons, this one's among them");
  }
  if (faults.opposed > 0) {
    report_.AddAt(lineOf(faults.firstOpposed), Severity::kWarning,
                  Quoted(actor) + ": " + std::to_string(faults.opposed) +
                      " edges between neighbours wound against each other, this one's among them");
  }
  if (faults.Closed()) {
    verdict.closed = true;
    ++counts_.closed;
    verdict.insideOut = SignedVolume(mesh) < 0;
    if (verdict.insideOut) {
      report_.AddAt(actor.line, Severity::kWarning,
                    Quoted(actor) + " is wound inside out: its polygons face inward");
    }
  }
  if (IsConvexWithin(mesh, edges, kConvexTolerance)) {
    verdict.convex = true;
    ++counts_.convex;
  } else {
    report_.AddAt(actor.line, Severity::kNote, Quoted(actor) + " is concave");
  }
}
