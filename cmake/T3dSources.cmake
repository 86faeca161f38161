# The sources of each layer, listed by hand so that a new file is a visible change.

set(T3D_KXCORE_SOURCES
  KXCore/Source/Common/KXCharacters.cpp
  KXCore/Source/Common/KXException.cpp
  KXCore/Source/Common/KXMemory.cpp
  KXCore/Source/Common/KXPlatform.cpp
  KXCore/Source/Common/KXRelativePath.cpp
  KXCore/Source/Common/KXServiceTable.cpp
  KXCore/Source/Common/KXStream.cpp
  KXCore/Source/Common/KXStreamInput.cpp
  KXCore/Source/Common/KXStreamWriter.cpp
  KXCore/Source/Common/KXString.cpp
  KXCore/Source/Common/KXStringImport.cpp
  KXCore/Source/Common/KXStrings.cpp
  KXCore/Source/Common/KXTextStream.cpp
  KXCore/Source/Common/KXTextStreamBookmark.cpp
  KXCore/Source/Common/KXTextStreamInput.cpp
  KXCore/Source/Common/KXToken.cpp)

set(T3D_PLUGIN_SOURCES
  plugin/KXComponentClasses.cpp
  plugin/KXEntryPoints.cpp
  plugin/TKXClassFactory.cpp
  plugin/TKXComObject.cpp
  plugin/TKXExporterBase.cpp
  plugin/TKXExtensionObject.cpp)

set(T3D_EXPORTER_SOURCES
  T3d/T3DBuilderBrush.cpp
  T3d/T3DComponent.cpp
  T3d/T3DExport.cpp
  T3d/T3DInstanceFilter.cpp
  T3d/T3DMapWriter.cpp
  T3d/T3DNumberForms.cpp
  T3d/T3DPolygonWriter.cpp
  T3d/T3DSixDecimals.cpp
  T3d/T3DWideInteger.cpp
  T3d/TT3DExporter.cpp)

set(T3D_HOST_SOURCES
  host/THostApplication.cpp
  host/THostBackgroundWriter.cpp
  host/THostFiles.cpp
  host/THostMemory.cpp
  host/THostPluginLibrary.cpp
  host/THostScene.cpp
  host/THostShell.cpp)

# The layout checks of the frame and the exporter, compiled on their own with the plug-in's include
# paths; the ABI layer's own checks are among its headers.
set(T3D_LAYOUT_CHECKS plugin/KXFrameLayoutChecks.h T3d/T3DLayoutChecks.h)

# `target`: one unit per header (HEADERS, repository paths), each compiled alone with only the
# INCLUDES folders to include from.
function(t3d_header_units target)
  cmake_parse_arguments(UNITS "" "" "HEADERS;INCLUDES" ${ARGN})
  set(units)
  foreach(header ${UNITS_HEADERS})
    string(MAKE_C_IDENTIFIER ${header} stem)
    set(unit ${CMAKE_BINARY_DIR}/header_units/${stem}.cpp)
    file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${CMAKE_SOURCE_DIR}/${header}\"\n")
    list(APPEND units ${unit})
  endforeach()
  add_library(${target} OBJECT ${units})
  target_include_directories(${target} PRIVATE ${UNITS_INCLUDES})
endfunction()

# The ABI layer stands alone: every header of it compiles with nothing but the layer's own folder
# to include from, so a header that reached outside the layer would not compile. A glob, so that
# no header escapes the check.
function(t3d_abi_header_check target)
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/KXCore/ABI/*.h)
  t3d_header_units(${target} HEADERS ${headers} INCLUDES ${CMAKE_SOURCE_DIR}/KXCore/ABI)
endfunction()
