# Checks the shape of the code: every include stays inside the layers its folder may see, and no
# two units (a header with its source) include each other. Run as a test:
#   cmake -DT3D_ROOT=<source dir> -P cmake/CheckLayers.cmake
# Layers point one way: T3d -> plugin -> KXCore internals -> the ABI layer; the reference host and
# the tool see only the ABI layer and their own units; the tool's map checker alone reads maps
# with the support library's stream and tokenizer; brush shapes (solid/) build on repair's grid.

cmake_minimum_required(VERSION 3.25)

# Folder of the including file; the folders it may include from.
set(T3D_LAYERS
  "KXCore/ABI|KXCore/ABI"
  "KXCore/Include|KXCore/ABI,KXCore/Include"
  "KXCore/Source/Common|KXCore/ABI,KXCore/Include,KXCore/Source"
  "KXCore/Source/MSVC|KXCore/ABI,KXCore/Include,KXCore/Source"
  "plugin|KXCore/ABI,KXCore/Include,plugin"
  "T3d|KXCore/ABI,KXCore/Include,plugin,T3d"
  "host|KXCore/ABI,host"
  "tools/t3dexport|KXCore/ABI,host,tools/t3dexport"
  "tools/t3dexport/check|KXCore/ABI,KXCore/Include,host,tools/t3dexport/check,tools/t3dexport/solid"
  "tools/t3dexport/repair|tools/t3dexport/repair"
  "tools/t3dexport/solid|tools/t3dexport/solid,tools/t3dexport/repair"
  "tools/t3dexport/view|KXCore/ABI,KXCore/Include,host,tools/t3dexport"
  "tools/t3dexport/textures|KXCore/ABI,host,tools/t3dexport"
  "tools/t3dexport/finish|tools/t3dexport/finish")

# Where an include by bare name is found, in the order the build's include paths give.
set(T3D_BARE_FOLDERS KXCore/ABI KXCore/Include KXCore/Source/MSVC host tools/t3dexport tools/t3dexport/check
  tools/t3dexport/repair tools/t3dexport/solid tools/t3dexport/view tools/t3dexport/textures
  tools/t3dexport/finish)

set(problems "")

# The repository path that `name`, included from a file in `dir`, stands for; empty if none.
function(t3d_resolve name dir out)
  foreach(candidate "${dir}/${name}" "${name}")
    if(EXISTS "${T3D_ROOT}/${candidate}")
      set(${out} "${candidate}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  foreach(folder ${T3D_BARE_FOLDERS})
    if(EXISTS "${T3D_ROOT}/${folder}/${name}")
      set(${out} "${folder}/${name}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(edges "")
foreach(layer ${T3D_LAYERS})
  string(REPLACE "|" ";" parts "${layer}")
  list(GET parts 0 folder)
  list(GET parts 1 allowed)
  string(REPLACE "," ";" allowed "${allowed}")
  file(GLOB files RELATIVE "${T3D_ROOT}" "${T3D_ROOT}/${folder}/*.h" "${T3D_ROOT}/${folder}/*.cpp")
  foreach(file ${files})
    get_filename_component(dir "${file}" DIRECTORY)
    get_filename_component(unit_name "${file}" NAME_WE)
    set(unit "${dir}/${unit_name}")
    file(STRINGS "${T3D_ROOT}/${file}" includes REGEX "^#include \"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
      t3d_resolve("${name}" "${dir}" target)
      if(target STREQUAL "")
        string(APPEND problems "${file}: \"${name}\" is not a file of the project\n")
        continue()
      endif()
      set(inside FALSE)
      foreach(permitted ${allowed})
        string(FIND "${target}" "${permitted}/" at)
        if(at EQUAL 0)
          set(inside TRUE)
        endif()
      endforeach()
      if(NOT inside)
        string(APPEND problems "${file}: includes ${target}, outside what ${folder} may see\n")
      endif()
      get_filename_component(target_dir "${target}" DIRECTORY)
      get_filename_component(target_name "${target}" NAME_WE)
      set(target_unit "${target_dir}/${target_name}")
      if(NOT target_unit STREQUAL unit)
        list(APPEND edges "${unit}>${target_unit}")
      endif()
    endforeach()
  endforeach()
endforeach()

list(REMOVE_DUPLICATES edges)
foreach(edge ${edges})
  string(REPLACE ">" ";" ends "${edge}")
  list(GET ends 0 from)
  list(GET ends 1 to)
  if("${to}>${from}" IN_LIST edges AND from STRLESS to)
    string(APPEND problems "${from} and ${to} include each other\n")
  endif()
endforeach()

if(NOT problems STREQUAL "")
  message(FATAL_ERROR "layer check failed:\n${problems}")
endif()
list(LENGTH edges count)
message(STATUS "layers hold: ${count} include arrows between units, none against the layers")
