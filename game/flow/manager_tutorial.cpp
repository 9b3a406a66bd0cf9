// The tutorial of the first level: ten steps, each sliding a text panel up from below the screen,
// pointing at its subject with an arrow, framing the tiles concerned with a blinking frame and
// restricting the board so that only the shown pair (or nothing) can be taken. The level road
// reports removed pairs and slot clicks; the steps advance by themselves once the panel is out.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/tile_metrics.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "gui/widgets/qc_gui_animation_bar.h"

#include <algorithm>
#include <functional>
#include <string>

using namespace MENU_OBJECTS;

namespace {

constexpr int kShuffleBonus = 2;
constexpr float kPanelBelow = 300.0f;  // the hidden panel's distance below the screen
constexpr float kPanelRest = 0.95f;    // the shown panel's y as a share of the screen height
constexpr float kSlotArrowRise = 90.0f;

float screenHeight() { return static_cast<float>(ScreenSize().y); }

float flickering() { return MAHJONG_CONSTS::GetInstance()->tutorial_flickering; }

// Which tiles a step shows or looks for; steps without a kind take any tile.
bool fitsStep(const MAHJONG_CHIP* chip, int step) {
  switch (step) {
    case 5:
      return chip->isSeason();
    case 6:
      return chip->isFlower();
    case 8:
      return chip->isBonus();
    case 9:
      return chip->isSpecial();
    default:
      return true;
  }
}

// The arrow's turn at a step (radians): to the task panel, down to a slot, up to the multiplier,
// or towards a tile from the side of the screen it lies on.
float arrowAngle(int step, float x) {
  switch (step) {
    case 1:
      return 2.355f;
    case 3:
    case 7:
      return 3.6633334f;
    case 10:
      return 1.57f;
    case 2:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9:
      return x < static_cast<float>(ScreenSize().x / 2) ? 1.57f : 0.0f;
    default:
      return 0.0f;
  }
}

}  // namespace

TUTORIAL_PARTS::~TUTORIAL_PARTS() {
  DeleteSprite(arrow);
  DeleteSprite(tileFrame);
}

void MAHJONG_GAME_MANAGER::BuildTutorial() {
  const QOR::QS_POINT size = ScreenSize();
  tutorialOn = 1;
  tutorial.step = currentLevel == 2 ? 7 : 0;
  tutorial.counter = 0;
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();

  DeleteSprite(tutorialPanel);
  tutorialPanel = NewSprite("black_mask.png");
  const int lineHeight = regularFont != nullptr ? regularFont->fGetLineHeight() : 0;
  tutorialPanel->fSetSize(size.x, 3 * lineHeight);
  tutorialPanel->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  tutorialPanel->fSetColor(0x7FFFFFFFu);
  DeleteSprite(tutorial.arrow);
  tutorial.arrow = NewSprite("arrow_tutorial.png");
  tutorial.arrow->fSetAnchor(QOR::QC_SPRITE::kAnchorTopLeft, 0.0f, 0.0f);
  if (tutorial.tileFrame == nullptr) {
    tutorial.tileFrame = NewSprite("board.png");
    tutorial.tileFrame->fSetSize(6 * tileMetrics.layer_offsetX + tileMetrics.sizeX,
                                 4 * tileMetrics.layer_offsetY + tileMetrics.sizeY);
    tutorial.tileFrame->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }

  // A rebuild starts the list again: message i is always step i + 1's.
  tutorial.messages.clear();
  for (int i = 1; i <= TUTORIAL_PARTS::kSteps; ++i) tutorial.messages.push_back(GetText(("tut" + std::to_string(i)).c_str()));
  tutorialPanelPos.x = static_cast<float>(size.x / 2);
  tutorialPanelPos.y = static_cast<float>(size.y) + kPanelBelow;
}

