#include "MapFinisher.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "TextureAxes.h"

namespace {

constexpr std::string_view kBeginMap = "Begin Map\n";
constexpr std::string_view kBuilderBrush = "Begin Actor Class=Brush Name=dummy\n";
constexpr std::string_view kEndActor = "End Actor\n";
constexpr std::string_view kNormal = "Normal   ";
constexpr std::string_view kEndMap = "End Map\n";

std::size_t Indent(const char* line, std::size_t length) {
  std::size_t indent = 0;
  while (indent < length && line[indent] == ' ') ++indent;
  return indent;
}

// One value of a Normal line in the "%+013.6f" form, moving `at` past it and its comma. Text that
// is not a number counts as 0.
double ParseValue(const char*& at, const char* end) {
  double sign = 1;
  if (at < end && (*at == '+' || *at == '-')) sign = *at++ == '-' ? -1 : 1;
  double value = 0;
  while (at < end && *at >= '0' && *at <= '9') value = value * 10 + (*at++ - '0');
  if (at < end && *at == '.') {
    double scale = 0.1;
    for (++at; at < end && *at >= '0' && *at <= '9'; ++at, scale /= 10) value += (*at - '0') * scale;
  }
  while (at < end && *at != ',') ++at;
  if (at < end) ++at;
  return sign * value;
}

// Appends `text` at `out`, returning the end.
char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendAxisLine(char* out, std::size_t indent, std::string_view keyword,
                     const AxisVector& axis) {
  std::memset(out, ' ', indent);
  out = Append(out + indent, keyword);
  out = Append(out, AxisComponentText(axis.x));
  *out++ = ',';
  out = Append(out, AxisComponentText(axis.y));
  *out++ = ',';
  out = Append(out, AxisComponentText(axis.z));
  *out++ = '\n';
  return out;
}

}  // namespace

MapFinisher::MapFinisher(Sink sink)
    : sink_(std::move(sink)), block_(std::make_unique<char[]>(kBlockSize)) {}

void MapFinisher::Write(const char* data, std::size_t size) {
  if (size == 0) return;
  endsWithLineFeed_ = data[size - 1] == '\n';
  const char* const end = data + size;
  const char* pending = data;  // input not yet put out
  for (const char* line = data; line < end;) {
    const auto* feed = static_cast<const char*>(std::memchr(line, '\n', std::size_t(end - line)));
    if (!feed) {
      KeepPartial(line, std::size_t(end - line));
      break;
    }
    const char* next = feed + 1;
    const char* text = line;
    std::size_t length = std::size_t(next - line);
    if (partialLength_ > 0) {
      KeepPartial(line, length);
      text = partial_;
      length = partialLength_;
      partialLength_ = 0;
    }
    if (NeedsTextureLines(text, length)) {
      Put(pending, std::size_t(next - pending));
      pending = next;
      InsertTextureLines(text, length);
    }
    line = next;
  }
  Put(pending, std::size_t(end - pending));
}

void MapFinisher::Finish() {
  partialLength_ = 0;
  if (map_) {
    if (!endsWithLineFeed_) Put("\n", 1);
    Put(kEndMap.data(), kEndMap.size());
  }
  Flush();
}

void MapFinisher::KeepPartial(const char* data, std::size_t size) {
  if (partialLength_ < kLongestLine) {
    std::memcpy(partial_ + partialLength_, data, std::min(size, kLongestLine - partialLength_));
  }
  partialLength_ += size;
}

// Reads one whole line (its first kLongestLine bytes when it is longer) and keeps track of where
// the text is; true for the Normal line of a model polygon.
bool MapFinisher::NeedsTextureLines(const char* line, std::size_t length) {
  if (length > kLongestLine) {
    firstLine_ = false;
    return false;
  }
  const std::string_view text(line, length);
  if (firstLine_) {
    firstLine_ = false;
    map_ = text == kBeginMap;
    return false;
  }
  if (inBuilderBrush_) {
    inBuilderBrush_ = text != kEndActor;
    return false;
  }
  const std::size_t indent = Indent(line, length);
  if (text.compare(indent, kNormal.size(), kNormal) == 0) return true;
  inBuilderBrush_ = text == kBuilderBrush;
  return false;
}

void MapFinisher::InsertTextureLines(const char* line, std::size_t length) {
  const std::size_t indent = Indent(line, length);
  const char* at = line + indent + kNormal.size();
  const char* const end = line + length;
  const double x = ParseValue(at, end);
  const double y = ParseValue(at, end);
  const double z = ParseValue(at, end);
  const TextureAxes axes = TextureAxesFor(x, y, z);
  // Two lines of the indent, a keyword and three 13-character values.
  char lines[2 * (kLongestLine + 64)];
  char* out = AppendAxisLine(lines, indent, "TextureU ", axes.u);
  out = AppendAxisLine(out, indent, "TextureV ", axes.v);
  Put(lines, std::size_t(out - lines));
  ++textured_;
}

void MapFinisher::Put(const char* data, std::size_t size) {
  if (size > kBlockSize - used_) {
    Flush();
    if (size >= kBlockSize) {
      sink_(data, size);
      return;
    }
  }
  std::memcpy(block_.get() + used_, data, size);
  used_ += size;
}

void MapFinisher::Flush() {
  if (used_ > 0) sink_(block_.get(), used_);
  used_ = 0;
}
