// The board's step while a level is played: the pause panel, the two slots, the menu, the clock,
// the flights, the no-moves check, the hover highlight and the clicks that select tiles and
// remove matching pairs, scored with the multiplier.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/play_kit.h"
#include "game/board/tile_metrics.h"
#include "gui/widgets/qc_image_button.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kShuffleBonus = 2;

std::string TwoDigits(int value) { return (value <= 9 ? "0" : "") + std::to_string(value); }

// Whether the shuffle's re-deal could give a move: two tiles free by the board's rule (whatever a
// tutorial step has made of the flags), at different places, one of them free to take another
// face (the deal keeps fixed faces). The flags are left as they were.
bool ShuffleCouldMakeMove(MAHJONG_LAYOUT& board) {
  const MAHJONG_BOARD::CHIP_LIST& chips = board.GetChips();
  std::vector<bool> flags;
  std::vector<const MAHJONG_CHIP*> free;
  for (MAHJONG_CHIP* chip : chips) {
    flags.push_back(chip->bFreee);
    if (board.UpdateChipFree(chip, chips)) free.push_back(chip);
  }
  for (std::size_t i = 0; i < chips.size(); ++i) chips[i]->bFreee = flags[i];
  for (std::size_t a = 0; a < free.size(); ++a) {
    for (std::size_t b = a + 1; b < free.size(); ++b) {
      if (!free[a]->SamePlace(*free[b]) && !(free[a]->m_fixed && free[b]->m_fixed)) return true;
    }
  }
  return false;
}

}  // namespace

int MAHJONG_LAYOUT::Update() {
  const float dt = QOR::qcFrameTime;
  if (m_editorMode) {
    UpdateEditor();
    return 0;
  }
  // The level is over: what is still in the air lands, nothing else happens.
  if (m_levelFinished) {
    UpdateFlights(dt);
    return 0;
  }
  if (m_panel != nullptr && m_panel->isPaused()) return UpdatePaused();

  if (m_panel != nullptr && m_panel->bonusSlot.Click() == QOR::QC_IMAGE_BUTTON::kClicked) {
    ResetTip();
    if (m_panel->bonusSlot.button != nullptr) m_panel->bonusSlot.button->fDisable();
    if (UseBonus(kShuffleBonus)) return kEventShuffle;
  }
  if (m_panel != nullptr && m_panel->skillSlot.Click() == QOR::QC_IMAGE_BUTTON::kClicked) {
    bool darken = !m_darkenToggle;
    if (m_player != nullptr) {
      m_player->m_doTilesShadowing = !m_player->m_doTilesShadowing;
      darken = m_player->m_doTilesShadowing;
    }
    DarkenTiles(darken);
    return kEventSkill;
  }
  if (m_panel != nullptr && m_panel->isMenuRequested(dt)) SetPause(true);

  const int cheat = CheatKeys();
  if (cheat != 0) return cheat;
  UpdateTimer();

  const FLIGHT_STEP flights = UpdateFlights(dt);
  if (flights.levelComplete && EndLevelIfComplete()) return kEventLevelComplete;
  // Whatever the count of tiles left: a board with an odd one still meets its dead end.
  if (flights.landed > 0) CalcAvailableMoves();
  if (!m_chips.empty() && m_availableMoves == 0) {
    // The shuffle is offered only where it could help; a board it cannot help has failed.
    if (m_bonusUsable != 0 && ShuffleCouldMakeMove(*this)) return kEventNoMovesBonus;
    QOR::fLog() << "THIS IS THE END!!!!!!!!!";
    return kEventNoMoves;
  }

  float mouseX = 0.0f;
  float mouseY = 0.0f;
  if (QOR::qcCurrentInput != nullptr) QOR::qcCurrentInput->fGetMousePosF(&mouseX, &mouseY);
  // A click on the panel is the panel's, even over a tile's edge.
  const bool onBoard = QOR::qcCurrentInput != nullptr && TakesClicksAt(mouseX, mouseY);
  if (onBoard) {
    UpdateHover();
    if (PLAY_KIT::isKeyReleased(QOR::kMouseLeft)) {
      // A click while only the special tiles show brings the hidden layers back.
      if (m_specialView && !m_layerFadeRunning) {
        m_layerFadeRunning = true;
        m_fadeTime = 0.0f;
        m_fadeDelayTimer = 0.0f;
      }
      if (m_hoverChip != nullptr) {
        const int event = ClickChip();
        if (event != 0) return event;
      }
    }
  }
  if (m_hoverChip != nullptr && (!onBoard || !m_hoverChip->isUnderMouse())) {
    m_hoverChip->StartAlphaAnim(0, m_highlighTileDuration);
    m_hoverChip = nullptr;
  }
  if (m_panel != nullptr) m_panel->ShowMultiplierProgress(m_multiplierProgress, m_multiIncrAp);
  return 0;
}

