#include "T3d/T3DBuilderBrush.h"

#include "T3d/T3DMapWriter.h"

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

void WriteBrushLine(T3DMapWriter& writer, const T3DMapWriter::Keyword& keyword,
                    const BrushPoint& p) {
  writer.BrushLine(keyword, p.x, p.y, p.z);
}

}  // namespace

void WriteBuilderBrush(T3DMapWriter& writer) {
  writer.Text("Begin Actor Class=Brush Name=dummy\n");
  writer.Text("   Begin Brush Name=dummy\n");
  writer.Text("      Begin PolyList\n");
  bool first = true;
  for (const BrushFace& face : kFaces) {
    // The first face's opening line starts with a tab; maps have always carried it.
    if (first) {
      writer.Text("\t      Begin Polygon\n");
    } else {
      writer.Text("          Begin Polygon\n");
    }
    first = false;
    WriteBrushLine(writer, "Origin   ", face.origin);
    WriteBrushLine(writer, "Normal   ", face.normal);
    WriteBrushLine(writer, "TextureU ", face.textureU);
    WriteBrushLine(writer, "TextureV ", face.textureV);
    for (const BrushPoint& vertex : face.vertices) WriteBrushLine(writer, "Vertex   ", vertex);
    writer.Text("          End Polygon\n");
  }
  writer.Text("      End PolyList\n");
  writer.Text("   End Brush\n");
  writer.Text("   Brush=Model'MyLevel.dummy'\n");
  writer.Text("End Actor\n");
}
