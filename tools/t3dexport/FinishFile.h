// The finished map on its way to disk: the plug-in's writes pass through the finisher, as the
// host's write filter of the file being exported, and only the finished map is written.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "MapFinisher.h"
#include "THostFiles.h"

/// What finishing made.
struct FinishedMap {
  std::uint64_t bytes = 0;     ///< bytes written
  std::uint64_t textured = 0;  ///< polygons given texture axes
  std::uint64_t mapped = 0;    ///< of those, the ones given the model's own mapping
};

class FinishingWriter final : public THostWriteFilter {
 public:
  /// `next` gives the texture mapping of each model polygon in turn (see MapFinisher).
  explicit FinishingWriter(std::function<bool(FinishedTexture&)> next = {});
  ~FinishingWriter();
  FinishingWriter(const FinishingWriter&) = delete;
  FinishingWriter& operator=(const FinishingWriter&) = delete;

  /// Writes the finished map to `path`, an empty file that exists; false with `error` set when
  /// it cannot be opened.
  bool Open(const std::string& path, std::string& error);
  bool Take(const void* data, std::uint32_t count) override;
  /// Ends the map and closes the file; false with `error` set when a write failed or fell short.
  bool Finish(FinishedMap& result, std::string& error);

 private:
  bool WriteOut(const char* data, std::size_t size);

  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;  // the system's reason for the first failed write
  std::uint64_t bytes_ = 0;
  std::unique_ptr<MapFinisher> finisher_;
};
