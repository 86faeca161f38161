#include "TextureCatalog.h"

#include <stb_image.h>

#include <algorithm>
#include <climits>

namespace {

constexpr int kLargestSide = 1024;

// The image's size from its header alone; the reason when there is none.
void ReadSize(TextureCatalog::Image& image) {
  const TextureSource& source = image.source;
  int channels = 0;
  if (source.data && source.width > 0) {
    image.width = source.width;
    image.height = source.height;
    return;
  }
  const bool read = source.data
                        ? source.size <= INT_MAX &&
                              stbi_info_from_memory(source.data, static_cast<int>(source.size), &image.width,
                                                    &image.height, &channels)
                        : stbi_info(source.file.c_str(), &image.width, &image.height, &channels);
  if (!read || image.width <= 0 || image.height <= 0) {
    image.width = image.height = 0;
    const char* reason = stbi_failure_reason();
    image.problem = reason && std::string(reason) == "can't fopen" ? "missing" : "cannot be read";
  }
}

}  // namespace

int EditorSide(int pixels) {
  int side = 1;
  while (side < kLargestSide && side * 2 <= pixels) side *= 2;
  // Between side and twice it: the nearer, the larger when both are as near.
  if (side < kLargestSide && pixels - side >= side * 2 - pixels) side *= 2;
  return side;
}

TextureCatalog::TextureCatalog(const MapSource& source) {
  for (std::size_t m = 0; m < source.MaterialCount(); ++m) {
    Image image;
    image.source = source.MaterialImage(m);
    if (!image.source.Empty()) {
      ReadSize(image);
      if (image.width > 0) {
        image.size = {static_cast<double>(EditorSide(image.width)), static_cast<double>(EditorSide(image.height))};
      }
    }
    images_.push_back(image);
  }
}

std::vector<TexelSize> TextureCatalog::Sizes() const {
  std::vector<TexelSize> sizes;
  for (const Image& image : images_) sizes.push_back(image.size);
  return sizes;
}

