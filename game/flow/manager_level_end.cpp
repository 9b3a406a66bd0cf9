// The level completion: the panel that slides down over the board once the last special tile has
// gone, with the level's points, each task's result and one star plus one per met task lighting up
// in turn with a wobble, and the way on to the levels, the packs or (after the career's last level)
// the final screen.
#include "behaviours/qc_bot_blob.h"
#include "engine/math/float_to_int.h"
#include "engine/math/qs_transform3.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <string>

using namespace MENU_OBJECTS;

namespace {

constexpr int kTimeIcon = 0, kStepIcon = 1, kSpecialIcon = 2, kMoneyIcon = 3;
constexpr float kStarDx = 120.0f;
constexpr float kPointsRise = 25.0f;   // the points line above the panel's centre
constexpr float kLineStep = 45.0f;
constexpr float kOkDrop = 155.0f;
constexpr float kNextDx = 45.0f;
constexpr int kTitleRise = 90;
constexpr int kIconDx = -100;
constexpr int kLastPack = MAHJONG_PLAYER::kPacks;
constexpr int kLastLevel = MAHJONG_PLAYER::kLevelsPerPack;

float yOf(const QOR::QC_SPRITE* sprite) { return sprite != nullptr ? sprite->fGetPosition().y : 0.0f; }

std::uint32_t alphaOf(const QOR::QC_SPRITE* sprite) { return sprite != nullptr ? sprite->fGetVertexColor(0) >> 24 : 0u; }

}  // namespace

bool MAHJONG_GAME_MANAGER::isTaskMet(int task) const {
  if (board == nullptr) return false;
  const std::int32_t kind = task == 1 ? board->m_task1Type : board->m_task2Type;
  const std::int32_t value = task == 1 ? board->m_task1Value : board->m_task2Value;
  if (value == 0) return false;
  const int points = board->GetPanel() != nullptr ? board->GetPanel()->GetScore() : 0;
  switch (kind) {
    case kTaskMoves:
      return board->m_movesMade <= value;
    case kTaskMoney:
      return points >= value;
    case kTaskTime:
      return board->m_elapsed <= static_cast<float>(value);
    default:
      return false;
  }
}

void MAHJONG_GAME_MANAGER::LevelComplete() {
  const QOR::QS_POINT size = ScreenSize();
  const float middleX = static_cast<float>(size.x / 2);
  if (levelRoad.taskIcons[kMoneyIcon] != nullptr) levelRoad.taskIcons[kMoneyIcon]->fSetColor(0xFFFFFFFFu);

  // The last special pair ends the level: a tutorial that had come to the special tiles' step has
  // shown all it has, and ends with the level (its last step would wait for a pair that never
  // comes, and the tutorial would start over on the next visit).
  if (tutorial.on != 0 && tutorial.step >= TUTORIAL_PARTS::kSteps - 1 && player != nullptr) {
    tutorial.on = 0;
    player->m_tutorialShow = false;
    QOR::fLog() << "player->tutorial_show" << "= " << player->m_tutorialShow;
    SavePlayer();
  }
  // Whatever step it had reached, the tutorial ends with its level: its panel stops where it is
  // (a slide the last pair began would never end, and the next intro waits for it).
  EndTutorial();

  // The level after this one (after a pack's last level, the next pack's first) opens now unless
  // it has a result already; the career's very last level has none.
  const bool known = player != nullptr && currentPack >= 1 && currentPack <= kLastPack && currentLevel >= 1 &&
                     currentLevel <= kLastLevel;
  if (known && !(currentPack == kLastPack && currentLevel == kLastLevel)) {
    const int next = currentLevel < kLastLevel ? MAHJONG_PLAYER::LevelIndex(currentPack, currentLevel + 1)
                                               : MAHJONG_PLAYER::LevelIndex(currentPack + 1, 1);
    if (player->m_levels[next] < 0) {
      // The opened level's button among its pack's twenty (the next pack's first after the last).
      levels.newLevels.push_back(currentLevel % kLevelButtons);
      if (currentLevel + 1 <= kLastLevel) {
        player->m_lastLevel = currentLevel + 1;
        player->m_lastPack = currentPack;
        SavePlayer();
      }
    }
  }

  if (levelRoad.completionPanel == nullptr) levelRoad.completionPanel = NewSprite("FinishPanel_back.png");
  levelRoad.completionPanel->fSetPositionXY(middleX, PanelSlide());
  const float panelY = yOf(levelRoad.completionPanel);

  // The stars: the first on the points line, the others on their task lines. The blob goes first:
  // it must never move a transform that is gone.
  levelRoad.DeleteStarsBlob();
  float starY = panelY - kPointsRise;
  for (int i = 0; i < LEVEL_ROAD_PARTS::kStars; ++i) {
    if (levelRoad.stars[i] == nullptr) levelRoad.stars[i] = new QOR::QS_TRANSFORM3();
    if (i == 1 && board != nullptr && board->m_task1Value != 0) starY += kLineStep;
    if (i == 2 && board != nullptr && board->m_task2Value != 0) starY += kLineStep;
    levelRoad.stars[i]->fSetPosition(middleX + kStarDx, starY, 0.0f);
    levelRoad.stars[i]->fSetScale(1.0f, 1.0f, 1.0f);
  }
  levelRoad.starsBlob = new QOR::QC_BOT_BLOB(levelRoad.stars[0], fx.starsBlobDuration, fx.starsBlobAmplitude,
                                             fx.starsBlobFrequency, fx.starsBlobDecay, 0.0f, 1.0f, fx.starsBlobDelay,
                                             false);
  levelRoad.starsShown = 1;

  const float buttonY = panelY + kOkDrop;
  if (levelRoad.startButton != nullptr) levelRoad.startButton->fSetPosition(middleX, buttonY);
  if (comics.nextButton == nullptr) comics.nextButton = NewButton("nextbtn.png", QOR::QC_HIT_AREA::kRectangle);
  comics.nextButton->fSetPosition(middleX + kNextDx, buttonY);

  if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, true);
  sidePanelTween.Start(panelY, static_cast<float>(size.y / 2), fadeInOutTime);
  introPanelShown = 1;
  currentScreen = LEVEL_END_SCREEN;
  QOR::fLog("LevelComplete end");
}

