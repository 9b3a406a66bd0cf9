// What the help overlay owns: its panel, the page arrows and OK, the shown page's header and lines,
// and the sample sprites and tiles its pages show. The manager holds one; it frees what it holds
// when the manager goes.
#pragma once

#include <string>
#include <vector>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

class MAHJONG_CHIP;

struct HELP_PARTS {
  HELP_PARTS() = default;
  ~HELP_PARTS() { Free(); }
  HELP_PARTS(const HELP_PARTS&) = delete;
  HELP_PARTS& operator=(const HELP_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null and empty afterwards.
  void Free();

  QOR::QC_SPRITE* panel = nullptr;
  QOR::QC_IMAGE_BUTTON* rightArrow = nullptr;
  QOR::QC_IMAGE_BUTTON* leftArrow = nullptr;
  QOR::QC_IMAGE_BUTTON* okButton = nullptr;
  int page = 1;
  std::wstring header;
  std::vector<std::wstring> lines;
  std::vector<QOR::QC_SPRITE*> sprites;  // the 13 sample sprites
  std::vector<MAHJONG_CHIP*> tiles;      // the 12 sample tiles of page 1
  std::string tileSet;                   // the tile set the samples were made from
};
