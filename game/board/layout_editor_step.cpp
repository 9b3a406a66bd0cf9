// The level editor's controller, run by the play step while the board is in editor mode: the
// cursor tile on the half-tile grid, painting and erasing tiles by dragging over the grid, the
// menu's buttons and the editor's keys.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/play_kit.h"
#include "game/board/tile_metrics.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kKeyBonusMode = '1';
constexpr int kKeyNormalMode = '2';
constexpr int kKeySpecialMode = '3';
constexpr int kKeyLayerUp = QOR::kKeyPadPlus;
constexpr int kKeyLayerDown = QOR::kKeyPadMinus;
constexpr char kQuitUnsavedQuestion[] = "The level has changes that are not saved. Quit without saving them?";

// Went down this tick or is held.
bool isDown(const QOR::QC_INPUT& input, int key) {
  const std::uint8_t state = input.fGetState(key);
  return state != 0 && state != 255;
}

// The same place: x and y equal (the vectors' own == compares lengths).
bool SameCell(const QOR::QS_VEC2& a, const QOR::QS_VEC2& b) { return a.x == b.x && a.y == b.y; }

// A coordinate snapped down to the half-tile grid that starts at the board's origin.
float Snap(float value, float origin, int step) {
  const int n = QOR::fTruncateToInt(static_cast<double>(value) - origin);
  return origin + static_cast<float>(n - n % step);
}

// Within half a tile in x and in y (squared distances, truncated).
bool isNear(const MAHJONG_CHIP& chip, const QOR::QS_VEC2& cell) {
  const double halfX = tileMetrics.sizeX / 2;
  const double halfY = tileMetrics.sizeY / 2;
  const double dx = static_cast<double>(chip.m_position.x) - cell.x;
  const double dy = static_cast<double>(chip.m_position.y) - cell.y;
  return std::trunc(dx * dx) <= halfX * halfX && std::trunc(dy * dy) <= halfY * halfY;
}

struct EDITOR_CLICKS {
  bool save = false;
  bool load = false;
  bool layerUp = false;
  bool layerDown = false;
  bool bonusMode = false;
  bool normalMode = false;
  bool specialMode = false;
  bool clear = false;
};

EDITOR_CLICKS ClicksOf(EDITOR_MENU* menu) {
  EDITOR_CLICKS clicks;
  if (menu == nullptr) return clicks;
  clicks.save = PLAY_KIT::isClicked(menu->saveButton);
  clicks.load = PLAY_KIT::isClicked(menu->loadButton);
  clicks.layerUp = PLAY_KIT::isClicked(menu->layerUpButton);
  clicks.layerDown = PLAY_KIT::isClicked(menu->layerDownButton);
  clicks.bonusMode = PLAY_KIT::isClicked(menu->bonusModeButton);
  clicks.normalMode = PLAY_KIT::isClicked(menu->normalModeButton);
  clicks.specialMode = PLAY_KIT::isClicked(menu->specialModeButton);
  clicks.clear = PLAY_KIT::isClicked(menu->clearButton);
  return clicks;
}

// A tile of the picked type and kind at the cell, unless one on that layer would overlap it.
void Paint(MAHJONG_LAYOUT& board, const QOR::QS_VEC2& cell, std::int32_t layer) {
  for (const MAHJONG_CHIP* chip : board.GetChips()) {
    if (chip->m_layer == layer && isNear(*chip, cell)) return;
  }
  const std::size_t before = board.GetChips().size();
  board.PlaceChip(cell, layer, board.m_editorBonus, board.m_editorSpecial, board.m_pickedType);
  if (board.GetChips().size() == before) return;
  board.m_dropTopLayer = std::max(board.m_dropTopLayer, layer);
  board.m_topLayer = std::max(board.m_topLayer, board.m_dropTopLayer);
}

