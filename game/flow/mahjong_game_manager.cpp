// The game manager's frame: construction, the staged loader, the per-tick and per-frame dispatch
// over the current screen, the screen switch and the layer drawn over everything.
#include "game/flow/mahjong_game_manager.h"

#include "engine/loc/qc_locman.h"
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "game/flow/game_globals.h"
#include "game/flow/menu_objects.h"
#include "game/flow/select_player_msg_box.h"
#include "game/flow/store_message_box.h"
#include "gui/widgets/qc_image_button.h"

#include <string>

namespace {

constexpr const char* kRoomImages[7] = {"Lotus_room.jpg",      "Lotus_room.jpg",   "Crane_room2.jpg",
                                        "Bamboo_room3.jpg",    "Phoenix_room.jpg", "CherryTree_room.jpg",
                                        "Dragon_room6.jpg"};

}  // namespace

MAHJONG_GAME_MANAGER::MAHJONG_GAME_MANAGER() {
  ResetFields();
  RegisterPacks();
  LoadStrings();
  optionsOpen = 0;
  QOR::fLog() << "String table " << static_cast<const void*>(locman);
}

MAHJONG_GAME_MANAGER::~MAHJONG_GAME_MANAGER() {
  // The screens' parts free what they own after this.
  DeleteBoard();
  delete playerBox;
  for (QOR::QC_SPRITE* sprite : {cursor, screenBack, roomBack, darkBack1, darkBack2, barFill, barStripe, blackMask}) {
    delete sprite;
  }
  // The page arrow shows the arrow pictures the manager holds; it counted no subscription itself.
  delete pageArrow;
  delete messageBox;
  delete regularFont;
  delete boldFont;
  delete boldStrokeFont;
  delete player;
  delete locman;
}

void MAHJONG_GAME_MANAGER::ResetFields() {
  locman = nullptr;
  cursor = screenBack = roomBack = darkBack1 = darkBack2 = barFill = barStripe = nullptr;
  blackMask = nullptr;
  optionsOpen = helpOpen = introPanelShown = countUpRunning = 0;
  pillarBox = letterBox = 0;
  pageArrow = nullptr;
  messageBox = nullptr;
  rightArrow = leftArrow = _roomImage = nullptr;
  regularFont = boldFont = boldStrokeFont = nullptr;
  board = nullptr;
  player = nullptr;
  playerBox = nullptr;
  arrowOffset1 = arrowOffset2 = 0;
  shownMoney = shownXP = 0;
  earnedXP = 0.0f;
}

void MAHJONG_GAME_MANAGER::RegisterPacks() {
  // The results do not matter here: a pack that does not open logs why, and its pictures and
  // documents then come back as the engine's stand-ins.
  QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  QOR::QC_GAME::fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
  QOR::QC_GAME::fAddPack("data/tiles", MAHJONG_PACKS::kTiles);
  QOR::QC_GAME::fAddPack("data/trophies", MAHJONG_PACKS::kTrophies);
  QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
  QOR::QC_GAME::fAddPack("data/btns", MAHJONG_PACKS::kButtons);
  QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
}

void MAHJONG_GAME_MANAGER::LoadStep(int& progress) {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  switch (progress) {
    case 0:
      break;
    case 10:
      CheckPlayer();
      BuildDarkBack();
      delete barFill;
      delete barStripe;
      delete cursor;
      barFill = MENU_OBJECTS::NewSprite("pazz.png");
      barStripe = MENU_OBJECTS::NewSprite("golden_stripe.png");
      cursor = MENU_OBJECTS::NewSprite("Cursor.png");
      cursor->fSetAnchor(QOR::QC_SPRITE::kAnchorTopLeft, 0.0f, 0.0f);
      optionsOpen = 0;
      delete screenBack;
      screenBack = MENU_OBJECTS::NewSprite("screen_back.jpg");
      screenBack->fSetPosition(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2), 0.0f);
      CreateLabels();
      BuildMainMenu();
      break;
    case 20:
      BuildTitle();
      break;
    case 30:
      BuildPlayers();
      break;
    case 40:
      BuildGameHud();
      SubscribeArrows();
      delete messageBox;
      messageBox = new STORE_MESSAGE_BOX();
      QOR::fLog(std::string(76, '='));
      break;
    case 50:
      break;
    case 60:
      QOR::fLog("123");
      BuildTrophies();
      QOR::fLog("456");
      break;
    case 70:
      BuildPacks();
      break;
    case 80:
      BuildOptions();
      break;
    case 90:
      ApplyPlayerOptions();
      if (title.panel != nullptr) {
        const float y = title.panel->fGetPosition().y;
        sidePanelTween.Start(y, y + MENU_OBJECTS::PanelSlide(), fadeInOutTime);
      }
      if (blackMask != nullptr) blackMask->fSetColor(0x00FFFFFFu);
      currentScreen = TITLE_SCREEN;
      LoadFxParams();
      countUpRunning = 0;
      shownMoney = 0;
      shownXP = 0;
      break;
    default:
      return;  // 100 and any other value: loading is over
  }
  progress += 10;
}

