#include "TextureMapping.h"

#include <cmath>

namespace {

Vector3d Of(const GridPoint& p) { return {double(p.x), double(p.y), double(p.z)}; }

// How far `a` is from `b` modulo `period`.
double Apart(double a, double b, double period) {
  const double d = a - b;
  return period > 0 ? std::fabs(d - period * std::round(d / period)) : std::fabs(d);
}

// The three points, first, i and j, whose triangle's texels span the largest area: the best
// conditioned to fit the mapping from.
bool WidestTexelTriangle(const Texel* texels, std::size_t count, std::size_t& i, std::size_t& j) {
  double best = 0;
  for (std::size_t a = 1; a < count; ++a) {
    for (std::size_t b = a + 1; b < count; ++b) {
      const double area = std::fabs((texels[a].s - texels[0].s) * (texels[b].t - texels[0].t) -
                                    (texels[a].t - texels[0].t) * (texels[b].s - texels[0].s));
      if (area > best) {
        best = area;
        i = a;
        j = b;
      }
    }
  }
  return best > 1e-9;
}

}  // namespace

Texel TextureMapping::At(const GridPoint& p) const {
  const Vector3d d = Of(p) - origin;
  return {Dot(d, u), Dot(d, v)};
}

bool SameTexel(const Texel& a, const Texel& b, const TexelSize& size) {
  return Apart(a.s, b.s, size.width) <= kTexelTolerance && Apart(a.t, b.t, size.height) <= kTexelTolerance;
}

bool FitMapping(const GridPoint* points, const Texel* texels, std::size_t count,
                const TexelSize& size, TextureMapping& mapping) {
  std::size_t i = 0, j = 0;
  if (count < 3 || !WidestTexelTriangle(texels, count, i, j)) return false;
  // In the plane of the three points: the vectors dual to its edges, so that a point of the
  // plane a e1 + b e2 from the first has the texel texel0 + a (texel_i - texel0) + b (...).
  const Vector3d e1 = Of(points[i]) - Of(points[0]), e2 = Of(points[j]) - Of(points[0]);
  const Vector3d n = Cross(e1, e2);
  const double nn = Dot(n, n);
  if (nn == 0) return false;
  const Vector3d d1 = (1 / nn) * Cross(e2, n), d2 = (1 / nn) * Cross(n, e1);
  const double ds1 = texels[i].s - texels[0].s, ds2 = texels[j].s - texels[0].s;
  const double dt1 = texels[i].t - texels[0].t, dt2 = texels[j].t - texels[0].t;
  mapping.u = ds1 * d1 + ds2 * d2;
  mapping.v = dt1 * d1 + dt2 * d2;
  // The Origin: from the first point back by its texel, less whole textures, so it stays near.
  const double s0 = size.width > 0 ? texels[0].s - size.width * std::floor(texels[0].s / size.width) : texels[0].s;
  const double t0 = size.height > 0 ? texels[0].t - size.height * std::floor(texels[0].t / size.height) : texels[0].t;
  // Solve (P0 - O) = a e1 + b e2 with (P0 - O).u = s0, (P0 - O).v = t0.
  const double uu1 = Dot(e1, mapping.u), uu2 = Dot(e2, mapping.u), vv1 = Dot(e1, mapping.v), vv2 = Dot(e2, mapping.v);
  const double det = uu1 * vv2 - uu2 * vv1;
  if (det == 0) return false;
  const double a = (s0 * vv2 - uu2 * t0) / det, b = (uu1 * t0 - s0 * vv1) / det;
  mapping.origin = Of(points[0]) - (a * e1 + b * e2);
  for (std::size_t k = 0; k < count; ++k) {
    if (!SameTexel(mapping.At(points[k]), texels[k], size)) return false;
  }
  return true;
}
