// Everything on the board that moves or fades besides a single tile: the level start with the
// drop-in of the tiles layer by layer, the shuffle (slide-out, re-deal, drop-in), the darkening of
// blocked tiles and of the paused board, and the special view that hides the layers one by one.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/play_kit.h"

#include <algorithm>
#include <cmath>

namespace {

// Chips move by whole 1/256ths of a pixel: tile places (whole or half pixels) stay exact in floats,
// so a layer lands exactly on its cells however many steps its fall took.
constexpr float kMoveGrain = 256.0f;

float ScreenHeight() { return static_cast<float>(MAHJONG_BOARD::GetScreen().y); }

// The fade alpha of a phase that has run t of its length: rising or falling, 0..255, and a
// phase of no length is over at once.
std::uint8_t PhaseAlpha(float t, float length, bool rising) {
  float part = length > 0.0f ? t / length : 1.0f;
  if (!std::isfinite(part)) part = 1.0f;
  const float alpha = (rising ? part : 1.0f - part) * 255.0f;
  return static_cast<std::uint8_t>(std::clamp(QOR::fTruncateToInt(alpha), 0, 255));
}

}  // namespace

float MAHJONG_LAYOUT::MotionSeconds(float seconds) {
  return std::isfinite(seconds) && seconds > kShortestMotion ? seconds : kShortestMotion;
}

void MAHJONG_LAYOUT::FollowTween(VALUE_TWEEN& tween, std::int32_t layer) {
  // The distance run so far, before and after this step, on the grain: the chips move by the
  // difference, so they run exactly the tween's whole distance whichever chip leaves or flies.
  const auto grain = [&tween](float value) { return std::round((value - tween.start) * kMoveGrain) / kMoveGrain; };
  const float before = grain(tween.GetValue());
  const float step = grain(tween.Update(QOR::qcFrameTime)) - before;
  if (step == 0.0f || !std::isfinite(step)) return;
  // A tile in its removal flight follows its curve instead.
  for (MAHJONG_CHIP* chip : m_chips) {
    if ((layer >= 0 && chip->m_layer != layer) || chip->m_removing) continue;
    chip->Displace(QOR::QS_VEC2(chip->m_position.x, chip->m_position.y + step));
  }
}

void MAHJONG_LAYOUT::LiftAboveCells() {
  const float height = ScreenHeight();
  for (MAHJONG_CHIP* chip : m_chips) {
    if (chip->m_removing) continue;
    const QOR::QS_VEC2& cell = chip->GetCell();
    chip->Displace(QOR::QS_VEC2(cell.x, cell.y - height));
  }
}

// --- level start ---

void MAHJONG_LAYOUT::StartLevel(int pack, int level) {
  if (pack != 0) m_pack = pack;
  m_level = level != 0 ? level : 1;
  m_fadeTime = 0.0f;
  m_layerFadeRunning = false;
  m_specialView = false;
  m_editorMode = false;
  m_levelFinished = false;
  m_stars = 0;
  m_dropSpeedUp = 0.0f;

  QOR::fLog() << "build path ... ";
  ResetTip();
  m_multiplierProgress = 0;
  m_darkenToggle = false;
  if (m_blockedOverlay != nullptr) m_blockedOverlay->fSetColor(0x00FFFFFFu);
  AlternBuildPath(false);
  UpdateFreeInList(m_chips);

  if (m_panel != nullptr) {
    m_panel->SetScore(0);
    m_panel->SetMultiplier(1);
  }
  if (m_player != nullptr) m_player->FillBonuses();
  if (m_panel != nullptr) {
    m_panel->ResetBonusButton();
    m_panel->PlaceSlots();
  }

  // A moves task of value 0 takes the deal's move count as its target.
  if (m_task1Type == kTaskMoves && m_task1Value == 0) {
    m_task1Value = m_dealMoveCount;
    QOR::fLog() << "task_1_val"
                << "= " << m_task1Value;
  }
  if (m_task2Type == kTaskMoves && m_task2Value == 0) {
    m_task2Value = m_dealMoveCount;
    QOR::fLog() << "task_2_val"
                << "= " << m_task2Value;
  }

  StartDropIn();
  // Every bonus starts full.
  if (m_player != nullptr) {
    m_player->UpdateBonusRecover();
    for (PLAYER_BONUS& bonus : m_player->m_bonuses) bonus.charge = bonus.recover;
  }
  QOR::fLog() << "start game ...  || total chips == " << m_chips.size();

  m_hoverChip = nullptr;
  m_selectedChip = nullptr;
  m_movesMade = 0;
  m_elapsed = 0.0f;
  m_bonusUsable = 0;
  m_availableMoves = 0;
  CalcAvailableMoves();
  CheckBonusReady();
  CountSpecials();
  LoadBalance();
  QOR::fLog() << "       ? ! ? ! ? ! ? MOVES FOR GOLD !" << m_dealMoveCount;
}

bool MAHJONG_LAYOUT::StartLevelFromFile(const std::string& name) {
  if (!LoadLevel(name)) return false;
  StartLevel(m_pack, m_level);
  return true;
}

