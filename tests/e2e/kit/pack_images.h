// Pictures of the built Resources, read straight from their packs (with the pack's password) and
// decoded, so a test computes where the game draws something from the very data it draws, and can
// compare window pixels with the picture's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qor_e2e {

struct PACK_IMAGE {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width x height x 4
  std::string error;               // why it could not be read, when empty

  bool fValid() const { return width > 0 && height > 0; }
  // The pixel as 0xAARRGGBB; 0 outside the picture.
  std::uint32_t fAt(int x, int y) const;
};

// Reads entry from the pack file at packPath (a password zip; the password may be empty) and
// decodes it (PNG or JPEG).
PACK_IMAGE fReadPackImage(const std::string& packPath, const std::string& entry, const std::string& password);
// The entry's bytes as they are (an XML file of the pack); empty when it cannot be read.
std::string fReadPackText(const std::string& packPath, const std::string& entry, const std::string& password);

}  // namespace qor_e2e
