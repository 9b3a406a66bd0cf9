// The tutorial of the first level: ten steps, each sliding a text panel up from below the screen,
// pointing at its subject with an arrow, framing the tiles concerned with a blinking frame and
// restricting the board so that only the shown pair (or nothing) can be taken; a step whose pair
// the board does not hold passes without its text. The level road reports removed pairs and slot
// clicks; the steps advance by themselves once the panel is out.
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
#include <string>
#include <utility>

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

// Steps that frame a pair of tiles.
bool showsPair(int step) { return step == 2 || step == 4 || step == 5 || step == 6 || step == 8 || step == 9; }

// The pair a step shows, as its text speaks of it: a free tile of the step's kind with a free
// partner, two seasons or two flowers of two faces at their steps. The steps that show any pair
// take a pair of one face where there is one, keeping the seasons and flowers for their own
// steps; before the special tiles' own step a pair without special tiles where there is one
// (taking the last special tiles ends the level, and with it the tutorial). Null when the board
// has no such pair.
std::pair<MAHJONG_CHIP*, MAHJONG_CHIP*> stepPair(const MAHJONG_BOARD::CHIP_LIST& chips, int step) {
  const bool anyPair = step == 2 || step == 4;
  for (const bool spareSpecials : {step != 9, false}) {
    for (const bool oneFace : {anyPair, false}) {
      for (auto a = chips.rbegin(); a != chips.rend(); ++a) {
        if (!(*a)->isAvailable() || !fitsStep(*a, step) || (spareSpecials && (*a)->isSpecial())) continue;
        for (auto b = chips.rbegin(); b != chips.rend(); ++b) {
          if (!(*b)->isAvailable() || !(*a)->isMatch(*b) || (spareSpecials && (*b)->isSpecial())) continue;
          const bool sameFace = (*b)->GetType() == (*a)->GetType();
          if ((step == 5 || step == 6) && sameFace) continue;
          if (oneFace && !sameFace) continue;
          return {*a, *b};
        }
      }
    }
  }
  return {nullptr, nullptr};
}

// At a step that waits for the next one's pair (seasons after 4, flowers after 5, a bonus tile
// after 7, a special tile after 8): whether the next step is due, its pair being free, or can never
// come, too few tiles of its kind being left. A deal of random faces may hold fewer than two
// seasons or flowers, and the bonus tiles may all have been taken.
bool nextStepDue(const MAHJONG_BOARD::CHIP_LIST& chips, int step) {
  const int next = step + 1;
  const auto left = std::count_if(chips.begin(), chips.end(), [next](const MAHJONG_CHIP* chip) {
    return !chip->isRemoving() && fitsStep(chip, next);
  });
  return left < (next == 5 || next == 6 ? 2 : 1) || stepPair(chips, next).first != nullptr;
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
  delete panel;
}

void MAHJONG_GAME_MANAGER::BuildTutorial() {
  const QOR::QS_POINT size = ScreenSize();
  tutorial.on = 1;
  tutorial.step = currentLevel == 2 ? 7 : 0;
  tutorial.counter = 0;
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();

  DeleteSprite(tutorial.panel);
  tutorial.panel = NewSprite("black_mask.png");
  const int lineHeight = regularFont != nullptr ? regularFont->fGetLineHeight() : 0;
  tutorial.panel->fSetSize(size.x, 3 * lineHeight);
  tutorial.panel->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  tutorial.panel->fSetColor(0x7FFFFFFFu);
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
  tutorial.panelPos.x = static_cast<float>(size.x / 2);
  tutorial.panelPos.y = static_cast<float>(size.y) + kPanelBelow;
}

