// A scene of one triangle, and the map the exporter must write for it, written out by hand from
// the format's rules. Used wherever an export runs end to end.
#pragma once

#include <string>

#include "THostScene.h"
#include "support/ExpectedBuilderBrush.h"

/// Adds an instance named `name` with the triangle (0,0,0), (10,0,0), (0,10,0) facing +Z, its
/// texture the default name "Default", and its reference point at (1, 2, 3).
inline THostInstance& AddTriangle(THostScene& scene, const std::string& name) {
  THostInstance& triangle = scene.AddInstance(name);
  triangle.SetDefaultMaterialName("Default").SetReferencePoint({1, 2, 3});
  triangle.AddGroup().AddPolygon({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {0, 0, 1}, 0);
  return triangle;
}

/// The whole map of a scene holding only AddTriangle(scene, name).
inline std::string ExpectedTriangleMap(const std::string& name) {
  return std::string("Begin Map\n") + kExpectedBuilderBrush + "Begin Actor Class=Brush Name=" +
         name +
         "\n"
         "   CsgOper=CSG_Subtract\n"
         "   Location=(X=1.000000,Y=2.000000,Z=3.000000)\n"
         "   Begin Brush Name=" +
         name +
         "\n"
         "      Begin PolyList\n"
         "   Begin Polygon Item=" +
         name +
         " Texture=Default Link=0\n"
         "            Origin   +00000.000000,-00010.000000,+00000.000000\n"
         "            Normal   +00000.000000,+00000.000000,+00001.000000\n"
         "            Vertex   +00000.000000,-00010.000000,+00000.000000\n"
         "            Vertex   +00010.000000,+00000.000000,+00000.000000\n"
         "            Vertex   +00000.000000,+00000.000000,+00000.000000\n"
         "         End Polygon\n"
         "      End PolyList\n"
         "   End Brush\n"
         "   Brush=Model'MyLevel." +
         name +
         "'\n"
         "End Actor\n";
}
