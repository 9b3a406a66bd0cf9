// The game screen of the level road: one tick of play on the board, the board's events turned into
// overlays, questions, messages, tutorial steps and trophy checks, the answers to those questions
// (quit, restart, the no-moves messages), the blinking tip marker and the board's own hooks of the
// manager's frame.
#include "behaviours/qc_bot_blob.h"
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
#include "game/flow/store_message_box.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace MENU_OBJECTS;

namespace {

constexpr int kShuffleBonus = 2;
// Keeps the no-moves events silent until the board counts its moves again.
constexpr int kMovesHeldOpen = 100;

// The face rectangle the board hit-tests a tile by, in whole pixels, shrunk by inset.
bool onFace(const MAHJONG_CHIP& chip, int x, int y, int inset) {
  const QOR::QS_VEC2 centre = chip.BackPlace();
  const float halfX = static_cast<float>(tileMetrics.sizeX) / 2.0f - static_cast<float>(inset);
  const float halfY = static_cast<float>(tileMetrics.sizeY) / 2.0f - static_cast<float>(inset);
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  return fx >= centre.x - halfX && fx <= centre.x + halfX && fy >= centre.y - halfY && fy <= centre.y + halfY;
}

// A point of the screen that picks this free tile: on its face (off the edges) and on no other
// free tile's face, searched from the face's centre outward. False when every point is shared.
bool pickPoint(const MAHJONG_BOARD::CHIP_LIST& chips, const MAHJONG_CHIP& chip, int& x, int& y) {
  const QOR::QS_VEC2 centre = chip.BackPlace();
  const int cx = static_cast<int>(centre.x);
  const int cy = static_cast<int>(centre.y);
  const int reach = std::max(tileMetrics.sizeX, tileMetrics.sizeY) / 2;
  for (int ring = 0; ring <= reach; ring += 2) {
    for (int dy = -ring; dy <= ring; dy += 2) {
      for (int dx = -ring; dx <= ring; dx += 2) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring || !onFace(chip, cx + dx, cy + dy, 2)) continue;
        bool alone = true;
        for (const MAHJONG_CHIP* other : chips) {
          if (other != &chip && other->isAvailable() && onFace(*other, cx + dx, cy + dy, 0)) alone = false;
        }
        if (!alone) continue;
        x = cx + dx;
        y = cy + dy;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

LEVEL_ROAD_PARTS::~LEVEL_ROAD_PARTS() {
  DeleteStarsBlob();
  for (QOR::QS_TRANSFORM3*& star : stars) {
    delete star;
    star = nullptr;
  }
  DeleteSprite(introPanel);
  DeleteSprite(mark);
  DeleteSprite(completionPanel);
  DeleteButton(startButton);
  DeleteButton(secondButton);
  for (QOR::QC_SPRITE* icon : taskIcons) delete icon;
  delete tipMarker;
}

void LEVEL_ROAD_PARTS::DeleteStarsBlob() {
  delete starsBlob;
  starsBlob = nullptr;
}

void MAHJONG_GAME_MANAGER::ResetLevelRoad() {
  // Every pair scores its points once: the board's score factor follows the factor base.
  if (board != nullptr) {
    board->m_factorBase = 1;
    board->m_scoreFactor = board->m_factorBase;
  }
  tutorial.counter = 0;
  levelRoad.lastBoardEvent = 0;
  levelRoad.question = ROAD_NONE;
  levelRoad.starsShown = 0;
  levelRoad.loggedChipPlaces.clear();
  levelRoad.DeleteStarsBlob();
  levelRoad.tipFader.Stop();
}

// ---- the board's hooks of the manager's frame ----

void MAHJONG_GAME_MANAGER::RenderBoardLayout() {
  if (board != nullptr) board->Render(true, boldStrokeFont, levelRoad.taskIcons[3]);
}

void MAHJONG_GAME_MANAGER::RenderBoardHud() {
  if (board != nullptr) board->RenderHud(regularFont);
}

void MAHJONG_GAME_MANAGER::UpdateBoard() {
  if (board != nullptr) board->Update();
}

void MAHJONG_GAME_MANAGER::PauseBoard(int pause) {
  if (board != nullptr) board->SetPause(pause != 0);
}

float MAHJONG_GAME_MANAGER::BoardPanelOffset() const {
  return board != nullptr && board->GetPanel() != nullptr ? board->GetPanel()->sideOffset : 0.0f;
}

void MAHJONG_GAME_MANAGER::MakeTipMarker() {
  if (board == nullptr || !(board->m_tipPeriod > 0.0f) || levelRoad.tipMarker != nullptr) return;
  levelRoad.tipMarker = NewSprite("board.png");
  levelRoad.tipMarker->fSetSize(6 * tileMetrics.layer_offsetX + tileMetrics.sizeX,
                                4 * tileMetrics.layer_offsetY + tileMetrics.sizeY);
  levelRoad.tipMarker->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
}

// ---- the tip marker ----

void MAHJONG_GAME_MANAGER::RenderTipMarkers() {
  if (board == nullptr || levelRoad.tipMarker == nullptr) return;
  for (const MAHJONG_CHIP* chip : {board->m_tipChipA, board->m_tipChipB}) {
    if (chip == nullptr) continue;
    const QOR::QS_VEC2 at = chip->GetPosition();
    levelRoad.tipMarker->fRenderAt(at.x + static_cast<float>(chip->GetLayer() * tileMetrics.layer_offsetX),
                                   at.y - static_cast<float>((chip->GetLayer() + 1) * tileMetrics.layer_offsetY), 0.0f,
                                   1.0f, 1.0f);
  }
}

void MAHJONG_GAME_MANAGER::UpdateTipFlicker() {
  if (tutorial.on != 0 || levelRoad.tipMarker == nullptr) return;
  levelRoad.tipFader.Update(QOR::qcFrameTime);
  if (!levelRoad.tipFader.active) {
    levelRoad.tipFader.Start(levelRoad.tipMarker, MAHJONG_CONSTS::GetInstance()->ability_show_tip_flickering,
                             !levelRoad.tipFader.direction);
  }
}

// ---- the game screen ----

void MAHJONG_GAME_MANAGER::UpdateGame() {
  levelRoad.lastBoardEvent = 0;
  if (board == nullptr) return;
  const QOR::QS_POINT size = ScreenSize();
  board->UpdateEffects();
  board->UpdateDropIn();
  // The tip marker blinks only while the level is played: nothing on a paused board moves.
  const bool paused = board->GetPanel() != nullptr && board->GetPanel()->isPaused();
  if (board->m_tipChipA != nullptr && board->m_tipChipB != nullptr && !paused) UpdateTipFlicker();

  if (board->ShuffleChips()) {
    if (requestedScreen == LEVEL_START_SCREEN) {
      // A restart: the board has slid out; the level comes again from its file.
      currentScreen = LEVEL_START_SCREEN;
      const std::string file = "pk" + std::to_string(currentPack) + "lv" + std::to_string(currentLevel) + ".xml";
      const bool started = board->StartLevelFromFile(file);
      ResetLevelRoad();
      BuildLevelInfo();
      // A level that can no longer be played (logged and told) goes back to the levels screen,
      // as a quit does, over its empty board.
      if (!started) requestedScreen = LEVELS_SCREEN;
      return;
    }
    if (options.tilesetChanged != 0 && player != nullptr) {
      options.tilesetChanged = 0;
      board->LoadTilesXml(player->m_tileset);
      board->StartDropIn();
    }
  }

  if (messageBox != nullptr && messageBox->isOpen()) {
    // The box answers once: hidden, it says 0 to every button and key while it slides away.
    if (messageBox->fUpdate() != 1) return;
    messageBox->fHide();
    const ROAD_QUESTION question = levelRoad.question;
    levelRoad.question = ROAD_NONE;
    switch (question) {
      case ROAD_QUIT:
        LogGameEvent(L" выход");
        currentScreen = LEVEL_START_SCREEN;
        requestedScreen = LEVELS_SCREEN;
        EndTutorial();
        if (levelRoad.introPanel != nullptr) {
          const float y = levelRoad.introPanel->fGetPosition().y;
          sidePanelTween.Start(y, y, QOR::qcFrameTime);
        }
        break;
      case ROAD_RESTART:
      case ROAD_LEVEL_FAIL:
        LogGameEvent(question == ROAD_RESTART ? L" рестар" : L" проиграл - нет ходов");
        board->StartSlideOut();
        EndTutorial();
        if (player != nullptr && player->m_tutorialShow && currentPack == 1 && currentLevel == 1) {
          tutorial.on = 1;
          tutorial.step = 0;
          tutorial.counter = 0;
        }
        BuildLevelInfo();
        requestedScreen = LEVEL_START_SCREEN;
        if (question == ROAD_LEVEL_FAIL) board->m_availableMoves = kMovesHeldOpen;
        break;
      case ROAD_NO_MOVES_BONUS: {
        board->ResetTip();
        MAHJONG_HUD_PANEL* panel = board->GetPanel();
        if (panel != nullptr && panel->bonusSlot.button != nullptr) panel->bonusSlot.button->fDisable();
        if (board->UseBonus(kShuffleBonus)) {
          board->m_availableMoves = kMovesHeldOpen;
        } else {
          // A bonus that was not full shuffles nothing: the board counts its moves again, so a
          // board without moves tells of the failed level instead of standing silent.
          board->CalcAvailableMoves();
        }
        break;
      }
      case ROAD_NONE:
        break;
    }
    return;
  }

  const int code = board->Update();
  levelRoad.lastBoardEvent = code;
  const float midX = static_cast<float>(size.x / 2);
  const float midY = static_cast<float>(size.y / 2);
  const auto ask = [&](ROAD_QUESTION question, int text) {
    if (messageBox == nullptr) return;
    levelRoad.question = question;
    messageBox->fShowQuestion(0, texts[text], midX, midY);
  };
  const auto tell = [&](ROAD_QUESTION question, int text) {
    if (messageBox == nullptr) return;
    levelRoad.question = question;
    messageBox->fShowMessage(texts[text], midX, midY);
  };
  switch (code) {
    case MAHJONG_LAYOUT::kEventOptions:
      OpenOptions();
      break;
    case MAHJONG_LAYOUT::kEventPairRemoved:
      UpdateTutorial(1);
      break;
    case MAHJONG_LAYOUT::kEventLevelComplete:
      LevelComplete();
      break;
    case MAHJONG_LAYOUT::kEventMainMenu:
      ask(ROAD_QUIT, TXT_WANT_TO_QUIT);
      return;
    case MAHJONG_LAYOUT::kEventReplay:
      ask(ROAD_RESTART, TXT_RESTART_LEVEL);
      return;
    case MAHJONG_LAYOUT::kEventTutorials:
      OpenHelp();
      break;
    case MAHJONG_LAYOUT::kEventNoMoves:
      tell(ROAD_LEVEL_FAIL, TXT_LEVEL_FAIL);
      return;
    case MAHJONG_LAYOUT::kEventNoMovesBonus:
      // The tutorial's slot steps keep every tile blocked on purpose: no message then, and the
      // board, with no tile free, stands as it is.
      if (!(tutorial.on != 0 && (tutorial.step == 3 || tutorial.step == 7))) {
        tell(ROAD_NO_MOVES_BONUS, TXT_NO_MOVES_BUT_BONUS);
      } else if (currentScreen == GAME_SCREEN) {
        LogChipPlaces();
      }
      return;
    default:
      break;
  }
  if (tutorial.on != 0 && ((code == MAHJONG_LAYOUT::kEventSkill && tutorial.step == 3) ||
                           (code == MAHJONG_LAYOUT::kEventShuffle && tutorial.step == 7))) {
    HideTutorialPanel();
    board->UpdateAllFree();
    board->CalcAvailableMoves();
  }
  CheckTrophies(code);
  if (currentScreen == GAME_SCREEN) LogChipPlaces();
}

// Logs "chip places: count=<n>", then per tile "chip place: face=<face> x=<x> y=<y>", x and y a
// point in game pixels that picks that tile.
void MAHJONG_GAME_MANAGER::LogChipPlaces() {
  const char* flag = std::getenv("QOR_LOG_CHIP_PLACES");
  if (flag == nullptr || std::string_view(flag) != "1" || board == nullptr) return;
  if (board->m_dropTween.active || board->m_slideTween.active || board->m_shuffleRequested) return;
  std::vector<std::string> lines;
  for (const MAHJONG_CHIP* chip : board->GetChips()) {
    if (!chip->isAvailable()) continue;
    int x = 0;
    int y = 0;
    if (!pickPoint(board->GetChips(), *chip, x, y)) continue;
    lines.push_back("chip place: face=" + std::to_string(chip->GetType()) + " x=" + std::to_string(x) +
                    " y=" + std::to_string(y) + (chip->isSpecial() ? " special=1" : ""));
  }
  std::string snapshot = "chip places: count=" + std::to_string(lines.size());
  for (const std::string& line : lines) snapshot += "\n" + line;
  if (snapshot == levelRoad.loggedChipPlaces) return;
  levelRoad.loggedChipPlaces = snapshot;
  QOR::fLog("chip places: count=" + std::to_string(lines.size()));
  for (const std::string& line : lines) QOR::fLog(line);
}
