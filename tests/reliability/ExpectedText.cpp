#include "reliability/ExpectedText.h"

#include <cmath>
#include <cstdio>

#include "support/ExpectedBuilderBrush.h"

namespace {

constexpr std::size_t kHostNameCapacity = 1023;

// Each number widened to double and formatted by printf; a zero of either sign is written
// without a minus.
std::string Format(const char* form, float value) {
  const double widened = value == 0 ? 0.0 : static_cast<double>(value);
  char text[400];
  std::snprintf(text, sizeof text, form, widened);
  return text;
}

std::string PolygonValues(float x, float y, float z) {
  return Format("%+013.6f", x) + "," + Format("%+013.6f", y) + "," + Format("%+013.6f", z);
}

// Rounding: halves away from zero, computed in double; NaN becomes 0, and values beyond the
// signed 32-bit range stop at its ends.
float Round(float x) {
  const double shifted = x < 0 ? double(x) - 0.5 : double(x) + 0.5;
  if (std::isnan(shifted)) return 0;
  if (shifted >= 2147483648.0) return 2147483647.0f;
  if (shifted <= -2147483649.0) return -2147483648.0f;
  return static_cast<float>(static_cast<long long>(shifted));
}

// The point transformation in single precision: centre and axis scale first, each row of the
// linear part summed from its third product, then scale and translation.
TKXVector3 Transform(const TKXTransform& t, const TKXVector3& in) {
  const float a = (in.x - t.centre.x) * t.axisScale.x;
  const float b = (in.y - t.centre.y) * t.axisScale.y;
  const float d = (in.z - t.centre.z) * t.axisScale.z;
  float r[3];
  for (int row = 0; row < 3; ++row) {
    const float third = t.linear[row * 3 + 2] * d;
    const float second = t.linear[row * 3 + 1] * b;
    const float first = t.linear[row * 3] * a;
    const float sum = third + second;
    r[row] = sum + first;
  }
  const float s0 = t.scale * r[0];
  const float s1 = t.scale * r[1];
  const float s2 = t.scale * r[2];
  return {t.translation.x + s0, t.translation.y + s1, t.translation.z + s2};
}

std::string PolygonBlock(const std::string& item, const std::string& texture, std::size_t link,
                         const TPolygonPlan& polygon, const TKXTransform& transform, bool map) {
  const std::string indent = map ? "      " : "";
  std::string text = "   Begin Polygon Item=" + item + " Texture=" + texture +
                     " Link=" + std::to_string(link) + "\n";
  for (std::size_t v = polygon.points.size(); v-- > 0;) {
    const TKXVector3 world = Transform(transform, polygon.points[v]);
    const std::string values = PolygonValues(Round(world.x), -Round(world.y), Round(world.z));
    if (v + 1 == polygon.points.size()) {
      text += indent + "      Origin   " + values + "\n";
      const TKXVector3& n = polygon.normal;
      text += indent + "      Normal   " + PolygonValues(n.x, -n.y, n.z) + "\n";
    }
    text += indent + "      Vertex   " + values + "\n";
  }
  return text + indent + "   End Polygon\n";
}

}  // namespace

std::string HostName(const std::string& name) { return name.substr(0, kHostNameCapacity); }

std::string ExpectedPolygons(const TInstancePlan& plan, bool map) {
  const std::string item = HostName(plan.name);
  std::string texture;  // empty until a polygon names one
  std::string text;
  for (const auto& group : plan.groups) {
    for (std::size_t j = 0; j < group.size(); ++j) {
      const std::int32_t domain = group[j].domain;
      const auto named = plan.textures.find(domain);
      if (plan.keepsPrevious.count(domain) == 0) {
        texture = HostName(named != plan.textures.end() ? named->second : plan.defaultName);
      }
      text += PolygonBlock(item, texture, j, group[j], plan.transform, map);
    }
  }
  return text;
}

std::string ExpectedActor(const TInstancePlan& plan, const std::string& polygons) {
  const std::string name = HostName(plan.name);
  const TKXVector3 at = Transform(plan.transform, plan.reference);
  return "Begin Actor Class=Brush Name=" + name + "\n   CsgOper=CSG_Subtract\n" +
         "   Location=(X=" + Format("%f", at.x) + ",Y=" + Format("%f", at.y) +
         ",Z=" + Format("%f", at.z) + ")\n   Begin Brush Name=" + name +
         "\n      Begin PolyList\n" + polygons + "      End PolyList\n   End Brush\n" +
         "   Brush=Model'MyLevel." + name + "'\nEnd Actor\n";
}

std::string ExpectedMap(const std::string& actors) {
  return std::string("Begin Map\n") + kExpectedBuilderBrush + actors;
}

std::string ExpectedPolyList(const std::string& polygons) {
  return "Begin PolyList\n" + polygons + "End PolyList\n";
}
