// The tool's export command: a model file (or the sample room) in, a finished T3D map out.
#pragma once

#include "ToolOptions.h"

/// Reads the input, plans the map, exports it through the plug-in into a temporary file beside
/// the output, finishes it and puts it in place; or lists the objects (--list). Messages go to
/// standard error, the summary and lists to standard output. Returns the exit status.
int ExportMap(const ToolOptions& options);
