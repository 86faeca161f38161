#include "ProgressBar.h"

#include <unistd.h>

namespace {
constexpr int kWidth = 40;
}  // namespace

ProgressBar::ProgressBar(std::FILE* stream, bool wanted)
    : stream_(stream), enabled_(wanted && ::isatty(::fileno(stream)) != 0) {}

void ProgressBar::Show(const char* label, double share) {
  if (!enabled_) return;
  share = share < 0 ? 0 : share > 1 ? 1 : share;
  const int filled = static_cast<int>(share * kWidth + 0.5);
  if (filled == drawn_ && label == label_) return;
  drawn_ = filled;
  label_ = label;
  std::fprintf(stream_, "\r%-10s [", label);
  for (int i = 0; i < kWidth; ++i) std::fputc(i < filled ? '#' : ' ', stream_);
  std::fprintf(stream_, "] %3d%%", static_cast<int>(share * 100 + 0.5));
  std::fflush(stream_);
}

void ProgressBar::Clear() {
  if (!enabled_ || drawn_ < 0) return;
  std::fprintf(stream_, "\r%*s\r", kWidth + 20, "");
  std::fflush(stream_);
  drawn_ = -1;
}