void MAHJONG_GAME_MANAGER::TutorialStep() {
  const QOR::QS_POINT size = ScreenSize();
  if (!(tutorial.panelPos.y >= static_cast<float>(size.y)) || tutorial.panelAnimator.active || tutorial.on == 0) return;
  ++tutorial.step;
  // A step that shows a pair passes without its text when the board has no such pair: its text
  // would speak of a pair nobody sees. Told before the step's own line, which a reader of the log
  // then finds with it.
  const bool pairStep = showsPair(tutorial.step);
  const auto [first, second] =
      pairStep && board != nullptr ? stepPair(board->GetChips(), tutorial.step)
                                   : std::pair<MAHJONG_CHIP*, MAHJONG_CHIP*>(nullptr, nullptr);
  if (pairStep && first == nullptr) QOR::fLog() << "tutorial step " << tutorial.step << " passes: no pair to show";
  QOR::fLog() << "tut_curr_msg" << "= " << tutorial.step;
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();
  if (tutorial.step > TUTORIAL_PARTS::kSteps) {
    tutorial.on = 0;
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
      if (first == nullptr) {
        // A step that waits for the next one's pair looks at once.
        if (board != nullptr && (step == 5 || step == 8) && nextStepDue(board->GetChips(), step)) TutorialStep();
        return;
      }
      for (const MAHJONG_CHIP* chip : {first, second}) {
        const QOR::QS_VEC2 at = chip->GetPosition();
        tutorial.arrowPoints.push_back(at);
        tutorial.framePoints.emplace_back(at.x + static_cast<float>(chip->GetLayer() * tileMetrics.layer_offsetX),
                                          at.y - static_cast<float>((chip->GetLayer() + 1) * tileMetrics.layer_offsetY));
      }
      if (tutorial.tileFrame != nullptr) tutorial.frameBlink.Start(tutorial.tileFrame, flickering(), false);
      blockAllBut(first, second);
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
  tutorial.panelAnimator.Start(&tutorial.panelPos.y, kPanelRest * static_cast<float>(size.y), fadeInOutTime);
}

void MAHJONG_GAME_MANAGER::EndTutorial() {
  tutorial.on = 0;
  tutorial.panelAnimator.Stop();
  tutorial.panelPos.y = screenHeight() + kPanelBelow;
  tutorial.frameBlink.Stop();
  tutorial.arrowPoints.clear();
  tutorial.framePoints.clear();
}

void MAHJONG_GAME_MANAGER::HideTutorialPanel() {
  if (!(tutorial.panelPos.y <= screenHeight()) || tutorial.panelAnimator.active || tutorial.on == 0) return;
  tutorial.panelAnimator.Start(&tutorial.panelPos.y, screenHeight() + kPanelBelow, fadeInOutTime);
}

void MAHJONG_GAME_MANAGER::UpdateTutorial(int pairRemoved) {
  if (tutorial.on == 0) return;
  const float dt = QOR::qcFrameTime;
  tutorial.panelAnimator.Update(dt);
  tutorial.frameBlink.Update(dt);
  if (!tutorial.frameBlink.active && tutorial.tileFrame != nullptr) {
    tutorial.frameBlink.Start(tutorial.tileFrame, flickering(), !tutorial.frameBlink.direction);
  }
  const int step = tutorial.step;
  // The multiplier stays where it is for the whole step.
  if (step == 9 && board != nullptr && board->GetPanel() != nullptr) {
    board->m_multiplierProgress = board->GetPanel()->GetMultiplier() * board->m_multiIncrAp;
  }
  const bool panelOut = !tutorial.panelAnimator.active && tutorial.panelPos.y > screenHeight();
  if (panelOut && (step == 1 || step == 2 || step == 3 || step == 6 || step >= 9)) TutorialStep();
  if (pairRemoved == 0) return;

  HideTutorialPanel();
  if (board == nullptr) return;
  // The next step comes once its pair is free (it is entered once, however many there are), or
  // when it never can be.
  if ((step == 4 || step == 5 || step == 7 || step == 8) && nextStepDue(board->GetChips(), step)) TutorialStep();
}

void MAHJONG_GAME_MANAGER::RenderTutorial() {
  if (tutorial.on == 0 || tutorial.step < 1 || !(tutorial.panelPos.y <= screenHeight())) return;
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
  PrintText(regularFont, QOR::fTruncateToInt(tutorial.panelPos.x), QOR::fTruncateToInt(tutorial.panelPos.y),
            tutorial.messages[index]);
}