void MAHJONG_GAME_MANAGER::SubscribeArrows() {
  MENU_OBJECTS::GiveBack(rightArrow);
  MENU_OBJECTS::GiveBack(leftArrow);
  rightArrow = QOR::QC_GAME::fSubscribeImage("RightPoint_smoll.png");
  leftArrow = QOR::QC_GAME::fSubscribeImage("LeftPoint_smoll.png");
  arrowOffset1 = 310;
  arrowOffset2 = 510;
}

int MAHJONG_GAME_MANAGER::Update() {
  screenFade.Update(QOR::qcFrameTime);  // nothing while it is not active
  if (helpOpen != 0) {
    UpdateHelp();
    return 0;
  }
  if (optionsOpen != 0) {
    UpdateOptions();
    return 0;
  }
  // The award box only shows its trophy (recorded and saved when it was awarded); a trophy won
  // while it was open follows as it closes.
  if (trophies.awardBox != nullptr && trophies.awardBox->isInfo()) {
    if (trophies.awardBox->fUpdate() == 1) trophies.awardBox->fHide();
    ShowPendingAward();
    return 0;
  }
  UpdateTutorial(0);

  // A left panel that switched screens through a rebuild of the menus ends the tick: the screen
  // update below would otherwise run on objects made for another screen.
  const unsigned generation = menuGeneration;
  const auto updateLeftPanel = [this, generation]() {
    UpdateLeftPanel();
    return menuGeneration == generation;
  };
  switch (currentScreen) {
    case GAME_SCREEN:
      UpdateGame();
      break;
    case COMICS_SCREEN:
      UpdateStartComics();
      break;
    case FINAL_SCREEN:
      UpdateFinalScreen();
      break;
    case BOARD_SCREEN:
      UpdateBoard();
      break;
    case TITLE_SCREEN:
      return UpdateTitle();
    case PLAYERS_SCREEN:
      UpdatePlayers();
      break;
    case PACKS_SCREEN:
      if (updateLeftPanel()) UpdatePacks();
      break;
    case EMPTY_SCREEN:
      if (updateLeftPanel()) UpdateEmpty();
      break;
    case TROPHIES_SCREEN:
      if (updateLeftPanel()) UpdateTrophies();
      break;
    case LEVEL_START_SCREEN:
      UpdateLevelStart();
      if (messageBox != nullptr && menuGeneration == generation) messageBox->fUpdate();
      break;
    case LEVEL_END_SCREEN:
      UpdateLevelEnd();
      break;
    case LEVELS_SCREEN:
      if (updateLeftPanel()) UpdateLevels(currentPack);
      break;
    default:
      break;
  }
  return 0;
}

void MAHJONG_GAME_MANAGER::RenderBoardScene() {
  if (roomBack != nullptr) roomBack->fRender();
  if (darkBack2 != nullptr) darkBack2->fRender();
  RenderBoardLayout();
  if (currentScreen == GAME_SCREEN) RenderTipMarkers();
  if ((currentScreen == GAME_SCREEN || currentScreen == LEVEL_START_SCREEN) && tutorial.on != 0 &&
      tutorial.panel != nullptr) {
    tutorial.panel->fRenderAt(tutorial.panelPos.x, tutorial.panelPos.y, 0.0f, 1.0f, 1.0f);
  }
  RenderBoardHud();
}

