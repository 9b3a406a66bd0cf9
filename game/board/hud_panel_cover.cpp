// What the panel covers of the screen while a level is played: the level check keeps every tile
// clear of it.
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_hud_panel.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_image_button.h"

namespace {

// A sprite drawn with its pivot at (x, y).
BOARD_AREA SpriteArea(const QOR::QC_SPRITE& sprite, float x, float y) {
  const QOR::QS_TRANSFORM3* transform = sprite.fGetTransform();
  const float left = x - (transform != nullptr ? transform->_pivot.x : 0.0f);
  const float top = y - (transform != nullptr ? transform->_pivot.y : 0.0f);
  return BOARD_AREA{left, top, left + sprite.fGetWidth(), top + sprite.fGetHeight()};
}

// A picture of that size centred on (x, y): buttons, rings and marks.
BOARD_AREA CentredArea(float width, float height, float x, float y) {
  return BOARD_AREA{x - width / 2.0f, y - height / 2.0f, x + width / 2.0f, y + height / 2.0f};
}

}  // namespace

std::vector<BOARD_AREA> MAHJONG_HUD_PANEL::PlayCover(QOR::QS_POINT screen) const {
  std::vector<BOARD_AREA> areas;
  const auto width = static_cast<float>(screen.x);
  const auto height = static_cast<float>(screen.y);

  // The top row comes down by as much as its left back lies above the screen's top.
  const float drop = -GetTopRowY();
  const auto settled = [&](const QOR::QC_SPRITE* sprite, float x) {
    if (sprite != nullptr) areas.push_back(SpriteArea(*sprite, x, sprite->fGetPosition().y + drop));
  };
  settled(leftBack, leftBack != nullptr ? leftBack->fGetPosition().x : 0.0f);
  settled(rightBack, width);
  for (const QOR::QC_SPRITE* back : {specialsBack, movesBack, timeBack, pointsBack}) {
    settled(back, back != nullptr ? back->fGetPosition().x : 0.0f);
  }
  if (multRing != nullptr) {
    const QOR::QS_VEC2 at = multRing->fGetPosition();
    const QOR::QS_VEC2 size = multRing->fGetSize();
    areas.push_back(CentredArea(size.x, size.y, at.x, at.y + drop));
  }
  if (menuButton != nullptr) {
    const QOR::QS_VEC2 at = menuButton->fGetPosition();
    areas.push_back(CentredArea(static_cast<float>(menuButton->fGetWidth()),
                                static_cast<float>(menuButton->fGetHeight()), at.x, at.y + drop));
  }

  // The lower corners: the slot backs hang from below the screen at its two sides.
  if (slotBack != nullptr) {
    const float bottom = height + kSlotBackDrop;
    const float top = bottom - slotBack->fGetHeight();
    areas.push_back(BOARD_AREA{0.0f, top, slotBack->fGetWidth(), bottom});
    areas.push_back(BOARD_AREA{width - slotBack->fGetWidth(), top, width, bottom});
  }
  const float slotY = height - kSlotRise;
  const float slotX[2] = {kSlotInset, width - kSlotInset};
  const HUD_SLOT* slots[2] = {&skillSlot, &bonusSlot};
  const QOR::QC_SPRITE* marks[2] = {skillSlotMark, bonusSlotMark};
  for (int side = 0; side < 2; ++side) {
    if (const QOR::QC_IMAGE_BUTTON* button = slots[side]->button) {
      areas.push_back(CentredArea(static_cast<float>(button->fGetWidth()), static_cast<float>(button->fGetHeight()),
                                  slotX[side], slotY));
    }
    if (marks[side] != nullptr) {
      areas.push_back(CentredArea(marks[side]->fGetWidth(), marks[side]->fGetHeight(), slotX[side], slotY));
    }
  }
  if (bonusRing != nullptr) {
    const QOR::QS_VEC2 size = bonusRing->fGetSize();
    areas.push_back(CentredArea(size.x, size.y, slotX[1], slotY));
  }
  return areas;
}
