// The panel's frame work: drawing it, advancing its flashes and reading the menu request.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_player.h"
#include "game/board/play_kit.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;

QOR::QS_POINT screenSize() {
  return QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT{1024, 768};
}

float truncated(float value) { return static_cast<float>(QOR::fTruncateToInt(value)); }

// Where a slot stands vertically: its button's y (its icon's without a button).
float slotY(const HUD_SLOT& slot, float fallback) {
  if (slot.button != nullptr) return slot.button->fGetPosition().y;
  if (slot.icon != nullptr) return slot.icon->fGetPosition().y;
  return fallback;
}

// A text at (back x + 10, back y + 2), truncated.
int textX(const QOR::QC_SPRITE* back) { return QOR::fTruncateToInt(back->fGetPosition().x + 10.0f); }
int textY(const QOR::QC_SPRITE* back) { return QOR::fTruncateToInt(back->fGetPosition().y + 2.0f); }

void render(QOR::QC_SPRITE* sprite) {
  if (sprite != nullptr) sprite->fRender();
}

// The marks of a profile's slots, one row each from the first slot's place down; a profile
// never has more slots than the profile keeps.
void renderMarks(QOR::QC_SPRITE* mark, int count, float x, float firstY) {
  if (mark == nullptr) return;
  const int rows = std::clamp(count, 0, MAHJONG_PLAYER::kSlots);
  for (int row = 0; row < rows; ++row) {
    mark->fSetPosition(x, firstY + MAHJONG_HUD_PANEL::kSlotMarkStep * static_cast<float>(row), 0.0f);
    mark->fRender();
  }
}

}  // namespace

void MAHJONG_HUD_PANEL::Render(QOR::QC_FONT* font, int moves, std::string timeText, int specialsLeft,
                               MAHJONG_PLAYER* profile) {
  const QOR::QS_POINT screen = screenSize();
  const float width = static_cast<float>(screen.x);
  const float height = static_cast<float>(screen.y);

  render(leftBack);
  render(rightBack);
  render(timeBack);
  render(pointsBack);
  if (multRing != nullptr) multRing->fRenderAll();
  render(movesBack);
  render(specialsBack);

  if (font != nullptr) {
    font->fSetColor(MAHJONG_CONSTS::GetInstance()->money_color.fGetARGB());
    // Texts go in as arguments, never as the format, so a '%' in one is shown as it stands.
    if (pointsBack != nullptr) font->fPrint(textX(pointsBack), textY(pointsBack), "%s", pointsText);
    if (movesBack != nullptr) font->fPrintW(textX(movesBack), textY(movesBack), L"%i", moves);
    if (timeBack != nullptr) font->fPrint(textX(timeBack), textY(timeBack), "%s", timeText);
    if (specialsBack != nullptr) font->fPrintW(textX(specialsBack), textY(specialsBack), L"%i", specialsLeft);
  }

  if (multRing != nullptr) {
    const QOR::QS_VEC2 ring = multRing->fGetPosition();
    QOR::QC_SPRITE* digits = multDigits;
    if (multFlash.running && multDigitsSelected != nullptr) {
      digits = multDigitsSelected;
      if (flashSprite != nullptr) digits->fSetColor(flashSprite->fGetVertexColor(0));
    }
    if (digits != nullptr) digits->fRenderAt(ring.x + 2.0f, ring.y - 2.0f, 0.0f, 1.0f, 1.0f);
  }

  if (slotBack != nullptr) {
    slotBack->fSetAnchor(QOR::QC_SPRITE::kAnchorBottomLeft, 0.0f, 0.0f);
    slotBack->fSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    slotBack->fRenderAt(-sideOffset, height + kSlotBackDrop, 0.0f, 1.0f, 1.0f);
    slotBack->fSetAnchor(QOR::QC_SPRITE::kAnchorBottomRight, 0.0f, 0.0f);
    slotBack->fSetUV(1.0f, 0.0f, 0.0f, 1.0f);
    slotBack->fRenderAt(width + sideOffset, height + kSlotBackDrop, 0.0f, 1.0f, 1.0f);
  }

  const float leftX = truncated(kSlotInset - sideOffset);
  const float rightX = truncated(sideOffset + width - kSlotInset);
  const float markY = height - kSlotRise;
  if (profile != nullptr) {
    renderMarks(skillSlotMark, profile->m_abilitySlots, leftX, markY);
    renderMarks(bonusSlotMark, profile->m_bonusSlots, rightX, markY);
  }

  const float bonusY = slotY(bonusSlot, markY);
  skillSlot.Render(leftX, truncated(slotY(skillSlot, markY)));
  bonusSlot.Render(rightX, truncated(bonusY));

  if (bonusRing != nullptr) {
    bonusRing->fSetPercent(BonusRingPercent(profile));
    bonusRing->fSetPosition(sideOffset + width - kSlotInset, bonusY, 0.0f);
    bonusRing->fRenderAll();
  }

  if (bonusSlot.flashOn != 0 && bonusReadySprite != nullptr) {
    const float t = bonusSlot.flashTime;
    if (t < bonusFlash.growTime) {
      const float scale = bonusFlash.ScaleAt(t);
      bonusReadySprite->fSetScale(scale, scale, scale);
    } else if (t <= bonusFlash.growTime + bonusFlash.fadeTime) {
      const auto alpha = static_cast<std::uint32_t>(bonusFlash.AlphaAt(t));
      bonusReadySprite->fSetColor((alpha << 24) | 0x00FFFFFFu);
    }
    bonusReadySprite->fSetPosition(sideOffset + width - kSlotInset, bonusY, 0.0f);
    bonusReadySprite->fRender();
  }

  if (menuButton != nullptr) menuButton->fRender();
}

void MAHJONG_HUD_PANEL::RenderButtons() {
  render(pauseBack);
  for (QOR::QC_IMAGE_BUTTON* button : {menuButton, replayButton, optionsButton, mainMenuButton, tutorialsButton}) {
    if (button != nullptr) button->fRender();
  }
}

void MAHJONG_HUD_PANEL::Update(float dt) {
  if (bonusFlash.Advance(bonusSlot, dt) && bonusReadySprite != nullptr) {
    bonusReadySprite->fSetScale(1.0f, 1.0f, 1.0f);
    bonusReadySprite->fSetColor(kOpaqueWhite);
  }

  const int alpha = multFlash.Step(dt);
  if (alpha >= 0 && flashSprite != nullptr) {
    const std::uint32_t rgb = flashSprite->fGetVertexColor(0) & 0x00FFFFFFu;
    flashSprite->fSetColor((static_cast<std::uint32_t>(alpha) << 24) | rgb);
  }
}

bool MAHJONG_HUD_PANEL::isMenuRequested(float dt) {
  Update(dt);
  const bool clicked = PLAY_KIT::isClicked(menuButton);
  const bool escape = PLAY_KIT::isKeyReleased(QOR::kKeyEscape);
  if (!clicked && !escape) return false;
  PLAY_KIT::PlaySound("button_click.ogg");
  return true;
}