// --- drop-in ---

void MAHJONG_LAYOUT::UpdateDropIn() {
  if (!m_dropTween.active) return;
  // A click makes the layers still to come fall faster.
  if (PLAY_KIT::isKeyReleased(QOR::kMouseLeft)) m_dropSpeedUp = showLevelTime * -m_showLevelSpeedUp;
  if (!(m_dropWait >= m_showLayersDelay)) {
    m_dropWait += QOR::qcFrameTime;
    return;
  }
  FollowTween(m_dropTween, m_dropLayer);
  if (m_dropTween.active) return;
  // The next layer that holds chips falls as one piece behind the last chip of the list on it.
  while (m_dropLayer < m_dropTopLayer) {
    ++m_dropLayer;
    std::int32_t reference = -1;
    for (std::size_t i = 0; i < m_chips.size(); ++i) {
      if (m_chips[i]->m_layer == m_dropLayer) reference = static_cast<std::int32_t>(i);
    }
    if (reference < 0) continue;
    m_dropChipIndex = reference;
    const float top = m_chips[static_cast<std::size_t>(reference)]->m_position.y;
    m_dropTween.Start(top, top + ScreenHeight(), MotionSeconds(m_dropSpeedUp + showLevelTime));
    m_dropWait = 0.0f;
    return;
  }
  m_dropSpeedUp = 0.0f;
}

// --- shuffle ---

void MAHJONG_LAYOUT::StartShuffle() {
  m_selectedChip = nullptr;
  m_shuffleRequested = true;
  StartSlideOut();
}

void MAHJONG_LAYOUT::StartSlideOut() {
  if (m_chips.empty()) {
    m_slideTween.Stop();
    return;
  }
  const float top = m_chips.front()->m_position.y;
  m_slideTween.Start(top, top + ScreenHeight(), MotionSeconds(hideLevelTime));
}

bool MAHJONG_LAYOUT::ShuffleChips() {
  if (m_slideTween.active) {
    FollowTween(m_slideTween, -1);
    return false;
  }
  if (!m_shuffleRequested) return true;
  QOR::fLog() << "tosschips start ----------------";
  m_shuffleRequested = false;
  const float height = ScreenHeight();
  // Back one screen height above the cells, whatever moment of a drop-in or slide-out the tiles
  // were caught at: each one lands on its own cell.
  LiftAboveCells();
  const std::size_t before = m_chips.size();
  QOR::fLog() << "tosschips build path";
  AlternBuildPath(true);
  QOR::fLog() << "tosschips check lout";
  UpdateAllFree();
  CalcAvailableMoves();
  m_dropLayer = 0;
  m_dropChipIndex = 0;
  if (!m_chips.empty()) {
    const float top = m_chips.front()->m_position.y;
    m_dropTween.Start(top, top + height, MotionSeconds(showLevelTime));
  }
  const std::size_t after = m_chips.size();
  QOR::fLog() << "chips before SHUFFLE: " << before << " CHIPS AFTER: " << after;
  if (before != after) QOR::fLog() << "WARNING :  there was " << before << " chips but now there's " << after;
  return true;
}

// --- darkening, pause fader, special view ---

void MAHJONG_LAYOUT::DarkenTiles(bool on) {
  QOR::fLog() << "darken tiles " << on;
  m_boardFader.Start(m_blockedOverlay, m_darkenTilesDuration, on);
}

void MAHJONG_LAYOUT::ShowSpecial() {
  m_layerFadeRunning = true;
  m_fadeTime = 0.0f;
  m_fadeDelayTimer = 0.0f;
  std::int32_t top = 0;
  for (const MAHJONG_CHIP* chip : m_chips) top = std::max(top, chip->m_layer);
  m_fadeLayer = top;
  m_fadeTopLayer = top;
}

void MAHJONG_LAYOUT::UpdateEffects() {
  const float dt = QOR::qcFrameTime;
  m_boardFader.Update(dt);
  m_selectionFader.Update(dt);
  // The special view's layers stand still under the pause, as every timer of play does.
  if (!m_layerFadeRunning || (m_panel != nullptr && m_panel->isPaused())) return;
  const bool hiding = !m_specialView;
  const float length = hiding ? m_hideSpeed : m_showSpeed;
  const float delay = hiding ? m_hideLayerDelay : m_showDelay;
  if (m_fadeTime <= length) {
    m_fadeTime += dt;
  } else if (m_fadeDelayTimer <= delay) {
    m_fadeDelayTimer += dt;
  } else {
    m_fadeTime = 0.0f;
    m_fadeDelayTimer = 0.0f;
    if (hiding) {
      --m_fadeLayer;
      if (m_fadeLayer < 0) {
        // Every ordinary layer is hidden: the board waits for a click.
        m_specialView = true;
        m_layerFadeRunning = false;
      }
    } else {
      ++m_fadeLayer;
      if (m_fadeLayer > m_fadeTopLayer) {
        m_specialView = false;
        m_layerFadeRunning = false;
      }
    }
  }
  m_fadeAlpha = PhaseAlpha(m_fadeTime, length, !hiding);
}
