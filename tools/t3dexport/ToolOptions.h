// The tool's command line: what to export and how, or which maps to check.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "MapView.h"
#include "Placement.h"


struct ToolOptions {
  // t3dexport INPUT ...
  std::string input;
  std::string output;           ///< empty: the input's stem with .t3d beside it
  bool sample = false;          ///< the bundled sample room instead of a model file
  double scale = 0;             ///< map units per model unit; 0: from the file's unit
  double fit = 0;               ///< the largest extent, in map units; 0: no fitting
  UpAxis up = UpAxis::FromFile;
  Pivot pivot = Pivot::Center;
  std::string object;           ///< one object, in the single-object layout; empty: the map
  bool list = false;            ///< list the objects with their polygon counts instead
  std::string defaultTexture = "Default";
  bool raw = false;             ///< no repair of polygons
  bool hull = false;            ///< every brush the convex hull of its points
  bool exact = false;           ///< the plug-in's bytes untouched: no texture axes, no End Map
  std::string plugin;
  bool quiet = false;
  bool verbose = false;
  bool timings = false;         ///< print each stage's seconds and the peak memory
  std::string preview;          ///< a picture of the map written, or empty
  std::string textures;         ///< a folder for the textures, ready for import, or empty

  // t3dexport check FILE...
  bool check = false;
  std::vector<std::string> checkFiles;
  bool checkStrict = false;   ///< warnings count as errors
  bool checkJson = false;     ///< one JSON object per map
  bool checkVerbose = false;  ///< notes too

  // t3dexport view MAP
  bool view = false;
  ViewOptions viewOptions;
};

/// Reads the command line into `options`. Returns -1 to go on, or the exit status to end with:
/// 0 after --help or --version (printed to `out`), kExitUsage after a usage error (a message
/// that names what was wrong, printed to `err`).
int ParseToolOptions(int argc, char** argv, ToolOptions& options, std::FILE* out, std::FILE* err);

/// The output path of `options`: -o, else the input's stem with .t3d beside the input (the
/// sample: sample.t3d here).
std::string OutputPathOf(const ToolOptions& options);
