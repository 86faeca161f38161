#include "T3d/T3DMapWriter.h"

#include <cstring>

#include "KXGeometry.h"
#include "T3d/T3DDecimalDigits.h"
#include "T3d/T3DNumberForms.h"

namespace {

constexpr std::size_t kKeywordLength = sizeof(T3DMapWriter::Keyword) - 1;
constexpr std::size_t kIndent = 6;
constexpr std::size_t kPolygonLineIndent = 6;
constexpr std::size_t kBrushLineIndent = 13;
// The longest line: indent, keyword, three of the longest values, two commas, the line feed.
static_assert(kBrushLineIndent + kKeywordLength + 3 * kMaxNumberFormLength + 3 <=
                  TKXStreamWriter::kMaxFormatted,
              "every line fits one formatted piece");

template <std::size_t N>
char* Put(char* out, const char (&text)[N]) {
  std::memcpy(out, text, N - 1);
  return out + (N - 1);
}

char* PutBytes(char* out, const char* bytes, std::uint32_t count) {
  std::memcpy(out, bytes, count);
  return out + count;
}

char* PutLineStart(char* out, std::size_t indent, const char* keyword) {
  std::memset(out, ' ', indent);
  std::memcpy(out + indent, keyword, kKeywordLength);
  return out + indent + kKeywordLength;
}

// `Indent` spaces, the keyword and the three values with their commas and line feed.
template <std::size_t Indent>
char* FormatPointLine(char* out, const char* keyword, float x, float y, float z) {
  out = PutLineStart(out, Indent, keyword);
  out = FormatPolygonFloat(out, x);
  *out++ = ',';
  out = FormatPolygonFloat(out, y);
  *out++ = ',';
  out = FormatPolygonFloat(out, z);
  *out++ = '\n';
  return out;
}

char* FormatWholePointLine(char* out, const char* keyword, std::int32_t x, std::int32_t y,
                           std::int32_t z) {
  out = PutLineStart(out, kPolygonLineIndent, keyword);
  out = FormatPolygonWhole(out, x, false);
  *out++ = ',';
  out = FormatPolygonWhole(out, y, true);
  *out++ = ',';
  out = FormatPolygonWhole(out, z, false);
  *out++ = '\n';
  return out;
}

}  // namespace

T3DMapWriter::LineTemplate::LineTemplate(const Keyword& keyword, bool map) : keyword(keyword) {
  std::memset(text, ' ', sizeof text);
  char* out = PutLineStart(text, (map ? kIndent : 0) + kPolygonLineIndent, keyword);
  firstValue = static_cast<std::uint32_t>(out - text);
  for (int value = 0; value < 3; ++value) {
    out = Put(out, kShortPolygonValue);
    *out++ = value < 2 ? ',' : '\n';
  }
  length = static_cast<std::uint32_t>(out - text);
}

T3DMapWriter::T3DMapWriter(TKXTextStream& stream, bool map)
    : out_(stream),
      map_(map),
      origin_("Origin   ", map),
      normal_("Normal   ", map),
      vertex_("Vertex   ", map) {}

void T3DMapWriter::Integer(std::int32_t value) {
  if (value < 0) out_.WriteLiteral("-");
  out_.WriteFormatted([value](char* out) { return WriteDecimalDigits(out, Magnitude(value), 1); });
}

void T3DMapWriter::PolygonHeader(const char* item, std::uint32_t itemLength, const char* texture,
                                 std::uint32_t textureLength, std::int32_t link) {
  constexpr std::uint32_t kMostBesidesNames =
      sizeof "   Begin Polygon Item= Texture= Link=-\n" - 1 + kMaxDecimalDigits;
  if (char* out = out_.Reserve(kMostBesidesNames + itemLength + textureLength)) {
    out = Put(out, "   Begin Polygon Item=");
    out = PutBytes(out, item, itemLength);
    out = Put(out, " Texture=");
    out = PutBytes(out, texture, textureLength);
    out = Put(out, " Link=");
    if (link < 0) *out++ = '-';
    out = WriteDecimalDigits(out, Magnitude(link), 1);
    *out++ = '\n';
    out_.Commit(out);
    return;
  }
  Text("   Begin Polygon Item=");
  Name(item, itemLength);
  Text(" Texture=");
  Name(texture, textureLength);
  Text(" Link=");
  Integer(link);
  Text("\n");
}

void T3DMapWriter::Indent() {
  if (map_) out_.WriteLiteral("      ");
}

void T3DMapWriter::PolygonLine(const char* keyword, float x, float y, float z) {
  Indent();
  out_.WriteFormatted(
      [&](char* out) { return FormatPointLine<kPolygonLineIndent>(out, keyword, x, y, z); });
}

void T3DMapWriter::WholeLineInPieces(const char* keyword, std::int32_t x, std::int32_t y,
                                     std::int32_t z) {
  Indent();
  out_.WriteFormatted([&](char* out) { return FormatWholePointLine(out, keyword, x, y, z); });
}

void T3DMapWriter::PolygonEnd() {
  Indent();
  out_.WriteLiteral("   End Polygon\n");
}

void T3DMapWriter::BrushLine(const Keyword& keyword, float x, float y, float z) {
  out_.WriteFormatted(
      [&](char* out) { return FormatPointLine<kBrushLineIndent>(out, keyword, x, y, z); });
}

void T3DMapWriter::LocationLine(const TKXVector3& location) {
  out_.WriteFormatted([&](char* out) {
    out = Put(out, "   Location=(X=");
    out = FormatLocationValue(out, static_cast<double>(location.x));
    out = Put(out, ",Y=");
    out = FormatLocationValue(out, static_cast<double>(location.y));
    out = Put(out, ",Z=");
    out = FormatLocationValue(out, static_cast<double>(location.z));
    return Put(out, ")\n");
  });
}