void MAHJONG_GAME_MANAGER::TutorialStep() {
  const QOR::QS_POINT size = ScreenSize();
  if (!(tutorialPanelPos.y >= static_cast<float>(size.y)) || tutorialPanelAnimator.active || tutorialOn == 0) return;
  ++tutorial.step;
  QOR::fLog() << "tut_curr_msg" << "= " << tutorial.step;
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();
  if (tutorial.step > TUTORIAL_PARTS::kSteps) {
    tutorialOn = 0;
    if (player != nullptr) player->m_tutorialShow = false;
    QOR::fLog() << "player->tutorial_show" << "= " << (player != nullptr && player->m_tutorialShow);
    return;
  }

  const auto blockAllBut = [this](const MAHJONG_CHIP* a, const MAHJONG_CHIP* b) {
    if (board == nullptr) return;
    for (MAHJONG_CHIP* chip : board->GetChips()) {
      if (chip != a && chip != b) chip->bFreee = false;
    }
  };
  const int step = tutorial.step;
  MAHJONG_HUD_PANEL* hud = board != nullptr ? board->GetPanel() : nullptr;
  switch (step) {
    case 1:
      if (levelRoad.introPanel != nullptr) {
        const QOR::QS_VEC2 at = levelRoad.introPanel->fGetPosition();
        tutorial.arrowPoints.emplace_back(static_cast<float>(QOR::fTruncateToInt(at.x - 180.0f)),
                                          static_cast<float>(QOR::fTruncateToInt(at.y)));
      }
      break;
    case 2:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9: {
      if (board == nullptr) break;
      const MAHJONG_BOARD::CHIP_LIST& chips = board->GetChips();
      MAHJONG_CHIP* first = nullptr;
      MAHJONG_CHIP* second = nullptr;
      // Before the special tiles' own step, a pair without special tiles is shown when there is
      // one: taking the last special tiles ends the level, and with it the tutorial.
      for (const bool spareSpecials : {step != 9, false}) {
        for (auto a = chips.rbegin(); a != chips.rend() && first == nullptr; ++a) {
          if (!(*a)->isAvailable() || !fitsStep(*a, step) || (spareSpecials && (*a)->isSpecial())) continue;
          for (auto b = chips.rbegin(); b != chips.rend(); ++b) {
            if (!(*b)->isAvailable() || !(*a)->isMatch(*b) || (spareSpecials && (*b)->isSpecial())) continue;
            if ((step == 5 || step == 6) && (*b)->GetType() == (*a)->GetType()) continue;
            first = *a;
            second = *b;
            break;
          }
        }
        if (first != nullptr) break;
      }
      if (first != nullptr) {
        for (const MAHJONG_CHIP* chip : {first, second}) {
          const QOR::QS_VEC2 at = chip->GetPosition();
          tutorial.arrowPoints.push_back(at);
          tutorial.framePoints.emplace_back(at.x + static_cast<float>(chip->GetLayer() * tileMetrics.layer_offsetX),
                                            at.y - static_cast<float>((chip->GetLayer() + 1) * tileMetrics.layer_offsetY));
        }
      }
      if (tutorial.tileFrame != nullptr) tutorial.frameBlink.Start(tutorial.tileFrame, flickering(), false);
      if (first != nullptr) blockAllBut(first, second);
      break;
    }
    case 3:
    case 7: {
      const float x = step == 3 ? MAHJONG_HUD_PANEL::kSlotInset : static_cast<float>(size.x) - MAHJONG_HUD_PANEL::kSlotInset;
      tutorial.arrowPoints.emplace_back(x, static_cast<float>(size.y) - kSlotArrowRise);
      if (step == 7) {
        // The shuffle bonus the slot holds is filled for the step (a profile without it gets none).
        PLAYER_BONUS* bonus = player != nullptr ? player->FindBonus(kShuffleBonus) : nullptr;
        if (bonus != nullptr) bonus->charge = bonus->recover;
        if (hud != nullptr) hud->bonusSlot.Reset();
        if (board != nullptr) board->CheckBonusReady();
      }
      blockAllBut(nullptr, nullptr);
      break;
    }
    case 10:
      if (hud != nullptr && hud->multRing != nullptr) tutorial.arrowPoints.push_back(hud->multRing->fGetPosition());
      break;
    default:
      break;
  }
  tutorialPanelAnimator.Start(&tutorialPanelPos.y, kPanelRest * static_cast<float>(size.y), fadeInOutTime);
}

void MAHJONG_GAME_MANAGER::EndTutorial() {
  tutorialOn = 0;
  tutorialPanelAnimator.Stop();
  tutorialPanelPos.y = screenHeight() + kPanelBelow;
  tutorial.frameBlink.Stop();
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();
}

