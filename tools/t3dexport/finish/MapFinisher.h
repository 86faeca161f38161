// Finishes the plug-in's T3D text for map readers: texture axes for every model polygon and the
// closing line of a map, inserted into the byte stream with nothing else changed.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

/// A model polygon's texture mapping as the finished map writes it: s = (P - origin) . u,
/// t = (P - origin) . v.
struct FinishedTexture {
  double origin[3], u[3], v[3];
};

/// A streaming filter over the plug-in's output, fed in chunks of any size (lines may straddle
/// chunks). Every input byte goes through unchanged, and the filter inserts:
///   - after each Normal line of a model polygon, a "TextureU " and a "TextureV " line indented
///     as the Normal line: the polygon's own mapping where it has one (its Origin line then
///     written anew with the mapping's origin), else the axes of the builder brush face the
///     written normal is nearest;
///   - at the end of a file whose first line is "Begin Map", the line "End Map".
/// The builder brush ("Begin Actor Class=Brush Name=dummy" to its "End Actor") passes untouched.
/// Output reaches the sink in blocks of up to kBlockSize bytes; nothing is allocated after
/// construction.
class MapFinisher {
 public:
  using Sink = std::function<void(const char* data, std::size_t size)>;
  /// The mapping of the next model polygon (they come in order); false for the world-aligned one.
  using NextTexture = std::function<bool(FinishedTexture& texture)>;
  static constexpr std::size_t kBlockSize = 64 * 1024;
  /// Lines longer than this (end of line included) are passed through unread.
  static constexpr std::size_t kLongestLine = 256;

  explicit MapFinisher(Sink sink, NextTexture next = {});

  /// Takes the next `size` bytes of the plug-in's output.
  void Write(const char* data, std::size_t size);
  /// Ends the input: adds End Map to a map (after a line feed if the input lacked its last one)
  /// and hands all that is left to the sink. Call once, after the last Write.
  void Finish();
  /// Polygons given texture lines so far.
  std::size_t TexturedPolygons() const { return textured_; }
  /// Of those, the ones given their own mapping.
  std::size_t MappedPolygons() const { return mapped_; }

 private:
  /// What a line asks of the filter.
  enum class Action { kPass, kTextureLinesAfter, kReplaceOrigin };

  /// Keeps the start of a line that goes on in the next chunk (puts it out once it is too long).
  void Hold(const char* data, std::size_t size);
  void FinishHeldLine();
  Action ActionFor(const char* line, std::size_t length);
  void InsertTextureLines(const char* line, std::size_t length);
  void WriteOrigin(const char* line, std::size_t length);
  void Put(const char* data, std::size_t size);
  void Flush();

  Sink sink_;
  NextTexture next_;
  std::unique_ptr<char[]> block_;
  std::size_t used_ = 0;
  char partial_[kLongestLine];     // a line that straddles chunks, held back
  std::size_t partialLength_ = 0;  // its length so far; beyond kLongestLine it is put out
  bool firstLine_ = true;
  bool map_ = false;
  bool inBuilderBrush_ = false;
  bool endsWithLineFeed_ = true;
  bool mapping_ = false;  // whether the polygon being read has its own mapping
  FinishedTexture texture_{};
  std::size_t textured_ = 0;
  std::size_t mapped_ = 0;
};
