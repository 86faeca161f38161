// Actor and texture names that every map reader takes as one word, and actor names that do not
// clash.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/// `name` as a word of ASCII letters, digits and '_' that does not start with a digit: every
/// other byte (non-ASCII ones included) becomes '_', a run of them one '_', and a leading digit
/// gets a '_' before it. An empty result becomes `whenEmpty`. A name that is a word already
/// stays as it is.
std::string SafeName(std::string_view name, std::string_view whenEmpty);

/// The file name of `path` without its folders (either separator) or its last extension, with
/// quotes and surrounding spaces taken off.
std::string_view FileStem(std::string_view path);

/// A name changed on its way into the map.
struct Renaming {
  enum class Kind { kActor, kTexture };
  Kind kind;
  std::string original;
  std::string name;
};

/// The names of one map: actor names safe and unique, texture names safe, each change recorded.
class MapNames {
 public:
  /// The word an object with no usable name gets.
  static constexpr std::string_view kUnnamedActor = "Unnamed";
  /// The texture of a material with neither a texture file nor a name.
  static constexpr std::string_view kUnnamedTexture = "Default";

  MapNames();

  /// The actor name for an object named `original`: SafeName of it, with _2, _3, ... added when
  /// that is taken already in this map (letter case ignored, as editors compare names), and never
  /// a name the map reserves ("dummy", the builder brush; "None", the engine's empty name).
  std::string ActorName(std::string_view original);
  /// The texture name of a material: the file stem of its diffuse texture `texturePath` when that
  /// holds a letter or digit, else `materialName`, made safe. Textures may share names.
  std::string TextureName(std::string_view texturePath, std::string_view materialName);

  /// Every change made, in order; a texture's once.
  const std::vector<Renaming>& Renamings() const { return renamings_; }

 private:
  bool Take(const std::string& name);

  std::unordered_set<std::string> taken_;                 // lower case
  std::unordered_map<std::string, unsigned> nextSuffix_;  // lower-case base -> next number to try
  std::unordered_set<std::string> texturesRecorded_;
  std::vector<Renaming> renamings_;
};