bool MAHJONG_LAYOUT::TakesClicksAt(float x, float y) const {
  const QOR::QS_POINT screen = GetLayoutScreen();
  std::vector<BOARD_AREA> covered;
  if (m_panel != nullptr) covered = m_panel->PlayCover(screen);
  return BOARD_VIEW(GetTileMetrics(), screen, std::move(covered)).isOpenAt(x, y);
}

int MAHJONG_LAYOUT::UpdatePaused() {
  struct PAUSE_BUTTON {
    QOR::QC_IMAGE_BUTTON* button;
    int event;
  };
  const PAUSE_BUTTON buttons[] = {{m_panel->replayButton, kEventReplay},
                                  {m_panel->mainMenuButton, kEventMainMenu},
                                  {m_panel->optionsButton, kEventOptions},
                                  {m_panel->tutorialsButton, kEventTutorials}};
  for (const PAUSE_BUTTON& entry : buttons) {
    if (!PLAY_KIT::isClicked(entry.button)) continue;
    PLAY_KIT::PlaySound("button_click.ogg");
    SetPause(false);
    return entry.event;
  }
  if (PLAY_KIT::isKeyReleased(QOR::kMouseLeft)) SetPause(false);
  return 0;
}

void MAHJONG_LAYOUT::UpdateHover() {
  // Where free tiles overlap, the one drawn on top is under the pointer: the highest layer, and
  // within a layer the last in the list (layers are drawn bottom up, each in list order).
  MAHJONG_CHIP* top = nullptr;
  for (MAHJONG_CHIP* chip : m_chips) {
    if (!chip->isAvailable() || !chip->isUnderMouse()) continue;
    if (top == nullptr || chip->m_layer >= top->m_layer) top = chip;
  }
  if (top == nullptr || top == m_hoverChip) return;
  if (m_hoverChip != nullptr) m_hoverChip->StartAlphaAnim(0, m_highlighTileDuration);
  m_hoverChip = top;
  top->StartAlphaAnim(m_hoverAlpha, m_highlighTileDuration);
}

int MAHJONG_LAYOUT::ClickChip() {
  MAHJONG_CHIP* hover = m_hoverChip;
  if (!hover->isAvailable()) return 0;
  if (m_deleteAny) {
    DeleteHover();
    return 0;
  }
  // The selected chip must still be on the board and free: one taken off since never pairs.
  if (m_selectedChip != nullptr && m_selectedChip->isAvailable() && m_selectedChip->isMatch(hover)) {
    return RemovePair();
  }
  SelectHover();
  return 0;
}

void MAHJONG_LAYOUT::AddPoints(std::int64_t points) {
  if (m_panel == nullptr) return;
  m_panel->SetScore(SaturatePoints(static_cast<std::int64_t>(m_panel->GetScore()) + points));
}