void MAHJONG_GAME_MANAGER::UpdateLevelEnd() {
  QOR::QC_SPRITE* panel = levelRoad.completionPanel;
  if (board == nullptr || panel == nullptr) return;
  const QOR::QS_POINT size = ScreenSize();
  const float time = fadeInOutTime;
  // What is still in the air lands.
  if (board->isLevelFinished()) board->Update();
  board->UpdateEffects();

  const bool leaving = requestedScreen == FINAL_SCREEN || requestedScreen == PACKS_SCREEN;
  if (leaving && blackMask != nullptr) {
    if (screenFade.active && screenFade.target == blackMask) return;
    if (alphaOf(blackMask) == 255u) {
      screenFade.Start(blackMask, time, false);
      if (requestedScreen == FINAL_SCREEN && comics.nextButton != nullptr) {
        comics.nextButton->fSetPosition(static_cast<float>(size.x) - 50.0f, static_cast<float>(size.y) - 60.0f);
        comics.nextButton->fGetImage()->fSetColor(0xFFFFFFFFu);
      }
      ChangeScreen();
      return;
    }
  }
  if (StepBoardPanelMotion(false)) return;
  if (introPanelShown == 0) {
    introPanelShown = 1;
    if (leaving && blackMask != nullptr) {
      screenFade.Start(blackMask, time, true);
    } else {
      ChangeScreen();
    }
    return;
  }
  if (sidePanelTween.active) {
    const float dy = sidePanelTween.Update(QOR::qcFrameTime) - yOf(panel);
    AddY(panel, dy);
    AddY(levelRoad.startButton, dy);
    AddY(comics.nextButton, dy);
    for (QOR::QS_TRANSFORM3* star : levelRoad.stars) {
      if (star != nullptr) star->fAddPosition(0.0f, dy, 0.0f);
    }
    return;
  }
  if (yOf(panel) < 0.0f) {
    if (requestedScreen != GAME_SCREEN) {
      introPanelShown = 0;
      StartBoardPanelExit();
    }
    return;
  }

  // At rest: the stars light up one after the other, one for the level and one per met task.
  if (levelRoad.starsBlob != nullptr && levelRoad.starsBlob->fUpdate() == QOR::QC_BASE::kDeleteMe) {
    QOR::QC_BOT_BLOB& blob = *levelRoad.starsBlob;
    int nextStar = -1;
    if (blob._target == levelRoad.stars[0] && isTaskMet(1)) {
      nextStar = 1;
    } else if ((blob._target == levelRoad.stars[0] && isTaskMet(2)) || (blob._target == levelRoad.stars[1] && isTaskMet(2))) {
      nextStar = 2;
    }
    if (nextStar > 0 && levelRoad.stars[nextStar] != nullptr) {
      blob._target = levelRoad.stars[nextStar];
      blob._elapsed = 0.0f;
      blob._delayLeft = blob._delay;
      blob._reached = false;
      blob._target->fSetScale(blob._startScale, blob._startScale, 0.0f);
      levelRoad.starsShown = nextStar + 1;
    } else {
      levelRoad.DeleteStarsBlob();
    }
  }

  const bool confirmed =
      isClicked(levelRoad.startButton) || isKeyReleased(QOR::kKeyEnter) || isKeyReleased(QOR::kKeyEscape);
  if (!confirmed) return;
  PlaySound("button_click.ogg");
  if (currentPack == kLastPack && currentLevel == kLastLevel && player != nullptr && !player->m_seenEndComics) {
    DeleteSprite(comics.pictures[0]);
    comics.pictures[0] = NewSprite("Comic_finish.jpg");
    comics.pictures[0]->fSetPositionXY(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
    if (comics.nextButton == nullptr) comics.nextButton = NewButton("nextbtn.png", QOR::QC_HIT_AREA::kRectangle);
    requestedScreen = FINAL_SCREEN;
  } else if (currentLevel == kLastLevel) {
    requestedScreen = PACKS_SCREEN;
    levels.newLevels.clear();
  } else {
    requestedScreen = LEVELS_SCREEN;
  }
  if (darkBack1 != nullptr) screenFade.Start(darkBack1, time, false);
  sidePanelTween.Start(yOf(panel), PanelSlide(), time);
}

void MAHJONG_GAME_MANAGER::RenderLevelEnd() {
  QOR::QC_SPRITE* panel = levelRoad.completionPanel;
  if (panel == nullptr) return;
  const QOR::QS_POINT size = ScreenSize();
  const int x = size.x / 2;
  int y = QOR::fTruncateToInt(yOf(panel) - kPointsRise);
  if (darkBack1 != nullptr) darkBack1->fRender();
  panel->fRender();

  const int points = board != nullptr && board->GetPanel() != nullptr ? board->GetPanel()->GetScore() : 0;
  if (boldFont != nullptr) boldFont->fSetColor(GoldenColor());
  PrintText(boldFont, x, y - kTitleRise, texts[TXT_LEVEL_END]);
  if (regularFont != nullptr) regularFont->fSetColor(GoldenColor());
  PrintText(regularFont, x, y, std::to_wstring(points));
  const auto icon = [this, x](int which, int lineY) {
    if (levelRoad.taskIcons[which] != nullptr) {
      levelRoad.taskIcons[which]->fRenderAt(static_cast<float>(x + kIconDx), static_cast<float>(lineY), 0.0f, 1.0f,
                                            1.0f);
    }
  };
  icon(kSpecialIcon, y);

  QOR::QC_SPRITE* mark = levelRoad.mark;
  const auto star = [mark](const QOR::QS_TRANSFORM3* transform, int frame) {
    if (mark == nullptr || transform == nullptr) return;
    mark->fSetFrame(2, 1, frame);
    mark->fRenderAt(transform->_position.x, transform->_position.y, 0.0f, transform->_scale.x, transform->_scale.y);
  };
  star(levelRoad.stars[0], 0);

  for (int task = 1; task <= 2 && board != nullptr; ++task) {
    const std::int32_t kind = task == 1 ? board->m_task1Type : board->m_task2Type;
    const std::int32_t value = task == 1 ? board->m_task1Value : board->m_task2Value;
    if (value == 0) continue;
    y += static_cast<int>(kLineStep);
    std::wstring line;
    if (kind == kTaskMoves) {
      line = std::to_wstring(board->m_movesMade) + L" / " + std::to_wstring(value);
      icon(kStepIcon, y);
    } else if (kind == kTaskMoney) {
      line = std::to_wstring(points) + L" / " + std::to_wstring(value);
      if (levelRoad.taskIcons[kMoneyIcon] != nullptr) levelRoad.taskIcons[kMoneyIcon]->fSetColor(0xFFFFFFFFu);
      icon(kMoneyIcon, y);
    } else if (kind == kTaskTime) {
      line = LEVEL_ROAD_TEXT::Clock(QOR::fTruncateToInt(board->m_elapsed)) + L" / " + LEVEL_ROAD_TEXT::Clock(value);
      icon(kTimeIcon, y);
    }
    PrintText(regularFont, x, y, line);
    star(levelRoad.stars[task], isTaskMet(task) && levelRoad.starsShown >= task + 1 ? 0 : 1);
  }
  if (levelRoad.startButton != nullptr) levelRoad.startButton->fRender();
  if ((requestedScreen == FINAL_SCREEN || requestedScreen == PACKS_SCREEN) && blackMask != nullptr) blackMask->fRender();
}

void MAHJONG_GAME_MANAGER::OnQuit() {
  // The level's end saved its money and experience; what a count-up cut short by the quit still
  // had to give (a pack, a trophy) is given, and saved, before the game goes.
  CompleteCountUp();
}
