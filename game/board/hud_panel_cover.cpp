// What the panel covers of the screen while a level is played: the level check keeps the faces of
// the tiles clear of it, and the board takes no click there. Each part is what its picture shows,
// not its whole box: the pictures carry transparent margins and round shapes (the data builder's
// painters: tools/data/art/pictures_hud.cpp and pictures_buttons.cpp), and a face beside a
// margin is not covered.
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_hud_panel.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>

namespace {

// The lacquer band of a top bar ends short of its picture's inner end and above its bottom, with
// a rounded corner there.
constexpr float kTopBarInnerMargin = 19.0f;
constexpr float kTopBarBottomMargin = 4.0f;
constexpr float kTopBarCorner = 22.0f;
// A value plate is an ivory pill 2 px inside its picture.
constexpr float kPlateMargin = 2.0f;
// A slot back's lacquer starts below the top of its picture and short of its inner side, with a
// rounded corner between them (its painted curve lies inside that radius).
constexpr float kSlotBackTopMargin = 6.0f;
constexpr float kSlotBackInnerMargin = 2.0f;
constexpr float kSlotBackCorner = 34.0f;

// A sprite drawn with its pivot at (x, y).
BOARD_AREA SpriteArea(const QOR::QC_SPRITE& sprite, float x, float y) {
  const QOR::QS_TRANSFORM3* transform = sprite.fGetTransform();
  const float left = x - (transform != nullptr ? transform->_pivot.x : 0.0f);
  const float top = y - (transform != nullptr ? transform->_pivot.y : 0.0f);
  return BOARD_AREA{left, top, left + sprite.fGetWidth(), top + sprite.fGetHeight()};
}

// A round picture of that size centred on (x, y): buttons, rings and marks.
BOARD_AREA RoundArea(float width, float height, float x, float y) {
  const float radius = std::min(width, height) / 2.0f;
  return BOARD_AREA{x - width / 2.0f, y - height / 2.0f, x + width / 2.0f, y + height / 2.0f, radius};
}

}  // namespace

std::vector<BOARD_AREA> MAHJONG_HUD_PANEL::PlayCover(QOR::QS_POINT screen) const {
  std::vector<BOARD_AREA> areas;
  const auto width = static_cast<float>(screen.x);
  const auto height = static_cast<float>(screen.y);

  // The top row comes down by as much as its left back lies above the screen's top. Each bar's
  // band runs on past the screen's edge, so only its inner corners are round on the screen.
  const float drop = -GetTopRowY();
  if (leftBack != nullptr) {
    BOARD_AREA bar = SpriteArea(*leftBack, leftBack->fGetPosition().x, leftBack->fGetPosition().y + drop);
    areas.push_back(BOARD_AREA{bar.left - kTopBarCorner, bar.top - kTopBarCorner, bar.right - kTopBarInnerMargin,
                               bar.bottom - kTopBarBottomMargin, kTopBarCorner});
  }
  if (rightBack != nullptr) {
    BOARD_AREA bar = SpriteArea(*rightBack, width, rightBack->fGetPosition().y + drop);
    areas.push_back(BOARD_AREA{bar.left + kTopBarInnerMargin, bar.top - kTopBarCorner, bar.right + kTopBarCorner,
                               bar.bottom - kTopBarBottomMargin, kTopBarCorner});
  }
  for (const QOR::QC_SPRITE* back : {specialsBack, movesBack, timeBack, pointsBack}) {
    if (back == nullptr) continue;
    const BOARD_AREA plate = SpriteArea(*back, back->fGetPosition().x, back->fGetPosition().y + drop);
    areas.push_back(BOARD_AREA{plate.left + kPlateMargin, plate.top + kPlateMargin, plate.right - kPlateMargin,
                               plate.bottom - kPlateMargin, (plate.bottom - plate.top) / 2.0f - kPlateMargin});
  }
  if (multRing != nullptr) {
    const QOR::QS_VEC2 at = multRing->fGetPosition();
    const QOR::QS_VEC2 size = multRing->fGetSize();
    areas.push_back(RoundArea(size.x, size.y, at.x, at.y + drop));
  }
  if (menuButton != nullptr) {
    const QOR::QS_VEC2 at = menuButton->fGetPosition();
    areas.push_back(RoundArea(static_cast<float>(menuButton->fGetWidth()),
                              static_cast<float>(menuButton->fGetHeight()), at.x, at.y + drop));
  }

  // The lower corners: the slot backs hang from below the screen at its two sides, each running on
  // past the screen's side and bottom, round only at its inner top corner.
  if (slotBack != nullptr) {
    const float bottom = height + kSlotBackDrop + kSlotBackCorner;
    const float top = height + kSlotBackDrop - slotBack->fGetHeight() + kSlotBackTopMargin;
    const float reach = slotBack->fGetWidth() - kSlotBackInnerMargin;
    areas.push_back(BOARD_AREA{-kSlotBackCorner, top, reach, bottom, kSlotBackCorner});
    areas.push_back(BOARD_AREA{width - reach, top, width + kSlotBackCorner, bottom, kSlotBackCorner});
  }
  const float slotY = height - kSlotRise;
  const float slotX[2] = {kSlotInset, width - kSlotInset};
  const HUD_SLOT* slots[2] = {&skillSlot, &bonusSlot};
  const QOR::QC_SPRITE* marks[2] = {skillSlotMark, bonusSlotMark};
  for (int side = 0; side < 2; ++side) {
    if (const QOR::QC_IMAGE_BUTTON* button = slots[side]->button) {
      areas.push_back(RoundArea(static_cast<float>(button->fGetWidth()), static_cast<float>(button->fGetHeight()),
                                slotX[side], slotY));
    }
    if (marks[side] != nullptr) {
      areas.push_back(RoundArea(marks[side]->fGetWidth(), marks[side]->fGetHeight(), slotX[side], slotY));
    }
  }
  if (bonusRing != nullptr) {
    const QOR::QS_VEC2 size = bonusRing->fGetSize();
    areas.push_back(RoundArea(size.x, size.y, slotX[1], slotY));
  }
  return areas;
}
