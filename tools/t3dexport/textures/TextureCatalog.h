// The textures a map's materials name, as the editor will have them: where each image is and
// the size it takes on import, read without decoding the image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MapSource.h"
#include "TextureMapping.h"

/// The side a texture takes in the editors, which import power-of-two sizes only: the nearest
/// power of two (the larger of two as near), at most 1024.
int EditorSide(int pixels);

class TextureCatalog {
 public:
  struct Image {
    TextureSource source;
    int width = 0, height = 0;  ///< as the image has them; 0 when it cannot be read
    TexelSize size;             ///< in the editor; unknown when the image cannot be read
    std::string problem;        ///< why it cannot be read, or empty
  };

  /// Looks up every material's image and reads its size.
  explicit TextureCatalog(const MapSource& source);

  const Image& ImageOf(std::size_t material) const { return images_[material]; }
  std::size_t Count() const { return images_.size(); }
  /// The editor size of each material's texture, unknown where there is none.
  std::vector<TexelSize> Sizes() const;

 private:
  std::vector<Image> images_;
};
