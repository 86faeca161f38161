#include "TextureExport.h"

#include <libimagequant.h>
#include <stb_image.h>
#include <stb_image_resize.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "OutputFile.h"

namespace {

struct Pixels {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
};

// The image as 8-bit RGBA, decoded by stb_image (or as the model holds it already).
bool Decode(const TextureSource& source, Pixels& pixels) {
  if (source.data && source.width > 0) {
    // Held by the model as blue, green, red, alpha.
    pixels.width = source.width;
    pixels.height = source.height;
    pixels.rgba.assign(source.data, source.data + source.size);
    for (std::size_t i = 0; i + 3 < pixels.rgba.size(); i += 4) std::swap(pixels.rgba[i], pixels.rgba[i + 2]);
    return true;
  }
  int channels = 0;
  unsigned char* decoded =
      source.data ? (source.size <= INT_MAX ? stbi_load_from_memory(source.data, static_cast<int>(source.size),
                                                                    &pixels.width, &pixels.height, &channels, 4)
                                            : nullptr)
                  : stbi_load(source.file.c_str(), &pixels.width, &pixels.height, &channels, 4);
  if (!decoded) return false;
  pixels.rgba.assign(decoded, decoded + std::size_t(pixels.width) * pixels.height * 4);
  stbi_image_free(decoded);
  return true;
}

// Resampled to `width` x `height` with stb's default filters, the edges wrapping as a tiled
// texture's do, in sRGB.
bool Resample(const Pixels& from, int width, int height, Pixels& to) {
  to.width = width;
  to.height = height;
  to.rgba.resize(std::size_t(width) * height * 4);
  return stbir_resize_uint8_generic(from.rgba.data(), from.width, from.height, from.width * 4, to.rgba.data(),
                                    width, height, width * 4, 4, 3, 0, STBIR_EDGE_WRAP, STBIR_FILTER_DEFAULT,
                                    STBIR_COLORSPACE_SRGB, nullptr) != 0;
}

struct Palettized {
  std::vector<unsigned char> indices;
  liq_palette palette{};
};

// 256 colours by libimagequant, dithered.
bool Quantize(Pixels& pixels, Palettized& out) {
  const std::unique_ptr<liq_attr, void (*)(liq_attr*)> attr(liq_attr_create(), liq_attr_destroy);
  if (!attr) return false;
  const std::unique_ptr<liq_image, void (*)(liq_image*)> image(
      liq_image_create_rgba(attr.get(), pixels.rgba.data(), pixels.width, pixels.height, 0), liq_image_destroy);
  liq_result* quantized = nullptr;
  if (!image || liq_image_quantize(image.get(), attr.get(), &quantized) != LIQ_OK) return false;
  const std::unique_ptr<liq_result, void (*)(liq_result*)> result(quantized, liq_result_destroy);
  liq_set_dithering_level(result.get(), 1.0f);
  out.indices.resize(std::size_t(pixels.width) * pixels.height);
  if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) != LIQ_OK) return false;
  out.palette = *liq_get_palette(result.get());
  return true;
}

void Put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}
void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// An uncompressed 8-bit BMP: file header, info header, 256 palette entries, rows bottom up,
// each padded to four bytes.
std::vector<unsigned char> Bmp(const Palettized& image, int width, int height) {
  const std::uint32_t row = (static_cast<std::uint32_t>(width) + 3) & ~3u;
  const std::uint32_t offset = 14 + 40 + 256 * 4, size = offset + row * static_cast<std::uint32_t>(height);
  std::vector<unsigned char> bmp;
  bmp.reserve(size);
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, size);
  Put32(bmp, 0);
  Put32(bmp, offset);
  Put32(bmp, 40);
  Put32(bmp, static_cast<std::uint32_t>(width));
  Put32(bmp, static_cast<std::uint32_t>(height));
  Put16(bmp, 1);
  Put16(bmp, 8);
  Put32(bmp, 0);  // no compression
  Put32(bmp, row * static_cast<std::uint32_t>(height));
  Put32(bmp, 2835);  // 72 dots per inch
  Put32(bmp, 2835);
  Put32(bmp, 256);
  Put32(bmp, 0);
  for (unsigned i = 0; i < 256; ++i) {
    const liq_color c = i < image.palette.count ? image.palette.entries[i] : liq_color{0, 0, 0, 0};
    bmp.insert(bmp.end(), {c.b, c.g, c.r, 0});
  }
  for (int y = height - 1; y >= 0; --y) {
    const unsigned char* line = image.indices.data() + std::size_t(y) * static_cast<std::size_t>(width);
    bmp.insert(bmp.end(), line, line + width);
    bmp.resize(bmp.size() + (row - static_cast<std::uint32_t>(width)), 0);
  }
  return bmp;
}

std::string TextureFile(const TextureToWrite& texture, const std::string& folder) {
  return (std::filesystem::path(folder) / (texture.name + ".bmp")).string();
}

bool WriteTexture(const TextureToWrite& texture, const std::string& folder, std::string& error) {
  Pixels pixels, sized;
  Palettized palettized;
  const int width = static_cast<int>(texture.image->size.width), height = static_cast<int>(texture.image->size.height);
  if (!Decode(texture.image->source, pixels)) {
    error = "cannot be decoded";
    return false;
  }
  if (!Resample(pixels, width, height, sized) || !Quantize(sized, palettized)) {
    error = "cannot be resampled or reduced to 256 colours";
    return false;
  }
  const std::vector<unsigned char> bmp = Bmp(palettized, width, height);
  return WriteFile(TextureFile(texture, folder), bmp.data(), bmp.size(), error);
}

}  // namespace

std::size_t WriteTextures(const std::vector<TextureToWrite>& textures, const std::string& folder,
                          std::vector<std::string>& problems) {
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  std::string commands;
  std::size_t written = 0;
  for (const TextureToWrite& texture : textures) {
    std::string error;
    if (!WriteTexture(texture, folder, error)) {
      problems.push_back(texture.name + ": " + error);
      continue;
    }
    ++written;
    // The command a package's #exec lines use, for the editor's console.
    commands += "TEXTURE IMPORT NAME=" + texture.name + " FILE=\"" + TextureFile(texture, folder) +
                "\" PACKAGE=MyLevel GROUP=Model MIPS=ON\n";
  }
  std::string error;
  const std::string list = (std::filesystem::path(folder) / kTextureImportFile).string();
  if (!WriteFile(list, commands.data(), commands.size(), error)) problems.push_back(error);
  return written;
}