// The tile lying exactly at the cell one layer below the cursor, deleted.
void Erase(MAHJONG_LAYOUT& board, const QOR::QS_VEC2& cell, std::int32_t layer) {
  const MAHJONG_BOARD::CHIP_LIST& chips = board.GetChips();
  const auto found = std::find_if(chips.begin(), chips.end(), [&](const MAHJONG_CHIP* chip) {
    return chip->m_layer == layer - 1 && SameCell(chip->m_position, cell);
  });
  if (found == chips.end()) return;
  board.DeleteChip(*found);
  board.UpdateAllFree();
}

// Button 1 paints and button 2 erases on the layer where the button went down, once per cell.
void PaintAndErase(MAHJONG_LAYOUT& board, const QOR::QC_INPUT& input, const QOR::QS_VEC2& cell,
                   std::int32_t layer) {
  if (input.isPressed(QOR::kMouseLeft)) board.m_dragLayer = layer;
  if (!isDown(input, QOR::kMouseLeft)) {
    if (!isDown(input, QOR::kMouseRight)) {
      board.m_lastActedCell = QOR::QS_VEC2(-1.0f, -1.0f);
      board.m_dragLayer = -1;
    }
  } else if (!SameCell(cell, board.m_lastActedCell) && board.m_dragLayer == layer) {
    Paint(board, cell, layer);
    board.m_lastActedCell = cell;
    board.m_dragLayer = layer;
  }
  if (board.GetChips().empty()) return;
  if (input.isPressed(QOR::kMouseRight)) board.m_dragLayer = layer;
  if (isDown(input, QOR::kMouseRight) && !SameCell(cell, board.m_lastActedCell) && board.m_dragLayer == layer) {
    Erase(board, cell, layer);
    board.m_lastActedCell = cell;
    board.m_dragLayer = layer;
  }
}

}  // namespace

bool MAHJONG_LAYOUT::isEditorCellOffered(const QOR::QS_VEC2& cell, std::int32_t layer) const {
  const QOR::QS_VEC2 grid = GridOf(cell);
  return layer >= 0 && layer <= kMaxLayer && PlayView().isSeen(grid.x, grid.y, layer);
}

std::int32_t MAHJONG_LAYOUT::EditorCursorLayer(const QOR::QS_VEC2& cell) const {
  std::int32_t layer = 0;
  for (const MAHJONG_CHIP* chip : m_chips) {
    if (chip->m_layer <= m_dropTopLayer && isNear(*chip, cell)) layer = std::max(layer, chip->m_layer + 1);
  }
  return layer;
}

