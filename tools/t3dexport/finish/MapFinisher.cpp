#include "MapFinisher.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "TextureAxes.h"

namespace {

constexpr std::string_view kBeginMap = "Begin Map\n";
constexpr std::string_view kBuilderBrush = "Begin Actor Class=Brush Name=dummy\n";
constexpr std::string_view kEndActor = "End Actor\n";
constexpr std::string_view kNormal = "Normal   ";
constexpr std::string_view kOrigin = "Origin   ";
constexpr std::string_view kBeginPolygon = "Begin Polygon";
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

// A value as "%+013.6f" writes it, but that a zero never carries a minus, as the plug-in's own.
double Written(double value) { return std::round(value * 1e6) == 0 ? 0.0 : value; }

// The most the three values of a vector line take: "%+013.6f" of the largest double is a sign,
// 309 whole digits, the point and six decimals; two commas and the line feed.
constexpr std::size_t kMostVectorValues = 3 * 317 + 3 + 1;

// A line of three values in the "%+013.6f" form, as the plug-in writes its vector lines: room for
// any finite value, so nothing is ever cut. The C locale's point, as the program never sets one.
char* AppendVectorLine(char* out, std::size_t indent, std::string_view keyword, const double (&v)[3]) {
  std::memset(out, ' ', indent);
  out = Append(out + indent, keyword);
  const int written = std::snprintf(out, kMostVectorValues, "%+013.6f,%+013.6f,%+013.6f\n",
                                    Written(v[0]), Written(v[1]), Written(v[2]));
  return out + written;
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

MapFinisher::MapFinisher(Sink sink, NextTexture next)
    : sink_(std::move(sink)), next_(std::move(next)), block_(std::make_unique<char[]>(kBlockSize)) {}

void MapFinisher::Write(const char* data, std::size_t size) {
  if (size == 0) return;
  endsWithLineFeed_ = data[size - 1] == '\n';
  const char* const end = data + size;
  const char* pending = data;  // input not yet put out
  for (const char* line = data; line < end;) {
    const auto* feed = static_cast<const char*>(std::memchr(line, '\n', std::size_t(end - line)));
    if (!feed) {
      // A line that goes on in the next chunk is held back: it may be one to write anew.
      Put(pending, std::size_t(line - pending));
      pending = end;
      Hold(line, std::size_t(end - line));
      break;
    }
    const char* next = feed + 1;
    if (partialLength_ > 0) {
      Hold(line, std::size_t(next - line));
      FinishHeldLine();
      pending = next;
      line = next;
      continue;
    }
    const std::size_t length = std::size_t(next - line);
    switch (ActionFor(line, length)) {
      case Action::kPass:
        break;
      case Action::kTextureLinesAfter:
        Put(pending, std::size_t(next - pending));
        pending = next;
        InsertTextureLines(line, length);
        break;
      case Action::kReplaceOrigin:
        Put(pending, std::size_t(line - pending));
        pending = next;
        WriteOrigin(line, length);
        break;
    }
    line = next;
  }
  Put(pending, std::size_t(end - pending));
}

// The line held back, now whole: put out as it is, after texture lines, or written anew. A line
// too long to hold has gone out already, unread.
void MapFinisher::FinishHeldLine() {
  const std::size_t length = partialLength_;
  partialLength_ = 0;
  if (length > kLongestLine) {
    ActionFor(partial_, length);
    return;
  }
  switch (ActionFor(partial_, length)) {
    case Action::kPass:
      Put(partial_, length);
      break;
    case Action::kTextureLinesAfter:
      Put(partial_, length);
      InsertTextureLines(partial_, length);
      break;
    case Action::kReplaceOrigin:
      WriteOrigin(partial_, length);
      break;
  }
}

void MapFinisher::Finish() {
  if (partialLength_ > 0 && partialLength_ <= kLongestLine) Put(partial_, partialLength_);
  partialLength_ = 0;
  if (map_) {
    if (!endsWithLineFeed_) Put("\n", 1);
    Put(kEndMap.data(), kEndMap.size());
  }
  Flush();
}

void MapFinisher::Hold(const char* data, std::size_t size) {
  if (partialLength_ + size <= kLongestLine) {
    std::memcpy(partial_ + partialLength_, data, size);
  } else {
    // Too long to be a line the filter reads: what is held goes out, and the rest straight on.
    if (partialLength_ <= kLongestLine) Put(partial_, partialLength_);
    Put(data, size);
  }
  partialLength_ += size;
}

// Reads one whole line of `length` bytes (a longer one than kLongestLine, of which only the start
// is at hand, is passed over) and keeps track of where in the map it is: texture lines go after
// the Normal line of a model polygon, and the Origin line of one with its own mapping is new.
MapFinisher::Action MapFinisher::ActionFor(const char* line, std::size_t length) {
  if (length > kLongestLine) {
    firstLine_ = false;
    return Action::kPass;
  }
  const std::string_view text(line, length);
  if (firstLine_) {
    firstLine_ = false;
    map_ = text == kBeginMap;
    return Action::kPass;
  }
  if (inBuilderBrush_) {
    inBuilderBrush_ = text != kEndActor;
    return Action::kPass;
  }
  // Most lines are Vertex lines: one look at the first word's first letter settles them.
  const std::size_t indent = Indent(line, length);
  switch (line[indent]) {
    case 'N':
      return text.compare(indent, kNormal.size(), kNormal) == 0 ? Action::kTextureLinesAfter : Action::kPass;
    case 'O':
      return mapping_ && text.compare(indent, kOrigin.size(), kOrigin) == 0 ? Action::kReplaceOrigin
                                                                             : Action::kPass;
    case 'B':
      inBuilderBrush_ = text == kBuilderBrush;
      if (text.compare(indent, kBeginPolygon.size(), kBeginPolygon) == 0) mapping_ = next_ && next_(texture_);
      return Action::kPass;
    default:
      return Action::kPass;
  }
}

void MapFinisher::WriteOrigin(const char* line, std::size_t length) {
  char text[kLongestLine + kMostVectorValues];
  const char* end = AppendVectorLine(text, Indent(line, length), kOrigin, texture_.origin);
  Put(text, std::size_t(end - text));
}

void MapFinisher::InsertTextureLines(const char* line, std::size_t length) {
  const std::size_t indent = Indent(line, length);
  ++textured_;
  if (mapping_) {
    char lines[2 * (kLongestLine + kMostVectorValues)];
    char* out = AppendVectorLine(lines, indent, "TextureU ", texture_.u);
    out = AppendVectorLine(out, indent, "TextureV ", texture_.v);
    Put(lines, std::size_t(out - lines));
    ++mapped_;
    return;
  }
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
