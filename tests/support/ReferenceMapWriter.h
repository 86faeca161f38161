// The T3D text of an array scene written the straightforward way, each line with snprintf, in
// the pieces in which the exporter hands its text to the stream.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "T3d/T3DGeometry.h"
#include "support/ArrayScene.h"
#include "support/ExpectedBuilderBrush.h"

/// Calls `piece(text, length)` for every piece of the text of `instances`: the map layout when
/// `map`, else the single-object layout of the first instance.
template <class Piece>
class TReferenceMapWriter {
 public:
  explicit TReferenceMapWriter(Piece& piece) : piece_(piece) {}

  void Write(const std::vector<TArrayInstance>& instances, bool map) {
    map_ = map;
    if (!map) {
      Text("Begin PolyList\n");
      Polygons(instances.front());
      Text("End PolyList\n");
      return;
    }
    Text("Begin Map\n");
    for (const char* line = kExpectedBuilderBrush; *line;) {
      const char* end = std::strchr(line, '\n') + 1;
      piece_(line, static_cast<std::size_t>(end - line));
      line = end;
    }
    for (const TArrayInstance& instance : instances) Actor(instance);
  }

 private:
  void Text(const std::string& text) { piece_(text.data(), text.size()); }

  // printf writes a zero's sign; the map never does.
  static double Unsigned0(float v) { return v == 0 ? 0.0 : static_cast<double>(v); }

  void Line(const char* format, float x, float y, float z) {
    char line[1100];
    const int n =
        std::snprintf(line, sizeof line, format, Unsigned0(x), Unsigned0(y), Unsigned0(z));
    piece_(line, static_cast<std::size_t>(n));
  }

  void Actor(const TArrayInstance& instance) {
    Text("Begin Actor Class=Brush Name=");
    Text(instance.name);
    Text("\n");
    Text("   CsgOper=CSG_Subtract\n");
    TKXVector3 location{0, 0, 0};
    TransformPoint(instance.transform, instance.referencePoint, location);
    Line("   Location=(X=%f,Y=%f,Z=%f)\n", location.x, location.y, location.z);
    Text("   Begin Brush Name=");
    Text(instance.name);
    Text("\n");
    Text("      Begin PolyList\n");
    Polygons(instance);
    Text("      End PolyList\n");
    Text("   End Brush\n");
    Text("   Brush=Model'MyLevel.");
    Text(instance.name);
    Text("'\n");
    Text("End Actor\n");
  }

  void Polygons(const TArrayInstance& instance) {
    std::string texture;
    for (const TArrayGroup& group : instance.groups) {
      for (std::size_t j = 0; j < group.Count(); ++j) {
        const std::int16_t domain = group.domains[j];
        if (domain != instance.keepsPrevious) {
          const auto named = instance.textures.find(domain);
          texture = named != instance.textures.end() ? named->second : instance.defaultName;
        }
        Polygon(instance, group, j, texture);
      }
    }
  }

  void Polygon(const TArrayInstance& instance, const TArrayGroup& group, std::size_t j,
               const std::string& texture) {
    Text("   Begin Polygon Item=");
    Text(instance.name);
    Text(" Texture=");
    Text(texture);
    Text(" Link=");
    Text(std::to_string(j));
    Text("\n");
    for (std::uint32_t v = group.starts[j + 1]; v-- > group.starts[j];) {
      TKXVector3 world{0, 0, 0};
      TransformPoint(instance.transform, group.points[v], world);
      const float x = RoundToInteger(world.x), y = -RoundToInteger(world.y),
                  z = RoundToInteger(world.z);
      if (v + 1 == group.starts[j + 1]) {
        Point("      Origin   %+013.6f,%+013.6f,%+013.6f\n", x, y, z);
        const TKXVector3& n = group.normals[j];
        Point("      Normal   %+013.6f,%+013.6f,%+013.6f\n", n.x, -n.y, n.z);
      }
      Point("      Vertex   %+013.6f,%+013.6f,%+013.6f\n", x, y, z);
    }
    Indent();
    Text("   End Polygon\n");
  }

  void Indent() {
    if (map_) Text("      ");
  }

  void Point(const char* format, float x, float y, float z) {
    Indent();
    Line(format, x, y, z);
  }

  Piece& piece_;
  bool map_ = true;
};
