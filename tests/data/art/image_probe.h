// Reads a PNG or JPEG back for the art tests (stb_image), as RGBA.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qor_test {

struct QS_IMAGE {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width x height x 4
  bool isValid() const { return width > 0 && height > 0; }
  // Alpha (or a colour channel) of the pixel at (x, y); 0 outside the picture.
  int fAlpha(int x, int y) const;
  int fChannel(int x, int y, int channel) const;
};

QS_IMAGE fReadImage(const std::filesystem::path& path);

// The bytes of a file (empty when it cannot be read).
std::vector<std::uint8_t> fFileBytes(const std::filesystem::path& path);

}  // namespace qor_test
