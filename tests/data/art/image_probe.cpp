#include "tests/data/art/image_probe.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <fstream>
#include <iterator>

namespace qor_test {

int QS_IMAGE::fChannel(int x, int y, int channel) const {
  if (x < 0 || y < 0 || x >= width || y >= height || channel < 0 || channel > 3) return 0;
  return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + channel];
}

int QS_IMAGE::fAlpha(int x, int y) const { return fChannel(x, y, 3); }

QS_IMAGE fReadImage(const std::filesystem::path& path) {
  QS_IMAGE image;
  int channels = 0;
  unsigned char* data = stbi_load(path.string().c_str(), &image.width, &image.height, &channels, 4);
  if (data == nullptr) return QS_IMAGE();
  image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
  stbi_image_free(data);
  return image;
}

std::vector<std::uint8_t> fFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace qor_test
