// One run of the plug-in, as the host application drives it: load and start the library, make
// the exporter through its class factory, export, then release everything and stop.
#pragma once

#include <string>

#include "KXComponentInterfaces.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"

class THostScene;

class ExportSession {
 public:
  ExportSession();
  ~ExportSession();
  ExportSession(const ExportSession&) = delete;
  ExportSession& operator=(const ExportSession&) = delete;

  /// Loads the plug-in from `library`, starts it and makes its exporter; false with a message on
  /// standard error when any step fails.
  bool Start(const std::string& library);
  /// Writes `scene` as a map to `path`, drawing progress on standard error.
  bool ExportMap(THostScene& scene, const std::string& path);
  /// Releases the exporter, stops and unloads the plug-in, and checks that it gave back every
  /// host reference and all host memory.
  bool Stop();

 private:
  void DrawProgress(float done, float total);

  THostApplication host_;
  THostPluginLibrary library_;
  IKXExporter* exporter_ = nullptr;
  bool started_ = false;
  float total_ = 0;
  float done_ = 0;
};
