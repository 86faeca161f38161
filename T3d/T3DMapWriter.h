// The text of one T3D export on its way into the output stream.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KXStreamWriter.h"

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
  /// `value` in decimal as the stream's operator<<(int32) writes it: a minus sign as a piece of
  /// its own, then the digits.
  void Integer(std::int32_t value);

  /// A polygon's Origin, Normal or Vertex line, values in "%+013.6f".
  void PolygonLine(const Keyword& keyword, float x, float y, float z);
  /// "   End Polygon".
  void PolygonEnd();
  /// A data line of the builder brush, values in "%+013.6f".
  void BrushLine(const Keyword& keyword, float x, float y, float z);
  /// An actor's Location line, values in "%f".
  void LocationLine(const TKXVector3& location);

 private:
  void Indent();

  TKXStreamWriter out_;
  bool map_;
};
