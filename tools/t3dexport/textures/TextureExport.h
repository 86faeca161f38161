// `--textures DIR`: every texture a map names, ready for the editors' import: power-of-two
// sides, 8-bit palettized BMP named as the map names the texture, and one file of the editors'
// TEXTURE IMPORT commands for them all.
#pragma once

#include <string>
#include <vector>

#include "TextureCatalog.h"

struct TextureToWrite {
  std::string name;                    ///< as the map names it; the file is NAME.bmp
  const TextureCatalog::Image* image;  ///< readable, of known size
};

/// The file of import commands written beside the textures.
constexpr const char* kTextureImportFile = "import-textures.txt";

/// Writes each texture of `textures` into `folder` (made when missing), each image resampled to
/// its editor size and reduced to 256 colours, and the import commands, one line a texture.
/// Returns the textures written; `problems` gets one line for each that could not be.
std::size_t WriteTextures(const std::vector<TextureToWrite>& textures, const std::string& folder,
                          std::vector<std::string>& problems);
