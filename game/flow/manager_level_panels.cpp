// The level intro: the panel with the level's tasks that slides down over the board once the board
// has dropped in, starts the level from its button (or Enter or Escape) and slides away, and the
// board panel's own motion into and out of the screen that the intro and the completion share.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
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

constexpr const char kPanelImage[] = "FinishPanel_back.png";
constexpr const char* kTaskIconImages[4] = {"Time_icon.png", "Step_icon.png", "Special_icon.png", "Money_icon.png"};
constexpr int kTimeIcon = 0, kStepIcon = 1, kSpecialIcon = 2, kMoneyIcon = 3;
constexpr float kPanelStartRise = 500.0f;  // a new intro panel stands this far above the middle
constexpr float kSecondButtonDx = 80.0f;
constexpr float kButtonRise = 10.0f;       // the buttons' centre above the panel's bottom edge
constexpr float kTitleDrop = 50.0f;        // the title line below the panel's top edge
constexpr int kSpecialLineDrop = 89;
constexpr int kTaskLineStep = 45;
constexpr int kMarkDx = 195;
constexpr int kIconDx = -165;

std::wstring twoDigits(int value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

void renderAt(QOR::QC_SPRITE* sprite, int x, int y) {
  if (sprite != nullptr) sprite->fRenderAt(static_cast<float>(x), static_cast<float>(y), 0.0f, 1.0f, 1.0f);
}

}  // namespace

std::wstring LEVEL_ROAD_TEXT::Clock(int seconds) {
  if (seconds < 0) seconds = 0;
  const int minutes = seconds / 60;
  return twoDigits(minutes) + L":" + twoDigits(seconds - 60 * minutes);
}

std::wstring LEVEL_ROAD_TEXT::FillIn(const std::wstring& text, const std::wstring& value) {
  for (const wchar_t* mark : {L"%s", L"%i", L"%d"}) {
    const std::size_t at = text.find(mark);
    if (at != std::wstring::npos) return text.substr(0, at) + value + text.substr(at + 2);
  }
  return text + L" " + value;
}

void MAHJONG_GAME_MANAGER::ShowIntroMark() {
  if (levelRoad.mark == nullptr) {
    levelRoad.mark = NewSprite("star_active_passive.png");
    levelRoad.mark->fSetSize(levelRoad.mark->fGetPageWidth() / 2, levelRoad.mark->fGetPageHeight());
    levelRoad.mark->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }
  levelRoad.mark->fSetFrame(2, 1, 1);
}

void MAHJONG_GAME_MANAGER::BuildLevelInfo() {
  const QOR::QS_POINT size = ScreenSize();
  const float middleX = static_cast<float>(size.x / 2);
  ShowIntroMark();
  levelRoad.introTasks.clear();
  if (board != nullptr) {
    const std::int32_t tasks[2][2] = {{board->m_task1Type, board->m_task1Value}, {board->m_task2Type, board->m_task2Value}};
    for (const auto& [kind, value] : tasks) {
      if (kind == kTaskNone || value == 0) continue;
      const std::wstring text = kind == kTaskTime ? LEVEL_ROAD_TEXT::Clock(value) : std::to_wstring(value);
      levelRoad.introTasks.push_back(INTRO_TASK{kind, value, text});
    }
  }

  if (levelRoad.introPanel == nullptr || levelRoad.startButton == nullptr || levelRoad.secondButton == nullptr) {
    DeleteSprite(levelRoad.introPanel);
    DeleteButton(levelRoad.startButton);
    DeleteButton(levelRoad.secondButton);
    levelRoad.introPanel = NewSprite(kPanelImage);
    levelRoad.introPanel->fSetPositionXY(middleX, static_cast<float>(size.y / 2) - kPanelStartRise);
    levelRoad.startButton = NewButton("Ok_middle.png", QOR::QC_HIT_AREA::kCircle);
    levelRoad.secondButton = NewButton("Delete_middle.png", QOR::QC_HIT_AREA::kCircle);
    const QOR::QS_VEC2 at = levelRoad.introPanel->fGetPosition();
    levelRoad.secondButton->fSetPosition(middleX + kSecondButtonDx,
                                         at.y + levelRoad.introPanel->fGetHeight() / 2.0f - kButtonRise);
  }
  const QOR::QS_VEC2 at = levelRoad.introPanel->fGetPosition();
  levelRoad.startButton->fSetPosition(middleX, at.y + levelRoad.introPanel->fGetHeight() / 2.0f - kButtonRise);

  bool iconsComplete = true;
  for (const QOR::QC_SPRITE* icon : levelRoad.taskIcons) iconsComplete = iconsComplete && icon != nullptr;
  if (!iconsComplete) {
    for (int i = 0; i < 4; ++i) {
      DeleteSprite(levelRoad.taskIcons[i]);
      levelRoad.taskIcons[i] = NewSprite(kTaskIconImages[i]);
    }
  }
  if (board != nullptr && board->GetPanel() != nullptr) board->GetPanel()->PlaceSlots();
}

bool MAHJONG_GAME_MANAGER::StepBoardPanelMotion(bool withDropIn) {
  if (board == nullptr) return false;
  if (!levelPanelTween.active && !screenSlideTween.active && !board->m_slideTween.active &&
      !(withDropIn && board->m_dropTween.active)) {
    return false;
  }
  const float dt = QOR::qcFrameTime;
  MAHJONG_HUD_PANEL* panel = board->GetPanel();
  if (levelPanelTween.active) {
    const float y = levelPanelTween.Update(dt);
    if (panel != nullptr) panel->MoveTopRow(y - panel->GetTopRowY());
  }
  board->UpdateDropIn();
  board->ShuffleChips();
  if (screenSlideTween.active) {
    const float offset = screenSlideTween.Update(dt);
    if (panel != nullptr) panel->sideOffset = offset;
  }
  return true;
}

