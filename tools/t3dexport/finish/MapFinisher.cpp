#include "MapFinisher.h"

#include <algorithm>
#include <cstdint>
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
  // Eight bytes at a time: the first one that is not a space is the lowest non-zero byte of
  // their difference from eight spaces (the tool runs on little-endian machines only).
  constexpr std::uint64_t kEightSpaces = 0x2020202020202020ull;
  std::size_t indent = 0;
  while (indent + 8 <= length) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, line + indent, 8);
    const std::uint64_t other = eight ^ kEightSpaces;
    if (other != 0) return indent + static_cast<std::size_t>(__builtin_ctzll(other)) / 8;
    indent += 8;
  }
  while (indent < length && line[indent] == ' ') ++indent;
  return indent;
}

// The usual form of a value: a sign, five digits, a point and six digits, then a comma or the
// end of the line. Read without a test per character; false for any other form.
bool ParseUsualForm(const char*& at, const char* end, double& value) {
  constexpr std::ptrdiff_t kWidth = 13;
  if (end - at < kWidth + 1 || (at[0] != '+' && at[0] != '-') || at[6] != '.' ||
      (at[kWidth] != ',' && at[kWidth] != '\n')) {
    return false;
  }
  std::uint64_t millionths = 0;  // unsigned: a wrong character may make it wrap, harmlessly
  unsigned notDigits = 0;
  for (const int i : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12}) {
    const auto digit = static_cast<unsigned>(at[i] - '0');
    notDigits |= digit > 9 ? 1u : 0u;
    millionths = millionths * 10 + digit;
  }
  if (notDigits) return false;
  value = static_cast<double>(millionths);
  if (at[0] == '-') value = -value;
  at += kWidth + (at[kWidth] == ',' ? 1 : 0);
  return true;
}

// One value of a Normal line, in millionths (the six decimals of the "%+013.6f" form; further
// decimals are cut), moving `at` past it and its comma. Text that is not a number counts as 0.
double ParseValue(const char*& at, const char* end) {
  double usual = 0;
  if (ParseUsualForm(at, end, usual)) return usual;
  constexpr std::int64_t kLargest = 1000000000000;  // whole units kept; beyond, it saturates
  const bool negative = at < end && *at == '-';
  if (at < end && (*at == '+' || *at == '-')) ++at;
  std::int64_t millionths = 0;
  for (; at < end && *at >= '0' && *at <= '9'; ++at) {
    millionths = std::min<std::int64_t>(millionths * 10 + (*at - '0'), kLargest);
  }
  int decimals = 0;
  if (at < end && *at == '.') {
    for (++at; at < end && *at >= '0' && *at <= '9'; ++at) {
      if (decimals < 6) millionths = millionths * 10 + (*at - '0');
      ++decimals;
    }
  }
  for (; decimals < 6; ++decimals) millionths *= 10;
  while (at < end && *at != ',') ++at;
  if (at < end) ++at;
  const auto value = static_cast<double>(millionths);
  return negative ? -value : value;
}

// Appends `text` at `out`, returning the end.
char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* AppendComponent(char* out, int component) {
  constexpr std::size_t kWidth = 13;  // "%+013.6f"
  std::memcpy(out, AxisComponentText(component), kWidth);
  return out + kWidth;
}

char* AppendAxisLine(char* out, std::size_t indent, std::string_view keyword,
                     const AxisVector& axis) {
  std::memset(out, ' ', indent);
  out = Append(out + indent, keyword);
  out = AppendComponent(out, axis.x);
  *out++ = ',';
  out = AppendComponent(out, axis.y);
  *out++ = ',';
  out = AppendComponent(out, axis.z);
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

// Reads one whole line of `length` bytes (a longer one than kLongestLine, of which only the start
// is at hand, is passed over) and keeps track of where in the map it is; true for the Normal line
// of a model polygon.
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
  // Most lines are Vertex lines: one look at the first word's first letter settles them.
  const std::size_t indent = Indent(line, length);
  if (line[indent] == 'N') return text.compare(indent, kNormal.size(), kNormal) == 0;
  if (line[indent] == 'B') inBuilderBrush_ = text == kBuilderBrush;
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
