# The map checker's sources, shared by the tool and its fuzz target, and the brush shapes it
# judges with (which the tool's map planning uses too), on the grid's geometry.
set(T3D_BRUSH_SHAPE_SOURCES
  solid/BrushJudge.cpp solid/BrushMesh.cpp solid/EdgeTable.cpp solid/PointWelder.cpp
  repair/GridGeometry.cpp)
set(T3D_MAPCHECK_SOURCES
  check/BrushCheck.cpp check/MapActor.cpp check/MapAttributes.cpp check/MapBlocks.cpp
  check/MapCheck.cpp check/MapCheckHost.cpp check/MapChecker.cpp check/MapGeometry.cpp
  check/MapLineReader.cpp check/MapLineStream.cpp check/MapNameCheck.cpp check/MapNumber.cpp
  check/MapPolygon.cpp check/MapReader.cpp check/MapReport.cpp check/MapStructValue.cpp
  check/MapVectorLine.cpp)
