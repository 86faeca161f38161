// Where the tool finds the plug-in library when no --plugin names one.
#pragma once

#include <string>

/// The installed layout's library (lib/ beside the tool's bin/) when it exists, else the library
/// built together with the tool.
std::string DefaultPluginPath();