void MAHJONG_GAME_MANAGER::StartBoardPanelExit() {
  levelPanelTween.Start(0.0f, PanelSlide(), fadeInOutTime);
  screenSlideTween.Start(BoardPanelOffset(), MAHJONG_HUD_PANEL::kInitialSideOffset, fadeInOutTime);
  if (board != nullptr) board->StartSlideOut();
}

void MAHJONG_GAME_MANAGER::UpdateLevelStart() {
  if (board == nullptr) return;
  const QOR::QS_POINT size = ScreenSize();
  const float time = fadeInOutTime;
  board->UpdateEffects();
  if (board->GetPanel() != nullptr) board->GetPanel()->Update(QOR::qcFrameTime);
  if (StepBoardPanelMotion(true)) {
    introPanelShown = 0;
    return;
  }
  QOR::QC_SPRITE* panel = levelRoad.introPanel;
  if (panel == nullptr) return;

  if (introPanelShown == 0) {
    introPanelShown = 1;
    if (requestedScreen == LEVEL_START_SCREEN) {
      sidePanelTween.Start(panel->fGetPosition().y, static_cast<float>(size.y / 2), time);
      if (darkBack1 != nullptr) screenFade.Start(darkBack1, time, true);
    } else if (requestedScreen == LEVELS_SCREEN) {
      ChangeScreen();
    }
    return;
  }

  const float y = panel->fGetPosition().y;
  if (sidePanelTween.active) {
    const float dy = sidePanelTween.Update(QOR::qcFrameTime) - y;
    AddY(panel, dy);
    AddY(levelRoad.startButton, dy);
    AddY(levelRoad.secondButton, dy);
    return;
  }
  if (y >= 0.0f) {
    if (tutorial.on != 0 && (tutorial.step == 0 || tutorial.step == 7)) TutorialStep();
    const bool confirmed =
        isClicked(levelRoad.startButton) || isKeyReleased(QOR::kKeyEnter) || isKeyReleased(QOR::kKeyEscape);
    if (confirmed && !tutorial.panelAnimator.active) {
      if (player != nullptr && player->m_doTilesShadowing) board->DarkenTiles(true);
      HideTutorialPanel();
      PlaySound("button_click.ogg");
      board->m_tipPeriod = MAHJONG_CONSTS::GetInstance()->ability_tip_lvl3;
      board->m_tipTimer = 0.0f;
      SavePlayer();
      if (darkBack1 != nullptr) screenFade.Start(darkBack1, time, false);
      sidePanelTween.Start(y, PanelSlide(), time);
      requestedScreen = GAME_SCREEN;
      return;
    }
    // A start refused while the tutorial's panel moves is counted: the second one puts the
    // first step's panel away, so the player is never held at the intro.
    if (confirmed && tutorial.on != 0) ++tutorial.counter;
    if (tutorial.on != 0 && tutorial.step == 1 && tutorial.counter >= 2) HideTutorialPanel();
    return;
  }
  if (requestedScreen != GAME_SCREEN) {
    // The way out to the levels screen.
    introPanelShown = 0;
    StartBoardPanelExit();
    return;
  }
  ChangeScreen();
}

void MAHJONG_GAME_MANAGER::RenderLevelStart() {
  QOR::QC_SPRITE* panel = levelRoad.introPanel;
  if (panel == nullptr) return;
  if (darkBack1 != nullptr) darkBack1->fRender();
  panel->fRender();
  const QOR::QS_VEC2 at = panel->fGetPosition();
  const int x = QOR::fTruncateToInt(at.x) - 3;
  int y = QOR::fTruncateToInt(at.y - panel->fGetHeight() / 2.0f + kTitleDrop);
  if (boldFont != nullptr) boldFont->fSetColor(GoldenColor());
  PrintText(boldFont, x, y, texts[TXT_LEVEL_START]);
  if (regularFont != nullptr) regularFont->fSetColor(GoldenColor());

  y += kSpecialLineDrop;
  const int specials = board != nullptr ? board->m_specialsLeft : 0;
  PrintText(regularFont, x, y, LEVEL_ROAD_TEXT::FillIn(texts[TXT_TASK_SPECIAL], std::to_wstring(specials)));
  renderAt(levelRoad.mark, x + kMarkDx, y);
  renderAt(levelRoad.taskIcons[kSpecialIcon], x + kIconDx, y);

  for (const INTRO_TASK& task : levelRoad.introTasks) {
    y += kTaskLineStep;
    renderAt(levelRoad.mark, x + kMarkDx, y);
    int text = -1;
    int icon = -1;
    if (task.kind == kTaskMoney) {
      text = TXT_TASK_MONEY;
      icon = kMoneyIcon;
      if (levelRoad.taskIcons[kMoneyIcon] != nullptr) levelRoad.taskIcons[kMoneyIcon]->fSetColor(0xFFFFFFFFu);
    } else if (task.kind == kTaskMoves) {
      text = TXT_TASK_MOVES;
      icon = kStepIcon;
    } else if (task.kind == kTaskTime) {
      text = TXT_TASK_TIME;
      icon = kTimeIcon;
    }
    if (text < 0) continue;
    PrintText(regularFont, x, y, LEVEL_ROAD_TEXT::FillIn(texts[text], task.text));
    renderAt(levelRoad.taskIcons[icon], x + kIconDx, y);
  }
  if (levelRoad.startButton != nullptr) levelRoad.startButton->fRender();
}