void MAHJONG_LAYOUT::UpdateEditor() {
  QOR::QC_INPUT* input = QOR::qcCurrentInput;
  if (input == nullptr) return;
  EDITOR_MENU* menu = m_editorMenu;
  const int halfX = tileMetrics.sizeX / 2;
  const int halfY = tileMetrics.sizeY / 2;
  const bool onGrid = halfX > 0 && halfY > 0 &&
                      input->isMouseInRect(m_origin.x, m_origin.y,
                                           static_cast<float>(tileMetrics.columns * tileMetrics.sizeX),
                                           static_cast<float>(tileMetrics.rows * tileMetrics.sizeY));
  if (!onGrid) {
    SetEditorChip(nullptr);
  } else {
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    input->fGetMousePosF(&mouseX, &mouseY);
    const QOR::QS_VEC2 cell(Snap(mouseX, m_origin.x, halfX), Snap(mouseY, m_origin.y, halfY));
    const std::int32_t layer = EditorCursorLayer(cell);
    // The cursor tile shows only where a tile can be placed: where the game counts it as seen.
    if (!isEditorCellOffered(cell, layer)) {
      SetEditorChip(nullptr);
    } else if (m_editorChip == nullptr) {
      SetEditorChip(new MAHJONG_CHIP(m_editorBlockedSprite, cell, layer, false, false));
    } else {
      m_editorChip->SetPosition(cell);
      m_editorChip->m_layer = layer;
    }
    if (menu != nullptr) m_pickedType = menu->pickedType;
    // The open picker lies over the grid: its clicks pick a tile, they paint nothing.
    if (menu == nullptr || !menu->pickerOpen) PaintAndErase(*this, *input, cell, layer);
  }

  // Each of the menu's buttons takes its step once per tick; keys typed into a text box belong to
  // the box.
  const EDITOR_CLICKS clicks = ClicksOf(menu);
  const bool typing = menu != nullptr && menu->isTyping();
  const auto key = [&](int code) { return !typing && input->isReleased(code); };
  if (clicks.save) SaveEditorLevel();
  if (clicks.load) LoadEditorLevel();
  if ((clicks.layerUp || key(kKeyLayerUp)) && m_dropTopLayer < m_topLayer) ++m_dropTopLayer;
  if ((clicks.layerDown || key(kKeyLayerDown)) && m_dropTopLayer > 0) --m_dropTopLayer;
  if (clicks.bonusMode || key(kKeyBonusMode)) {
    m_editorSpecial = false;
    m_editorBonus = true;
    if (menu != nullptr) menu->MarkModeButton(menu->bonusModeButton);
  }
  if (clicks.normalMode || key(kKeyNormalMode)) {
    m_editorSpecial = false;
    m_editorBonus = false;
    if (menu != nullptr) menu->MarkModeButton(menu->normalModeButton);
  }
  if (clicks.specialMode || key(kKeySpecialMode)) {
    m_editorSpecial = true;
    m_editorBonus = false;
    if (menu != nullptr) menu->MarkModeButton(menu->specialModeButton);
  }
  if (clicks.clear) {
    DeleteAllChips();
    m_dropTopLayer = 0;
    m_topLayer = 0;
  }
  if (input->isReleased(QOR::kKeyEscape) && QOR::qcGAME != nullptr && ConfirmEditorQuit()) QOR::qcGAME->fQuit();
  if (key(QOR::kKeyRight)) MoveAllChips(QOR::QS_VEC2(static_cast<float>(halfX), 0.0f));
  if (key(QOR::kKeyLeft)) MoveAllChips(QOR::QS_VEC2(static_cast<float>(-halfX), 0.0f));
  if (key(QOR::kKeyUp)) MoveAllChips(QOR::QS_VEC2(0.0f, static_cast<float>(-halfY)));
  if (key(QOR::kKeyDown)) MoveAllChips(QOR::QS_VEC2(0.0f, static_cast<float>(halfY)));
  if (menu != nullptr) menu->Update();
}

bool MAHJONG_LAYOUT::ConfirmEditorQuit() const {
  return !hasUnsavedEdits() || QOR::QC_GAME::fAskOkCancel(kQuitUnsavedQuestion);
}

void MAHJONG_LAYOUT::MoveAllChips(const QOR::QS_VEC2& offset) {
  // The bounds a tile may be placed within (PlaceChip's, strict), so a moved tile stays placeable.
  const float right = m_origin.x + static_cast<float>(tileMetrics.columns * tileMetrics.sizeX);
  const float bottom = m_origin.y + static_cast<float>(tileMetrics.rows * tileMetrics.sizeY);
  const BOARD_VIEW view = PlayView();
  for (const MAHJONG_CHIP* chip : m_chips) {
    const float x = chip->m_position.x + offset.x;
    const float y = chip->m_position.y + offset.y;
    if (!(x > m_origin.x && x < right && y > m_origin.y && y < bottom)) {
      QOR::fLog() << "OUT OF BORDERS";
      return;
    }
    const QOR::QS_VEC2 grid = GridOf(QOR::QS_VEC2(x, y));
    if (!view.isSeen(grid.x, grid.y, chip->m_layer)) {
      QOR::fLog() << "OUT OF VIEW";
      return;
    }
  }
  for (MAHJONG_CHIP* chip : m_chips) {
    chip->SetPositionXY(chip->m_position.x + offset.x, chip->m_position.y + offset.y);
  }
}
