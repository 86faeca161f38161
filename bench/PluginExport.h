// One export through the built plug-in library, driven as the host application drives it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class IKXTreeElement;
class THostScene;

/// What one export cost and what the host saw of it.
struct TPluginExport {
  double seconds = 0;                     ///< the Export call alone
  std::uint64_t peakHostBytes = 0;        ///< the most host memory the plug-in held at once
  std::vector<std::uint32_t> writeSizes;  ///< every host write, in order
};

/// Loads `library` into a fresh reference host, starts it through its entry points, makes an
/// exporter through the class factory and exports `top` of `scene` to `path`; then shuts the
/// plug-in down and unloads it. Throws std::runtime_error when any step fails.
TPluginExport ExportWithPlugin(const std::string& library, THostScene& scene, IKXTreeElement* top,
                               const std::string& path);
