// The editor's view of the board: the grid, the tiles up to the current layer with the cursor tile
// among them, the menu and two counters (tiles, current layer).
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_metrics.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr float kCounterScale = 0.7f;

int Pixel(float value) { return QOR::fTruncateToInt(static_cast<double>(value)); }

}  // namespace

void MAHJONG_LAYOUT::RenderEditor() {
  const float left = m_origin.x;
  const float top = m_origin.y;
  const auto width = static_cast<float>(tileMetrics.columns * tileMetrics.sizeX);
  const auto height = static_cast<float>(tileMetrics.rows * tileMetrics.sizeY);
  if (QOR::qcRENDER != nullptr) {
    for (int r = 0; r <= tileMetrics.rows; ++r) {
      const float y = top + static_cast<float>(r * tileMetrics.sizeY);
      QOR::qcRENDER->fDrawLine(Pixel(left), Pixel(y), Pixel(left + width), Pixel(y), kWhite);
    }
    for (int k = 0; k <= tileMetrics.columns; ++k) {
      const float x = left + static_cast<float>(k * tileMetrics.sizeX);
      QOR::qcRENDER->fDrawLine(Pixel(x), Pixel(top), Pixel(x), Pixel(top + height), kWhite);
    }
  }

  // A tile with a fixed face shows its back and face; the others the editor's free or blocked
  // marker whole (the chip's own drawing would cut an atlas cell out of it).
  const auto draw = [this](MAHJONG_CHIP* chip, QOR::QC_SPRITE* marker) {
    if (chip->m_fixed) {
      TintChip(chip);
      QOR::QC_SPRITE* back = BackFor(chip);
      if (back != nullptr) back->fSetColor(kWhite);
      chip->Render(back, false, nullptr);
      return;
    }
    if (marker == nullptr) return;
    chip->m_sprite = marker;
    TintChip(chip);
    marker->fSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const QOR::QS_VEC2 place = chip->BackPlace();
    marker->fRenderAt(place.x + static_cast<float>(tileMetrics.layer_offsetX),
                      place.y - static_cast<float>(tileMetrics.layer_offsetY), 0.0f, 1.0f, 1.0f);
  };
  const auto drawLayers = [&](std::int32_t from, std::int32_t to) {
    for (MAHJONG_CHIP* chip : m_chips) {
      if (chip->m_layer >= from && chip->m_layer <= to) draw(chip, chip->bFreee ? m_editorFreeSprite : m_editorBlockedSprite);
    }
  };
  if (m_editorChip != nullptr) {
    const std::int32_t cursorLayer = m_editorChip->m_layer;
    drawLayers(0, std::min(cursorLayer, m_dropTopLayer));
    draw(m_editorChip, m_editorBlockedSprite);
    drawLayers(cursorLayer + 1, m_dropTopLayer);
  } else {
    drawLayers(0, m_dropTopLayer);
  }

  if (m_editorMenu != nullptr) m_editorMenu->Render();
  if (m_font == nullptr) return;
  m_font->fSetColor(kBlack);
  m_font->fSetScale(kCounterScale);
  // Two pixels down: the digits' glyphs rise above their line and would leave the window at y 0.
  m_font->fPrint(2, 2, "%i", static_cast<int>(m_chips.size()));
  m_font->fPrint(55, 120, "%i", static_cast<int>(m_dropTopLayer));
  m_font->fSetScale(1.0f);
  m_font->fSetColor(kWhite);
}
