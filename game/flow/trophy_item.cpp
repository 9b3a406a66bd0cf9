#include "game/flow/trophy_item.h"

#include "engine/loc/qc_locman.h"
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "game/board/mahjong_consts.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"

#include <pugixml.hpp>

#include <climits>
#include <string>

namespace {

constexpr char kConcealedImage[] = "concealed.png";
// The two columns stand evenly right of the left panel: this far either side of the screen's
// middle, each a picture and the room of its texts, with equal spaces beside and between them.
constexpr int kColumnApart = 188;
constexpr float kTextsRight = 90.0f;  // the texts start this far right of the picture's middle
constexpr float kTextsTop = 160.0f;   // and level with its top, above the shelf's rim

std::wstring localised(const QOR::QC_LOCMAN* strings, const std::string& key) {
  return pugi::as_wide(strings != nullptr ? strings->fGetValue(key) : "not found");
}

}  // namespace

TROPHY_ITEM::TROPHY_ITEM(int id, const pugi::xml_node& trophies, const QOR::QC_LOCMAN* strings) {
  _concealed = id < 0;
  _id = id == INT_MIN ? INT_MAX : (id < 0 ? -id : id);
  const std::string key = std::to_string(_id);

  pugi::xml_node entry;
  for (const pugi::xml_node& child : trophies.children("trophy")) {
    if (key == child.attribute("id").value()) {
      entry = child;
      break;
    }
  }
  _picture = MENU_OBJECTS::NewSprite(_concealed ? kConcealedImage : entry.attribute("pic").value());
  _picture->fSetAnchor(QOR::QC_SPRITE::kAnchorBottomCentre, 0.0f, 0.0f);
  _title = localised(strings, entry.attribute("title").value());
  _description = localised(strings, "tr" + key);

  const QOR::QS_POINT screen = MENU_OBJECTS::ScreenSize();
  int x = 0;
  int y = 0;
  fPlace(_id, screen.x, screen.y, x, y);
  fSetPosition(static_cast<float>(x), static_cast<float>(y));
}

TROPHY_ITEM::~TROPHY_ITEM() { MENU_OBJECTS::DeleteSprite(_picture); }

void TROPHY_ITEM::fPlace(int id, int width, int height, int& x, int& y) {
  const int x1 = width / 2 - kColumnApart;
  const int x2 = width / 2 + kColumnApart;
  const int top = height - 516;
  const int middle = height - 316;
  const int bottom = height - 116;
  struct PLACE {
    int first, last, x, y;
  };
  const PLACE places[] = {
      {0, 3, x1, top},
      {4, 8, x2, top},
      {9, 9, x1, middle},
      {10, 10, x2, middle},
      {11, 11, x1, bottom},
      {12, 12, x2, bottom},
      {13, 13, x1 + kPageOffset, top},
      {14, 14, x2 + kPageOffset, top},
      {15, 17, x1 + kPageOffset, middle},
      {18, 20, x2 + kPageOffset, middle},
      {21, 23, x1 + kPageOffset, bottom},
      {24, 26, x2 + kPageOffset, bottom},
  };
  for (const PLACE& place : places) {
    if (id >= place.first && id <= place.last) {
      x = place.x;
      y = place.y;
      return;
    }
  }
  x = -1000;
  y = -1000;
}

void TROPHY_ITEM::fSetPosition(float x, float y) { _picture->fSetPositionXY(x, y); }

void TROPHY_ITEM::fGetPosition(float& x, float& y) const {
  const QOR::QS_VEC2 at = _picture->fGetPosition();
  x = at.x;
  y = at.y;
}

void TROPHY_ITEM::fRender(QOR::QC_FONT* titleFont, QOR::QC_FONT* textFont) {
  _picture->fRender();
  if (_title.empty() && _description.empty()) return;
  const QOR::QS_VEC2 at = _picture->fGetPosition();
  const int x = QOR::fTruncateToInt(at.x + kTextsRight);
  if (titleFont != nullptr) {
    titleFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
    PrintText(titleFont, x, QOR::fTruncateToInt(at.y - kTextsTop), _title);
    titleFont->fSetAlign(0);
  }
  if (textFont != nullptr) {
    // The description starts below the title's lines and the header space.
    const float space = MAHJONG_CONSTS::GetInstance()->trophies_store_header_text_space;
    const int lines = titleFont != nullptr ? titleFont->fCountLinesW(_title.c_str()) : 0;
    const int lineHeight = titleFont != nullptr ? titleFont->fGetLineHeight() : 0;
    const float y = at.y - kTextsTop + (space + static_cast<float>(lines)) * static_cast<float>(lineHeight);
    textFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
    PrintText(textFont, x, QOR::fTruncateToInt(y), _description);
    textFont->fSetAlign(0);
  }
}
