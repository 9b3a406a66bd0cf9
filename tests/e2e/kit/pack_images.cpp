#include "tests/e2e/kit/pack_images.h"

#include "engine/files/qc_zip_reader.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdlib>

namespace qor_e2e {

std::uint32_t PACK_IMAGE::fAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const std::size_t at =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  return (static_cast<std::uint32_t>(rgba[at + 3]) << 24) | (static_cast<std::uint32_t>(rgba[at]) << 16) |
         (static_cast<std::uint32_t>(rgba[at + 1]) << 8) | rgba[at + 2];
}

PACK_IMAGE fReadPackImage(const std::string& packPath, const std::string& entry, const std::string& password) {
  PACK_IMAGE image;
  void* data = nullptr;
  std::uint32_t size = 0;
  const QOR::QE_ZIP_RESULT result = QOR::QC_ZIP_READER::fReadEntry(packPath, entry, password, data, size);
  if (result != QOR::QE_ZIP_RESULT::OK) {
    image.error = entry + " in " + packPath + ": " + QOR::QC_ZIP_READER::fDescribe(result);
    return image;
  }
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(static_cast<const stbi_uc*>(data), static_cast<int>(size), &image.width,
                                          &image.height, &channels, 4);
  std::free(data);
  if (pixels == nullptr) {
    image.width = 0;
    image.height = 0;
    image.error = entry + " does not decode";
    return image;
  }
  const std::size_t bytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
  image.rgba.assign(pixels, pixels + bytes);
  stbi_image_free(pixels);
  return image;
}

std::string fReadPackText(const std::string& packPath, const std::string& entry, const std::string& password) {
  void* data = nullptr;
  std::uint32_t size = 0;
  if (QOR::QC_ZIP_READER::fReadEntry(packPath, entry, password, data, size) != QOR::QE_ZIP_RESULT::OK) return {};
  std::string text(static_cast<const char*>(data), size);
  std::free(data);
  return text;
}

}  // namespace qor_e2e
