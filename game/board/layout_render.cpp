// Drawing the board: layer by layer the shadows and then the chips, then the flying chips again on
// top with their points popups, the darkening, the pause buttons and the special view's hint.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_metrics.h"

#include <algorithm>
#include <string>

void MAHJONG_LAYOUT::RenderChip(MAHJONG_CHIP* chip, bool fadeActive) {
  const bool highlight = (chip == m_hoverChip || chip == m_selectedChip) && !fadeActive;
  QOR::QC_SPRITE* back = BackFor(chip);
  std::uint32_t backColor = 0xFFFFFFFFu;
  TintChip(chip);
  if (fadeActive && !chip->m_isSpecial) {
    if (chip->m_layer > m_fadeLayer) return;
    if (chip->m_layer == m_fadeLayer) {
      chip->SetColor((static_cast<std::uint32_t>(m_fadeAlpha) << 24) + 0xFFFFFFu);
      backColor = chip->GetColor();
    }
  }
  // The backs are shared: each chip sets the colour it is drawn with.
  if (back != nullptr && back != m_specialBack) back->fSetColor(backColor);
  QOR::QC_SPRITE* overlay = nullptr;
  if (!m_dropTween.active && !m_slideTween.active && !chip->bFreee) overlay = m_blockedOverlay;
  chip->Render(back, highlight, overlay);
  if (chip == m_selectedChip && m_selectionFrame != nullptr) {
    m_selectionFrame->fRenderAt(
        chip->m_position.x + static_cast<float>((chip->m_layer + 1) * tileMetrics.layer_offsetX),
        chip->m_position.y - static_cast<float>((chip->m_layer + 1) * tileMetrics.layer_offsetY), 0.0f, 1.0f, 1.0f);
  }
}

void MAHJONG_LAYOUT::RenderPopup(const MAHJONG_CHIP* chip, QOR::QC_FONT* font, QOR::QC_SPRITE* sprite) {
  const float fade = m_ptsFadeTime;
  const float hold = m_ptsDelayTime;
  const float t = chip->m_popupTime;
  // The font is shared: each popup takes the font's own colour with its own alpha, and gives the
  // font back as it found it, so no popup passes its fade to the next one.
  const std::uint32_t own = font->fGetColor();
  std::uint32_t color = own;
  // Fading in, then held, then fading out; a fade of no length shows the popup at full strength
  // (nothing divides by zero).
  if (fade > 0.0f && (t < fade || t > fade + hold)) {
    const float part = t < fade ? t / fade : 1.0f - (t - hold - fade) / fade;
    const int alpha = std::clamp(QOR::fTruncateToInt(part * 255.0f), 0, 255);
    color = (own & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24);
  }
  font->fSetColor(color);
  if (sprite != nullptr) sprite->fSetColor(color);
  const float length = 2.0f * fade + hold;
  const float y = chip->m_flightStart.y - (length > 0.0f ? t / length : 1.0f) * static_cast<float>(m_ptsHeight);
  if (sprite != nullptr) sprite->fRenderAt(chip->m_flightStart.x - 40.0f, y, 0.0f, 1.0f, 1.0f);
  const std::string text = std::to_string(chip->m_points);
  font->fPrint(QOR::fTruncateToInt(static_cast<float>(font->fGetLineWidth(text.c_str()) / 3) + chip->m_flightStart.x),
               QOR::fTruncateToInt(y), "%s", text.c_str());
  font->fSetColor(own);
}

void MAHJONG_LAYOUT::Render(bool showPanelButtons, QOR::QC_FONT* popupFont, QOR::QC_SPRITE* popupSprite) {
  const bool fadeActive = m_layerFadeRunning || m_specialView;
  for (std::int32_t layer = 0; layer <= m_topLayer; ++layer) {
    for (MAHJONG_CHIP* chip : m_chips) {
      if (chip->m_layer != layer) continue;
      if (fadeActive && !chip->m_isSpecial && chip->m_layer >= m_fadeLayer) continue;
      chip->PlaceSprite(m_shadowSprite);
    }
    for (MAHJONG_CHIP* chip : m_chips) {
      if (chip->m_layer == layer) RenderChip(chip, fadeActive);
    }
  }
  for (MAHJONG_CHIP* chip : m_chips) {
    if (chip->m_removing) {
      TintChip(chip);
      chip->Render(BackFor(chip), false, nullptr);
    }
    if (chip->m_points != 0 && popupFont != nullptr) RenderPopup(chip, popupFont, popupSprite);
  }
  if (m_darkSprite != nullptr) m_darkSprite->fRender();
  if (showPanelButtons && m_panel != nullptr && m_panel->isPaused()) m_panel->RenderButtons();
  if (m_specialView && !m_layerFadeRunning && popupFont != nullptr) {
    const QOR::QS_POINT screen = GetScreen();
    const std::uint32_t own = popupFont->fGetColor();
    popupFont->fSetColor(MAHJONG_CONSTS::GetInstance()->golden_color.fGetARGB());
    popupFont->fPrintW(screen.x / 2, screen.y - 50, L"%ls", m_hintText.c_str());
    popupFont->fSetColor(own);
  }
}
