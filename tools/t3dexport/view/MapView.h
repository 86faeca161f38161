// `t3dexport view MAP.t3d -o map.png`: a map drawn as a picture, before the editor sees it.
#pragma once

#include <cstdio>
#include <string>

struct ViewOptions {
  std::string map;
  std::string output;      ///< empty: the map's name with .png, beside it
  int width = 1600;
  int height = 1200;
  std::string view = "all";  ///< top, front, side, persp or all (four panes)
  bool labels = false;       ///< each brush's name at its centre
};

/// Reads `options.map` with the map checker's reader and draws it into a PNG, written to a
/// temporary file beside the output and put in place. Messages go to `err`, the line saying
/// what was drawn to `out` unless `quiet`. Returns the tool's exit status: 3 when the map does
/// not read (with check's messages), 4 when the picture cannot be written.
int DrawMap(const ViewOptions& options, std::FILE* out, std::FILE* err, bool quiet = false);

/// The output path of `options`: -o, else the map's name with .png beside it.
std::string PictureOutputPath(const ViewOptions& options);
