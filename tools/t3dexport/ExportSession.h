// One run of the plug-in, as the host application drives it: load and start the library, make
// the exporter through its class factory, export, then release everything and stop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "KXComponentInterfaces.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"

class THostScene;

/// How an export ended.
struct ExportOutcome {
  enum class Kind { kWritten, kPluginFailed, kWriteFailed };
  Kind kind = Kind::kWritten;
  std::string message;       ///< what went wrong, in words
  std::uint64_t bytes = 0;   ///< bytes the plug-in wrote (asked the host to write)
};

class ExportSession {
 public:
  /// Called with the share of the export done, from 0 to 1.
  using Progress = std::function<void(double)>;

  ExportSession() = default;
  ~ExportSession();
  ExportSession(const ExportSession&) = delete;
  ExportSession& operator=(const ExportSession&) = delete;

  /// Loads the plug-in from `library`, starts it and makes its exporter; false with `error` set
  /// when any step fails.
  bool Start(const std::string& library, std::string& error);
  /// Writes `top` of `scene` (its "Universe" for a map) to the file at `path` through the
  /// plug-in. A TKXException is kPluginFailed, with its code by name, its file and line; a host
  /// write that failed or fell short is kWriteFailed. With a `filter`, what the plug-in writes
  /// goes through it instead of into the file.
  ExportOutcome Export(THostScene& scene, IKXTreeElement* top, const std::string& path,
                       const Progress& progress = {}, THostWriteFilter* filter = nullptr);
  /// Releases the exporter, stops and unloads the plug-in; false with `error` set when it kept a
  /// host reference, an object or host memory.
  bool Stop(std::string& error);

  /// The host that this session stands in for, for a caller that configures it (its faults).
  THostApplication& Host() { return host_; }

 private:
  THostApplication host_;
  THostPluginLibrary library_;
  IKXExporter* exporter_ = nullptr;
  bool started_ = false;
};

/// The name of a result code the plug-in produces ("kKXErrNoMemory"), or its hexadecimal value.
std::string ResultName(KXResult code);