int MAHJONG_LAYOUT::RemovePair() {
  MAHJONG_CHIP* first = m_selectedChip;
  MAHJONG_CHIP* second = m_hoverChip;
  const std::int32_t multiplier = m_panel != nullptr ? m_panel->GetMultiplier() : 1;
  const std::int32_t base = first->m_isSpecial && second->m_isSpecial ? m_scorePairSpec : m_scorePair;
  const std::int32_t points =
      SaturatePoints(static_cast<std::int64_t>(m_scoreFactor) * base * static_cast<std::int64_t>(multiplier));
  AddPoints(points);

  m_multiplierProgress = SaturatePoints(static_cast<std::int64_t>(m_multiplierProgress) + m_multiPair);
  m_idleTime = 0.0f;
  if (m_panel != nullptr && static_cast<std::int64_t>(multiplier) * m_multiIncrAp <= m_multiplierProgress) {
    m_panel->SetMultiplier(multiplier + 1);
    m_panel->StartFlash();
    if (m_panel->GetMultiplier() > m_bestMultiplier) {
      m_bestMultiplier = m_panel->GetMultiplier();
      PLAY_KIT::PlaySound("inc_multiplier.ogg");
    }
  }
  if ((first->m_isBonus || second->m_isBonus) && m_player != nullptr) m_player->FillBonuses();

  second->StartRemove();
  first->StartRemove();
  ResetTip();
  UpdateAllFree();
  PLAY_KIT::PlaySound("tile_collapse.ogg");
  second->m_points = points;
  m_hoverChip = nullptr;
  m_selectedChip = nullptr;
  ++m_movesMade;
  ChargeBonusSlot();
  if (m_player != nullptr) ++m_player->m_totalTilesRemoved;
  return kEventPairRemoved;
}

void MAHJONG_LAYOUT::SelectHover() {
  m_selectedChip = m_hoverChip;
  PLAY_KIT::PlaySound("tile_select.ogg");
  m_selectionFader.Start(m_selectionFrame, m_borderAlphaDuration, true);
}

void MAHJONG_LAYOUT::DeleteHover() {
  MAHJONG_CHIP* chip = m_hoverChip;
  AddPoints(chip->m_isSpecial ? m_scoreOneSpec : m_scoreOne);
  chip->StartRemove();
  ResetTip();
  chip->m_points = m_multiBonus;
  UpdateAllFree();
  PLAY_KIT::PlaySound("tile_collapse.ogg");
  m_hoverChip = nullptr;
  m_deleteAny = false;
  m_multiplierProgress = SaturatePoints(static_cast<std::int64_t>(m_multiplierProgress) + m_multiBonus);
  m_idleTime = 0.0f;
}

void MAHJONG_LAYOUT::UpdateTimer() {
  const float dt = QOR::qcFrameTime;
  m_elapsed += dt;
  const int minutes = QOR::fTruncateToInt(m_elapsed / 60.0f);
  const int seconds = QOR::fTruncateToInt(m_elapsed) % 60;
  m_timeText = TwoDigits(minutes) + ":" + TwoDigits(seconds);

  if (m_tipPeriod > 0.0f) {
    m_tipTimer += dt;
    if (m_tipTimer >= m_tipPeriod) {
      m_tipTimer = 0.0f;
      FindTipPair();
    }
  }

  // Without pairs the ring drains one unit per decay period down to the current multiplier's
  // start, then the multiplier drops one.
  m_idleTime += dt;
  if (m_idleTime >= static_cast<float>(m_multiTimeDecr) / 10.0f) {
    if (m_panel != nullptr) m_multiplierProgress = m_panel->DecayMultiplier(m_multiplierProgress, m_multiIncrAp);
    m_idleTime = 0.0f;
  }
}

void MAHJONG_LAYOUT::SetPause(bool on) {
  if (m_panel != nullptr) m_panel->SetPaused(on);
  m_boardFader.Start(m_darkSprite, MAHJONG_CONSTS::GetInstance()->pause_fade_in_out, on);
}
