// The progress of a long step, drawn on a terminal and nowhere else: a log gets no bar.
#pragma once

#include <cstdio>

class ProgressBar {
 public:
  /// A bar on `stream` when `wanted` and the stream is a terminal; otherwise it draws nothing.
  ProgressBar(std::FILE* stream, bool wanted);
  ~ProgressBar() { Clear(); }

  /// Shows `share` (0 to 1) of the step `label`, redrawing only when the bar changes.
  void Show(const char* label, double share);
  /// Takes the bar off the line, so that other output starts at its beginning.
  void Clear();

 private:
  std::FILE* stream_;
  bool enabled_;
  int drawn_ = -1;
  const char* label_ = nullptr;
};
