// Loading and saving the level file, and placing tiles: the editor's placement and the lift
// before the drop-in.
#include "engine/files/replace_file.h"
#include "engine/files/well_formed_xml.h"
#include "engine/math/float_to_int.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_metrics.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

bool MAHJONG_LAYOUT::LoadLevel(const std::string& name) {
  LoadFxParams();
  if (m_panel != nullptr) m_panel->CreateSlots(m_player);
  pugi::xml_document own;
  const pugi::xml_document* document = MAHJONG_LEVELS::ReadForPlay(name, own, PlayView());
  ResetFields();
  if (document == nullptr) {
    // Nothing of the old level or of the refused one stays behind.
    DeleteAllChips();
    ResetLevelFields();
    return false;
  }
  ReadLevel(*document, name);
  return true;
}

BOARD_VIEW MAHJONG_LAYOUT::PlayView() const {
  const QOR::QS_POINT screen(BOARD_VIEW::kPlayWidth, BOARD_VIEW::kPlayHeight);
  std::vector<BOARD_AREA> covered;
  if (m_panel != nullptr) covered = m_panel->PlayCover(screen);
  return BOARD_VIEW(GetTileMetrics(), screen, std::move(covered));
}

QOR::QS_VEC2 MAHJONG_LAYOUT::GridOf(const QOR::QS_VEC2& place) const {
  const int halfX = GetTileMetrics().sizeX / 2;
  const int halfY = GetTileMetrics().sizeY / 2;
  return QOR::QS_VEC2(halfX != 0 ? (place.x - m_origin.x) / static_cast<float>(halfX) : 0.0f,
                      halfY != 0 ? (place.y - m_origin.y) / static_cast<float>(halfY) : 0.0f);
}

bool MAHJONG_LAYOUT::SaveLevel(const std::string& path) { return SaveLevelWith(path, CurrentLevelSettings()); }

std::string MAHJONG_LAYOUT::LevelText(const LEVEL_FILE_SETTINGS& settings) const {
  pugi::xml_document document;
  WriteLevel(document, settings);
  return QOR::fSaveWellFormedXml(document, "\t", pugi::format_indent);
}

bool MAHJONG_LAYOUT::SaveLevelWith(const std::string& path, const LEVEL_FILE_SETTINGS& settings,
                                   std::string* cause) {
  const std::string bytes = LevelText(settings);
  std::string error;
  const bool saved = QOR::fReplaceFile(path, bytes.data(), bytes.size(), error) == 1;
  if (!saved) {
    QOR::fLog() << "level not saved to " << path << ": " << error;
    if (cause != nullptr) *cause = error;
    return false;
  }
  QOR::fLog() << "SAVED TO " << path;
  return true;
}

void MAHJONG_LAYOUT::PlaceChip(const QOR::QS_VEC2& position, std::int32_t layer, bool isbonus, bool isspecial,
                               std::int32_t type) {
  const float x = position.x - m_origin.x;
  const float y = position.y - m_origin.y;
  const auto width = static_cast<float>(tileMetrics.columns * tileMetrics.sizeX);
  const auto height = static_cast<float>(tileMetrics.rows * tileMetrics.sizeY);
  // Strictly inside: a tile's place is its centre, so a tile on the edge would hang off the board.
  if (!(x > 0.0f && x < width && y > 0.0f && y < height)) {
    QOR::fLog() << "OUT OF BORDERS";
    return;
  }
  const int halfX = tileMetrics.sizeX / 2;
  const int halfY = tileMetrics.sizeY / 2;
  if (halfX == 0 || halfY == 0 || QOR::fTruncateToInt(x) % halfX != 0 || QOR::fTruncateToInt(y) % halfY != 0) {
    QOR::fLog() << "BAD POS";
    return;
  }
  if (type > 42 || type < -3) {
    QOR::fLog() << "BAD TYPE";
    return;
  }
  const QOR::QS_VEC2 grid = GridOf(position);
  if (layer < 0 || layer > kMaxLayer || !PlayView().isSeen(grid.x, grid.y, layer)) {
    QOR::fLog() << "OUT OF VIEW";
    return;
  }
  auto* chip = new MAHJONG_CHIP(type == 42 ? m_editorFreeSprite : m_faceSprite, position, layer, isbonus, isspecial);
  chip->m_fixed = type != 42;
  chip->m_type = type;
  AddChip(chip);
  SortChips(1, true);
  UpdateAllFree();
  m_specsTotal = static_cast<std::int32_t>(
      std::count_if(m_chips.begin(), m_chips.end(), [](const MAHJONG_CHIP* c) { return c->m_isSpecial; }));
  m_topLayer = std::max(m_topLayer, layer);
}

void MAHJONG_LAYOUT::StartDropIn() {
  m_dropLayer = 0;
  m_dropChipIndex = 0;
  m_dropWait = 0.0f;
  const auto screenHeight = static_cast<float>(GetScreen().y);
  LiftAboveCells();
  if (m_chips.empty()) return;
  const float top = m_chips.front()->GetPosition().y;
  m_dropTween.Start(top, top + screenHeight, MotionSeconds(showLevelTime));
}

bool MAHJONG_LAYOUT::CheckBonusReady() {
  m_bonusUsable = m_panel != nullptr && m_panel->bonusSlot.isActive() ? 1 : 0;
  return m_bonusUsable != 0;
}
