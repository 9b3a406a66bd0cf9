// The board model's life: construction, the chips it owns, the per-level fields, the geometry.
#include "game/board/mahjong_board.h"

#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/board_view.h"
#include "game/board/mahjong_chip.h"
#include "game/board/xml_numbers.h"

#include <algorithm>

MAHJONG_BOARD::MAHJONG_BOARD() = default;

MAHJONG_BOARD::~MAHJONG_BOARD() { DeleteAllChips(); }

void MAHJONG_BOARD::AddChip(MAHJONG_CHIP* chip) {
  if (chip != nullptr) m_chips.push_back(chip);
}

void MAHJONG_BOARD::RemoveChipAt(std::size_t index) {
  if (index >= m_chips.size()) return;
  MAHJONG_CHIP* chip = m_chips[index];
  m_chips.erase(m_chips.begin() + static_cast<std::ptrdiff_t>(index));
  DeleteChip(chip);
}

void MAHJONG_BOARD::ForgetChip(const MAHJONG_CHIP* chip) {
  if (chip == nullptr) return;
  if (m_hoverChip == chip) m_hoverChip = nullptr;
  if (m_selectedChip == chip) m_selectedChip = nullptr;
  if (m_tipChipA == chip) m_tipChipA = nullptr;
  if (m_tipChipB == chip) m_tipChipB = nullptr;
  std::erase(m_specialPositions, chip);
  std::erase(m_dealOrder, chip);
}

void MAHJONG_BOARD::DeleteChip(MAHJONG_CHIP* chip) {
  if (chip == nullptr) return;
  ForgetChip(chip);
  if (m_editorChip == chip) m_editorChip = nullptr;
  std::erase(m_chips, chip);
  delete chip;
}

void MAHJONG_BOARD::DeleteAllChips() {
  CHIP_LIST chips;
  chips.swap(m_chips);
  for (MAHJONG_CHIP* chip : chips) DeleteChip(chip);
  SetEditorChip(nullptr);
  m_specialPositions.clear();
  m_dealOrder.clear();
}

void MAHJONG_BOARD::SetEditorChip(MAHJONG_CHIP* chip) {
  if (m_editorChip == chip) return;
  MAHJONG_CHIP* previous = m_editorChip;
  m_editorChip = chip;
  if (previous != nullptr) {
    ForgetChip(previous);
    delete previous;
  }
}

void MAHJONG_BOARD::ResetLevelFields() {
  m_dropTopLayer = 0;
  m_topLayer = 0;
  m_dealMoveCount = 0;
  m_hoverChip = nullptr;
  m_selectedChip = nullptr;
  ResetTip();
  std::fill(std::begin(m_suits), std::end(m_suits), std::uint8_t{1});
  m_suitCapacity = 0;
  m_specsTotal = 0;
  m_task1Type = kTaskNone;
  m_task1Value = 0;
  m_task2Type = kTaskNone;
  m_task2Value = 0;
  m_availableMoves = 0;
  m_specialsLeft = 0;
  m_specialPositions.clear();
}

void MAHJONG_BOARD::ClearSuits() {
  std::fill(std::begin(m_suits), std::end(m_suits), std::uint8_t{0});
  m_suitCapacity = 0;
}

QOR::QS_POINT MAHJONG_BOARD::GetScreen() {
  return QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution()
                                : QOR::QS_POINT(BOARD_VIEW::kPlayWidth, BOARD_VIEW::kPlayHeight);
}

QOR::QS_POINT MAHJONG_BOARD::GetLayoutScreen() const { return m_hasLayoutScreen ? m_layoutScreen : GetScreen(); }

void MAHJONG_BOARD::ComputeOrigin() { m_origin = BOARD_VIEW::OriginOn(m_metrics, GetLayoutScreen()); }

QOR::QC_RANDOM* MAHJONG_BOARD::GetRandom() {
  if (m_random != nullptr) return m_random;
  if (QOR::qcRANDOM != nullptr) return QOR::qcRANDOM;
  if (QOR::qcCurrentRandom != nullptr) return QOR::qcCurrentRandom;
  // Without the engine's generator the board keeps one of its own, seeded like the engine's.
  static QOR::QC_RANDOM own(0);
  return &own;
}

int MAHJONG_BOARD::Draw(int first, int last) { return GetRandom()->fRandInt(first, last + 1); }

int MAHJONG_BOARD::PackFromName(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  const std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
  return file.size() < 3 ? 0 : MAHJONG_XML::ToInt(file.c_str() + 2);
}