void MAHJONG_GAME_MANAGER::Render() {
  switch (currentScreen) {
    case GAME_SCREEN:
      RenderBoardScene();
      break;
    case COMICS_SCREEN:
      RenderStartComics();
      break;
    case FINAL_SCREEN:
      RenderFinalScreen();
      break;
    case TITLE_SCREEN:
      RenderTitle();
      break;
    case PLAYERS_SCREEN:
      RenderTitle();
      RenderPlayers();
      break;
    case PACKS_SCREEN:
      RenderPacks();
      RenderLeftPanel();
      break;
    case EMPTY_SCREEN:
      RenderEmpty();
      RenderLeftPanel();
      break;
    case TROPHIES_SCREEN:
      RenderTrophies();
      RenderLeftPanel();
      break;
    case LEVEL_START_SCREEN:
      RenderBoardScene();
      if (introPanelShown != 0) RenderLevelStart();
      break;
    case LEVEL_END_SCREEN:
      RenderBoardScene();
      RenderLevelEnd();
      break;
    case LEVELS_SCREEN:
      RenderLevels();
      RenderLeftPanel();
      break;
    default:
      break;
  }
  RenderTutorial();
  if (trophies.awardBox != nullptr && trophies.awardBox->isInfo()) {
    trophies.awardBox->fRender(regularFont);
    RenderAwardedTrophy();
  }
  if (messageBox != nullptr) messageBox->fRender(regularFont);
  RenderOptions();
  RenderHelp();
}

void MAHJONG_GAME_MANAGER::RenderTop() {
  if (player == nullptr) return;
  if (player->m_fullScreen) RenderBars();
  if (player->m_customCursor && cursor != nullptr) {
    const QOR::QS_POINT mouse = QOR::QC_GAME::fGetMousePos();
    cursor->fRenderAt(static_cast<float>(mouse.x), static_cast<float>(mouse.y), 0.0f, 1.0f, 1.0f);
  }
}