void MAHJONG_GAME_MANAGER::HideTutorialPanel() {
  if (!(tutorialPanelPos.y <= screenHeight()) || tutorialPanelAnimator.active || tutorialOn == 0) return;
  tutorialPanelAnimator.Start(&tutorialPanelPos.y, screenHeight() + kPanelBelow, fadeInOutTime);
}

void MAHJONG_GAME_MANAGER::UpdateTutorial(int pairRemoved) {
  if (tutorialOn == 0) return;
  const float dt = QOR::qcFrameTime;
  tutorialPanelAnimator.Update(dt);
  tutorial.frameBlink.Update(dt);
  if (!tutorial.frameBlink.active && tutorial.tileFrame != nullptr) {
    tutorial.frameBlink.Start(tutorial.tileFrame, flickering(), !tutorial.frameBlink.direction);
  }
  const int step = tutorial.step;
  // The multiplier stays where it is for the whole step.
  if (step == 9 && board != nullptr && board->GetPanel() != nullptr) {
    board->m_multiplierProgress = board->GetPanel()->GetMultiplier() * board->m_multiIncrAp;
  }
  const bool panelOut = !tutorialPanelAnimator.active && tutorialPanelPos.y > screenHeight();
  if (panelOut && (step == 1 || step == 2 || step == 3 || step == 6 || step >= 9)) TutorialStep();
  if (pairRemoved == 0) return;

  HideTutorialPanel();
  if (board == nullptr) return;
  std::function<bool(const MAHJONG_CHIP*)> wanted;
  switch (step) {
    case 4:
      wanted = [](const MAHJONG_CHIP* chip) { return chip->isSeason(); };
      break;
    case 5:
      wanted = [](const MAHJONG_CHIP* chip) { return chip->isFlower(); };
      break;
    case 7:
      wanted = [](const MAHJONG_CHIP* chip) { return chip->isBonus(); };
      break;
    case 8:
      wanted = [](const MAHJONG_CHIP* chip) { return chip->isSpecial(); };
      break;
    default:
      return;
  }
  const MAHJONG_BOARD::CHIP_LIST& chips = board->GetChips();
  // A board without the awaited tiles can never show their pair: a deal of random faces may hold
  // fewer than two seasons or flowers, and the bonus tiles may all have been taken. The tutorial
  // then moves on rather than waiting for the rest of the level. (The level ends with its last
  // special tile.)
  const auto left = std::count_if(chips.begin(), chips.end(),
                                  [&](const MAHJONG_CHIP* chip) { return !chip->isRemoving() && wanted(chip); });
  if (left < (step == 4 || step == 5 ? 2 : 1)) {
    TutorialStep();
    return;
  }
  for (auto a = chips.rbegin(); a != chips.rend(); ++a) {
    if (!(*a)->isAvailable() || !wanted(*a)) continue;
    // The next step shows this tile with a partner (of another face for the seasons and flowers);
    // it is entered once, however many partners there are.
    for (auto b = chips.rbegin(); b != chips.rend(); ++b) {
      if (!(*b)->isAvailable() || !(*a)->isMatch(*b)) continue;
      if ((step == 4 || step == 5) && (*b)->GetType() == (*a)->GetType()) continue;
      TutorialStep();
      return;
    }
    break;
  }
}

void MAHJONG_GAME_MANAGER::RenderTutorial() {
  if (tutorialOn == 0 || tutorial.step < 1 || !(tutorialPanelPos.y <= screenHeight())) return;
  if (tutorial.tileFrame != nullptr) {
    for (const QOR::QS_VEC2& at : tutorial.framePoints) tutorial.tileFrame->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
  }
  if (tutorial.arrow != nullptr) {
    for (const QOR::QS_VEC2& at : tutorial.arrowPoints) {
      tutorial.arrow->fRenderAt(at.x, at.y, arrowAngle(tutorial.step, at.x), 1.0f, 1.0f);
    }
  }
  const auto index = static_cast<std::size_t>(tutorial.step - 1);
  if (regularFont == nullptr || index >= tutorial.messages.size()) return;
  regularFont->fSetColor(0xFFFFFFFFu);
  PrintText(regularFont, QOR::fTruncateToInt(tutorialPanelPos.x), QOR::fTruncateToInt(tutorialPanelPos.y),
            tutorial.messages[index]);
}
