# The map checker's sources, shared by the tool and its fuzz target.
set(T3D_MAPCHECK_SOURCES
  check/MapAttributes.cpp check/MapBlocks.cpp check/MapCheck.cpp check/MapCheckHost.cpp
  check/MapChecker.cpp check/MapGeometry.cpp check/MapLineReader.cpp check/MapLineStream.cpp
  check/MapNameCheck.cpp check/MapNumber.cpp check/MapPolygon.cpp check/MapReport.cpp
  check/MapStructValue.cpp check/MapVectorLine.cpp)
