#include "T3d/T3DBuilderBrush.h"

#include "KXTextStream.h"
#include "T3d/T3DNumberFormat.h"

namespace {

struct BrushPoint {
  float x, y, z;
};

// One face of the cube: origin, normal, texture axes and the four corners in written order.
struct BrushFace {
  BrushPoint origin, normal, textureU, textureV;
  BrushPoint vertices[4];
};

constexpr BrushFace kFaces[6] = {
    {{-128, -128, -128}, {-1, 0, 0}, {0, 1, 0}, {0, 0, -1},
     {{-128, -128, -128}, {-128, -128, 128}, {-128, 128, 128}, {-128, 128, -128}}},
    {{-128, 128, -128}, {0, 1, 0}, {1, 0, 0}, {0, 0, -1},
     {{-128, 128, -128}, {-128, 128, 128}, {128, 128, 128}, {128, 128, -128}}},
    {{128, 128, -128}, {1, 0, 0}, {0, -1, 0}, {0, 0, -1},
     {{128, 128, -128}, {128, 128, 128}, {128, -128, 128}, {128, -128, -128}}},
    {{128, -128, -128}, {0, -1, 0}, {-1, 0, 0}, {0, 0, -1},
     {{128, -128, -128}, {128, -128, 128}, {-128, -128, 128}, {-128, -128, -128}}},
    {{-128, 128, 128}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0},
     {{-128, 128, 128}, {-128, -128, 128}, {128, -128, 128}, {128, 128, 128}}},
    {{-128, -128, -128}, {0, 0, -1}, {1, 0, 0}, {0, -1, 0},
     {{-128, -128, -128}, {-128, 128, -128}, {128, 128, -128}, {128, -128, -128}}},
};

void WriteBrushLine(TKXStream& stream, const char* keyword, const BrushPoint& p) {
  T3DLineBuffer line;
  line.Append("             ").Append(keyword);
  line.AppendPolygonValue(p.x).Append(",").AppendPolygonValue(p.y).Append(",");
  line.AppendPolygonValue(p.z).Append("\n");
  stream << line.Text();
}

}  // namespace

void WriteBuilderBrush(TKXStream& stream) {
  stream << "Begin Actor Class=Brush Name=dummy\n";
  stream << "   Begin Brush Name=dummy\n";
  stream << "      Begin PolyList\n";
  bool first = true;
  for (const BrushFace& face : kFaces) {
    // The first face's opening line starts with a tab; maps have always carried it.
    stream << (first ? "\t      Begin Polygon\n" : "          Begin Polygon\n");
    first = false;
    WriteBrushLine(stream, "Origin   ", face.origin);
    WriteBrushLine(stream, "Normal   ", face.normal);
    WriteBrushLine(stream, "TextureU ", face.textureU);
    WriteBrushLine(stream, "TextureV ", face.textureV);
    for (const BrushPoint& vertex : face.vertices) WriteBrushLine(stream, "Vertex   ", vertex);
    stream << "          End Polygon\n";
  }
  stream << "      End PolyList\n";
  stream << "   End Brush\n";
  stream << "   Brush=Model'MyLevel.dummy'\n";
  stream << "End Actor\n";
}
