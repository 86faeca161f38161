// The text of one T3D export on its way into the output stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "KXStreamWriter.h"
#include "T3d/T3DShortValues.h"

struct TKXVector3;

/// Writes the pieces of a T3D file into a stream, numbers formatted in place. Carries the layout:
/// in a map, every line below a polygon's header moves six spaces right.
class T3DMapWriter {
 public:
  /// Nine characters: "Origin", "Normal", "Vertex" and three spaces, "TextureU" and one space.
  using Keyword = char[10];

  /// Writes into `stream` in the map layout (`map`) or the single-object layout.
  T3DMapWriter(TKXTextStream& stream, bool map);

  /// Fixed text: a string literal, without its NUL.
  template <std::size_t N>
  void Text(const char (&text)[N]) {
    out_.WriteLiteral(text);
  }
  /// A name of any length, up to its NUL.
  void Name(const char* name) { out_.WriteText(name); }
  /// A name of `length` bytes.
  void Name(const char* name, std::uint32_t length) { out_.Write(name, length); }
  /// `value` in decimal as the stream's operator<<(int32) writes it: a minus sign as a piece of
  /// its own, then the digits.
  void Integer(std::int32_t value);
  /// A polygon's header line: "   Begin Polygon Item=", the item name, " Texture=", the
  /// texture name, " Link=" and `link`, each piece as Text, Name and Integer write it.
  void PolygonHeader(const char* item, std::uint32_t itemLength, const char* texture,
                     std::uint32_t textureLength, std::int32_t link);

  /// A polygon's Origin or Vertex line of a point rounded to whole units, in the map's axes: the
  /// values X, -Y, Z in "%+013.6f".
  void OriginLine(std::int32_t x, std::int32_t y, std::int32_t z) {
    const char* values = WholeLine(origin_, x, y, z);
    originShort_ = values != nullptr;
    if (originShort_) std::memcpy(originValues_, values, kValuesLength);
    originPoint_[0] = x;
    originPoint_[1] = y;
    originPoint_[2] = z;
  }
  void VertexLine(std::int32_t x, std::int32_t y, std::int32_t z) { WholeLine(vertex_, x, y, z); }
  /// The Vertex line of the point of the last Origin line: its values are copied.
  void VertexLineAtOrigin() {
    char* out = out_.Reserve(kLineTemplateSize);
    if (out && originShort_) {
      std::memcpy(Start(vertex_, out), originValues_, kValuesLength);
      out_.Commit(out + vertex_.length);
      return;
    }
    WholeLine(vertex_, originPoint_[0], originPoint_[1], originPoint_[2]);
  }
  /// A polygon's Normal line, values as written, in "%+013.6f".
  void NormalLine(float x, float y, float z) {
    char* out = out_.Reserve(kLineTemplateSize);
    if (out && IsShortFloat(x) && IsShortFloat(y) && IsShortFloat(z)) {
      char* values = Start(normal_, out);
      FillShortFloat(values, x);
      FillShortFloat(values + kValueStep, y);
      FillShortFloat(values + 2 * kValueStep, z);
      out_.Commit(out + normal_.length);
      return;
    }
    PolygonLine(normal_.keyword, x, y, z);
  }
  /// "   End Polygon".
  void PolygonEnd();
  /// A data line of the builder brush, values in "%+013.6f".
  void BrushLine(const Keyword& keyword, float x, float y, float z);
  /// An actor's Location line, values in "%f".
  void LocationLine(const TKXVector3& location);

 private:
  /// The bytes a line template takes, the longest line of short values (63) and some to spare, so
  /// that it is copied whole.
  static constexpr std::uint32_t kLineTemplateSize = 64;
  static constexpr std::size_t kValueStep = kShortPolygonValueLength + 1;  // a value and a comma
  /// Three values with their commas and the line feed.
  static constexpr std::size_t kValuesLength = 3 * kValueStep;

  /// A polygon's data line with short values, as it is in this layout before the values are
  /// filled in: the indent, the keyword, three values of kShortPolygonValue and the line feed.
  struct LineTemplate {
    LineTemplate(const Keyword& keyword, bool map);
    const char* keyword;
    char text[kLineTemplateSize];
    std::uint32_t length;
    std::uint32_t firstValue;
  };

  // Copies the template to `out` and returns the place of its first value.
  static char* Start(const LineTemplate& line, char* out) {
    std::memcpy(out, line.text, kLineTemplateSize);
    return out + line.firstValue;
  }

  // The values written in place, or null when the line went in pieces.
  const char* WholeLine(const LineTemplate& line, std::int32_t x, std::int32_t y, std::int32_t z) {
    char* out = out_.Reserve(kLineTemplateSize);
    if (out && IsShortWhole(x) && IsShortWhole(y) && IsShortWhole(z)) {
      char* values = Start(line, out);
      FillShortWhole(values, x);
      FillShortWhole(values + kValueStep, -y);
      FillShortWhole(values + 2 * kValueStep, z);
      out_.Commit(out + line.length);
      return values;
    }
    WholeLineInPieces(line.keyword, x, y, z);
    return nullptr;
  }
  /// The lines above, each piece (the indent, the line) on its own: values of any size, or no
  /// room for the template in place.
  void PolygonLine(const char* keyword, float x, float y, float z);
  void WholeLineInPieces(const char* keyword, std::int32_t x, std::int32_t y, std::int32_t z);
  void Indent();

  TKXStreamWriter out_;
  bool map_;
  LineTemplate origin_;
  LineTemplate normal_;
  LineTemplate vertex_;
  // The last Origin line's point, and its values as they were written when they were short.
  std::int32_t originPoint_[3] = {0, 0, 0};
  bool originShort_ = false;
  char originValues_[kValuesLength];
};