void MAHJONG_GAME_MANAGER::RenderBars() {
  if (QOR::qcGAME == nullptr || barFill == nullptr || barStripe == nullptr) return;
  const QOR::QS_POINT desktop = QOR::qcGAME->_desktopSize;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  QOR::QC_TEXTURE_INFO* stripe = barStripe->fGetTexture();
  const int stripeWidth = stripe != nullptr ? stripe->fGetWidth() : 0;
  const int stripeHeight = stripe != nullptr ? stripe->fGetHeight() : 0;
  const auto place = [](QOR::QC_SPRITE* sprite, int width, int height, int anchor) {
    sprite->fSetSize(width, height);
    sprite->fSetAnchor(anchor, 0.0f, 0.0f);
    sprite->fFitUV();
  };
  if (pillarBox != 0) {
    place(barFill, 3 * ((desktop.x - size.x) / 2), 2 * desktop.y, QOR::QC_SPRITE::kAnchorTopLeft);
    barFill->fRenderAt(-barFill->fGetWidth(), 0.0f, 0.0f, 1.0f, 1.0f);
    barFill->fRenderAt(static_cast<float>(size.x), 0.0f, 0.0f, 1.0f, 1.0f);
    place(barStripe, stripeWidth, size.y, QOR::QC_SPRITE::kAnchorTopCentre);
    barStripe->fRenderAt(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    barStripe->fRenderAt(static_cast<float>(size.x), 0.0f, 0.0f, 1.0f, 1.0f);
  } else if (letterBox != 0) {
    place(barFill, desktop.x, (desktop.y - size.y) / 2, QOR::QC_SPRITE::kAnchorTopLeft);
    barFill->fRenderAt(0.0f, static_cast<float>(size.y), 0.0f, 1.0f, 1.0f);
    barFill->fRenderAt(0.0f, -barFill->fGetHeight(), 0.0f, 1.0f, 1.0f);
    place(barStripe, size.x, stripeHeight, QOR::QC_SPRITE::kAnchorLeftCentre);
    barStripe->fRenderAt(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    barStripe->fRenderAt(0.0f, static_cast<float>(size.y), 0.0f, 1.0f, 1.0f);
  }
}

void MAHJONG_GAME_MANAGER::ChangeScreen() {
  const SCREEN_TYPE from = currentScreen;
  const SCREEN_TYPE to = requestedScreen;
  const float time = fadeInOutTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (from == TITLE_SCREEN || from == LEVEL_END_SCREEN || from == FINAL_SCREEN || from == GAME_SCREEN ||
      from == LEVEL_START_SCREEN) {
    if (from == TITLE_SCREEN && blackMask != nullptr) screenFade.Start(blackMask, time, false);
    const float x = leftPanel.X();
    sidePanelTween.Start(x, x - MENU_OBJECTS::PanelSlide(), time);
  }
  if ((from == LEVEL_END_SCREEN || from == FINAL_SCREEN) && to != GAME_SCREEN && player != nullptr &&
      (player->m_money > shownMoney || player->m_XP > static_cast<float>(shownXP))) {
    // The left panel counts the player's values up from what was shown to what was earned.
    countUpRunning = 1;
    leftPanel.countUpDelayClock = 0.0f;
    leftPanel.countUpStepClock = 0.0f;
    const int earnedMoney = player->m_money;
    earnedXP = player->m_XP;
    player->m_money = shownMoney;
    player->m_XP = static_cast<float>(shownXP);
    shownMoney = earnedMoney;
    shownXP = QOR::fTruncateToInt(earnedXP);
  }

  switch (to) {
    case GAME_SCREEN:
      CompleteCountUp();
      if (tutorial.on != 0) TutorialStep();
      if (player != nullptr) {
        shownMoney = player->m_money;
        shownXP = QOR::fTruncateToInt(player->m_XP);
      }
      if (boldFont != nullptr) boldFont->fSetColor(MENU_OBJECTS::GoldenColor());
      MakeTipMarker();
      // The level starts playing as the window stands: away from the player it starts silent
      // and paused, however long before the window went (the intro's slide, a restart, the
      // completion's way on); with the player, a pause the window's going left resumes.
      if (gameActive == 0) {
        ApplyVolumes();
        PauseBoard(1);
      } else if (board != nullptr && board->GetPanel() != nullptr && board->GetPanel()->isPaused()) {
        PauseBoard(0);
      }
      break;
    case TITLE_SCREEN:
      if (blackMask != nullptr) screenFade.Start(blackMask, time, false);
      if (title.panel != nullptr) {
        const float y = title.panel->fGetPosition().y;
        sidePanelTween.Start(y, y + MENU_OBJECTS::PanelSlide(), time);
      }
      if (boldFont != nullptr) boldFont->fSetColor(MENU_OBJECTS::GoldenColor());
      break;
    case PACKS_SCREEN:
      if (from == LEVEL_END_SCREEN || from == FINAL_SCREEN) {
        QOR::fLog("loadMenus from case PACKS_SCREEN:");
        loadMenus();
        DeleteBoard();
      }
      if (from == COMICS_SCREEN) UpdateRank(1);
      if (!packs.buttons.empty()) screenSlideTween.Start(packs.FirstX(), kPacksInX, time);
      leftPanel.ResetMenuButtons();
      leftPanel.SelectMenuButton(leftPanel.careerButton);
      break;
    case TROPHIES_SCREEN:
      if (regularFont != nullptr) regularFont->fSetColor(MENU_OBJECTS::GoldenColor());
      if (trophies.shelf != nullptr) {
        screenSlideTween.Start(trophies.shelf->fGetPosition().x, static_cast<float>(size.x), time);
      }
      break;
    case LEVEL_START_SCREEN:
      CompleteCountUp();
      ShowIntroMark();
      introPanelShown = 0;
      levelPanelTween.Start(MENU_OBJECTS::PanelSlide(), 0.0f, time);
      screenSlideTween.Start(BoardPanelOffset(), 0.0f, time);
      break;
    case LEVELS_SCREEN:
      EnterLevels(from);
      break;
    default:
      break;
  }
  currentScreen = to;
}

void MAHJONG_GAME_MANAGER::EnterLevels(SCREEN_TYPE from) {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const float time = fadeInOutTime;
  if (from != PACKS_SCREEN) {
    loadMenus();
    DeleteBoard();
  }

  // A page turn the last visit left running (it was left by Back mid-turn) ends here: the
  // screen opens on the page chosen below, with the arrow answering.
  levels.pageTween.Stop();
  page = 1;
  pageText = texts[TXT_PAGE] + L" %i/2";
  const int textWidth = regularFont != nullptr ? regularFont->fGetLineWidthW(pageText.c_str()) : 0;
  const auto setArrow = [this](QOR::QC_TEXTURE_INFO* image, float x, float y) {
    if (pageArrow == nullptr) return;
    if (image != nullptr) pageArrow->fSetStrip(image);
    pageArrow->fSetPosition(x, y);
  };
  const float arrowY = static_cast<float>(size.y - MENU_OBJECTS::kArrowRise);
  setArrow(rightArrow, MENU_OBJECTS::PageArrowX(size.x, textWidth, 1), arrowY);

  // Played levels are open, unplayed ones closed, then the first unplayed level after a played one
  // opens too; level 1 is always open.
  const bool packKnown = currentPack >= 1 && currentPack <= MAHJONG_PLAYER::kPacks;
  const auto result = [this, packKnown](int level) {
    return packKnown && player != nullptr ? player->m_levels[MAHJONG_PLAYER::LevelIndex(currentPack, level)] : -1;
  };
  for (int i = 0; i < kLevelButtons; ++i) {
    if (levels.buttons[i] == nullptr) continue;
    if (result(i + 1) == -1) {
      levels.buttons[i]->fDisable();
    } else {
      levels.buttons[i]->fReset();
    }
  }
  if (levels.buttons[0] != nullptr) levels.buttons[0]->fReset();
  for (int n = 2; n <= kLevelButtons; ++n) {
    if (result(n) == -1 && result(n - 1) >= 0) {
      if (levels.buttons[n - 1] != nullptr) levels.buttons[n - 1]->fReset();
      if (n > 10) page = 2;
      break;
    }
  }

  const int pack = currentPack >= 1 && currentPack <= MAHJONG_PLAYER::kPacks ? currentPack : 0;
  delete roomBack;
  MENU_OBJECTS::GiveBack(_roomImage);
  _roomImage = QOR::QC_GAME::fSubscribeImage(kRoomImages[pack]);
  roomBack = new QOR::QC_SPRITE(_roomImage);
  roomBack->fSetPosition(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2), 0.0f);

  if (leftPanel.careerButton != nullptr) leftPanel.careerButton->fReset();

  const float firstX = levels.buttons[0] != nullptr ? levels.buttons[0]->fGetPosition().x : 0.0f;
  if (page == 2) {
    screenSlideTween.Start(firstX, kLevelsPage2Share * static_cast<float>(size.x), time);
    setArrow(leftArrow, MENU_OBJECTS::PageArrowX(size.x, textWidth, 2), arrowY);
  } else {
    screenSlideTween.Start(firstX, kLevelsInX, time);
  }

  if (blackMask != nullptr) {
    if (from != LEVEL_END_SCREEN && from != GAME_SCREEN && from != LEVEL_START_SCREEN) {
      screenFade.Start(blackMask, time, false);
    } else {
      blackMask->fSetCornerColors(0x00000000u, 0x000000FFu, 0x000000FFu, 0x000000FFu);
    }
  }
}

void MAHJONG_GAME_MANAGER::loadMenus() {
  ++menuGeneration;
  BuildMainMenu();
  BuildTitle();
  BuildPlayers();
  SubscribeArrows();
  delete messageBox;
  messageBox = new STORE_MESSAGE_BOX();
  BuildTrophies();
  BuildPacks();
}

void MAHJONG_GAME_MANAGER::OnActivate() {
  if (currentScreen == GAME_SCREEN && board != nullptr) PauseBoard(0);
}

void MAHJONG_GAME_MANAGER::OnDeactivate() {
  if (currentScreen == GAME_SCREEN && board != nullptr) PauseBoard(1);
}

void MAHJONG_GAME_MANAGER::CompleteCountUp() {
  if (countUpRunning == 0) return;
  countUpRunning = 0;
  if (player == nullptr) return;
  // The targets are the shown values; the experience keeps the fraction it was earned with.
  player->m_money = shownMoney;
  player->m_XP = earnedXP > static_cast<float>(shownXP) ? earnedXP : static_cast<float>(shownXP);
  // Whatever ended it, the rest of its steps are given now.
  GiveRankRewards();
}

bool MAHJONG_GAME_MANAGER::SavePlayer() {
  CompleteCountUp();
  return player != nullptr && player->SavePlayers(PlayerFilePath());
}
