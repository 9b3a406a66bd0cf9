// The layout's life: construction, destruction and the per-level counters.
#include "game/board/mahjong_layout.h"

#include "engine/files/qc_file_system.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/resource_folders.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"

#include <pugixml.hpp>

namespace {

constexpr char kFontDescription[] = "TrebuchetMSREGULAR.fnt";
constexpr char kFontPage[] = "TrebuchetMSREGULAR_0.png";
constexpr int kFontBuffer = 600;
constexpr char kSelectionFrame[] = "Board.png";

void Unsubscribe(QOR::QC_TEXTURE_INFO*& image) {
  if (image != nullptr) QOR::QC_GAME::fUnscribeImage(image);
  image = nullptr;
}

}  // namespace

MAHJONG_LAYOUT::MAHJONG_LAYOUT(const std::string& tileSet, MAHJONG_PLAYER* player, bool editorMode, int /*unused*/,
                               QOR::QC_SPRITE* darkSource)
    : m_player(player) {
  ResetFields();
  m_editorMode = editorMode;
  // The editor markers live in a folder of their own; the tile pictures in "data/tiles".
  QOR::QC_GAME::fAddPack(MAHJONG_FOLDERS::kEditor);
  LoadTilesXml(tileSet);
  m_panel = new MAHJONG_HUD_PANEL(player);
  ComputeOrigin();

  const int cellWidth = 2 * tileMetrics.layer_offsetX + tileMetrics.sizeX;
  m_selectionImage = QOR::QC_GAME::fSubscribeImage(kSelectionFrame);
  m_selectionFrame = new QOR::QC_SPRITE(m_selectionImage);
  m_selectionFrame->fSetSize(cellWidth, tileMetrics.sizeY);
  m_selectionFrame->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);

  m_fontPage = QOR::QC_GAME::fSubscribeImage(kFontPage);
  m_font = new QOR::QC_FONT(QOR::QC_GAME::fLoadXml(kFontDescription)->child("font"), m_fontPage, kFontBuffer);
  m_font->fSetColor(0xFFFFFFFFu);
  m_font->_spacing -= 10;

  // Our data keeps the tiles in the "data/tiles" archive (registered with its password by the
  // game); a loose folder of that name is added only when there is one, so no board logs a
  // missing pack.
  const std::string tilesFolder = QOR::fLoaderFileSystem()->fGetResourceDirectory() + MAHJONG_FOLDERS::kTiles;
  if (QOR::QC_GAME::fGetPathType(tilesFolder) == 2) QOR::QC_GAME::fAddPack(MAHJONG_FOLDERS::kTiles);

  m_blockedOverlay = CutAtlasSprite(nullptr, m_shadowSprite != nullptr ? m_shadowSprite->fGetTexture() : nullptr,
                                    MAHJONG_FACES::kShadowFrame, cellWidth + 2, tileMetrics.sizeY + 10);
  m_blockedOverlay->fSetColor(0x00FFFFFFu);

  const QOR::QS_POINT screen = GetScreen();
  m_darkSprite = new QOR::QC_SPRITE(darkSource != nullptr ? darkSource->fGetTexture() : nullptr);
  m_darkSprite->fSetSize(screen.x, screen.y);
  m_darkSprite->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  m_darkSprite->fSetPosition(static_cast<float>(screen.x) / 2.0f, static_cast<float>(screen.y) / 2.0f, 0.0f);
  m_darkSprite->fSetColor(0x00FFFFFFu);
  m_timeText = "00:00";
}

MAHJONG_LAYOUT::~MAHJONG_LAYOUT() {
  if (m_editorMenu != nullptr && m_editorMenuRelease != nullptr) m_editorMenuRelease(m_editorMenu);
  m_editorMenu = nullptr;
  // The chips go first: they point at the sprites below.
  DeleteAllChips();
  delete m_font;
  delete m_editorFreeSprite;
  delete m_editorBlockedSprite;
  delete m_shadowSprite;
  delete m_darkSprite;
  delete m_selectionFrame;
  delete m_normalBack;
  delete m_bonusBack;
  delete m_specialBack;
  delete m_faceSprite;
  delete m_blockedOverlay;
  delete m_panel;
  m_font = nullptr;
  m_editorFreeSprite = m_editorBlockedSprite = m_faceSprite = nullptr;
  Unsubscribe(m_atlasImage);
  Unsubscribe(m_fontPage);
  Unsubscribe(m_selectionImage);
  Unsubscribe(m_editorFreeImage);
  Unsubscribe(m_editorBlockedImage);
}

void MAHJONG_LAYOUT::ResetFields() {
  m_idleTime = 0.0f;
  m_elapsed = 0.0f;
  m_timeText = "00:00";
  m_movesMade = 0;
  m_bestMultiplier = 0;
  m_multiplierProgress = 0;
  m_dropLayer = 0;
  m_dropChipIndex = 0;
  m_dropWait = 0.0f;
  m_bonusUsable = 0;
  m_darkenToggle = false;
  m_shuffleRequested = false;
  m_deleteAny = false;
  m_layerFadeRunning = false;
  m_specialView = false;
  m_fadeLayer = 0;
  m_fadeAlpha = 0;
  m_fadeTime = 0.0f;
  m_fadeDelayTimer = 0.0f;
  m_fadeTopLayer = 0;
  m_dropTween.Stop();
  m_slideTween.Stop();
  m_lastActedCell = QOR::QS_VEC2(-1.0f, -1.0f);
  m_dragLayer = -1;
  ResetLevelFields();
}

void MAHJONG_LAYOUT::TintChip(MAHJONG_CHIP* chip) {
  std::uint32_t color = 0xFFFFFFFFu;
  if (m_editorMode) {
    if (chip->m_isBonus) {
      color = 0xFF9999FFu;
    } else if (chip->m_isSpecial) {
      color = 0xFFDDCC00u;
    }
  }
  chip->SetColor(color);
}

QOR::QC_SPRITE* MAHJONG_LAYOUT::BackFor(const MAHJONG_CHIP* chip) const {
  if (chip->m_isBonus) return m_bonusBack;
  if (chip->m_isSpecial) return m_specialBack;
  return m_normalBack;
}

void MAHJONG_LAYOUT::RenderHud(QOR::QC_FONT* font) {
  if (m_panel != nullptr) m_panel->Render(font, m_movesMade, m_timeText, m_specialsLeft, m_player);
}
