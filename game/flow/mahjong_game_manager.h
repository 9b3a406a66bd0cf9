// The game's top object: the string table, every screen and overlay, the board of the level being
// played, the message boxes and the current player record. It loads the screens in stages while
// the loading screen shows, then updates and draws the current screen once per tick and frame, and
// switches screens on request. One instance, made by GameInit and kept in `gameManager`.
//
// The screens' own Build/Update/Render functions are members too; they live in their own source
// files (the title in manager_title.cpp, the screens not built yet in manager_shells.cpp).
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/timed_values.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace QOR {
class QC_FONT;
class QC_IMAGE_BUTTON;
class QC_LOCMAN;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class MAHJONG_LAYOUT;
class MAHJONG_PLAYER;
class PACK_BUTTON;
class STORE_MESSAGE_BOX;
class TROPHY_ITEM;

// The value of the current and of the requested screen. 9 has no handler; values above 12 update
// and draw nothing.
enum SCREEN_TYPE : int {
  GAME_SCREEN = 0,
  COMICS_SCREEN = 1,
  FINAL_SCREEN = 2,
  BOARD_SCREEN = 3,
  TITLE_SCREEN = 4,
  PLAYERS_SCREEN = 5,
  PACKS_SCREEN = 6,
  EMPTY_SCREEN = 7,
  TROPHIES_SCREEN = 8,
  LEVEL_START_SCREEN = 10,
  LEVEL_END_SCREEN = 11,
  LEVELS_SCREEN = 12,
};

// The manager's screen-effect timings from fx_params.xml (a missing attribute reads as 0).
struct MANAGER_FX_PARAMS {
  float startPanelBezierTime = 0.0f;
  QOR::QS_VEC2 startPanelBezierMid{0.0f, 0.0f};
  float countUpEffectDelay = 0.0f;
  float countUpIncrDelay = 0.0f;
  std::uint32_t countUpColor = 0;
  int countUpIncrement = 1;  // the count-up's step, at least 1
  float levelUnblockScale = 0.0f, levelUnblockTime = 0.0f, levelUnblockFade = 0.0f;
  float packLockScale = 0.0f, packLockTime = 0.0f, packLockFade = 0.0f;
  float packButtonScale = 0.0f, packButtonTime = 0.0f, packButtonFade = 0.0f;
  float motionTrailFreq = 0.0f;
  int motionTrailLength = 0;
  float browseTrophySpeed = 0.0f, browseLevelsSpeed = 0.0f;
  float flashRankDuration = 0.0f, flashRankScale = 0.0f;
  float starsBlobDuration = 0.0f, starsBlobAmplitude = 0.0f, starsBlobFrequency = 0.0f;
  float starsBlobDecay = 0.0f, starsBlobDelay = 0.0f;
};

class MAHJONG_GAME_MANAGER {
 public:
  static constexpr int kTexts = 39;
  static constexpr int kLevelButtons = 20;
  static constexpr int kTrophySlots = 12;
  static constexpr float kPanelSlide = 300.0f;  // the side panels' slide distance, down (title) or right

  // Indices of the 39 strings.xml texts, in the order of their keys.
  enum TEXT_ID : int {
    TXT_PAGE, TXT_WELCOME, TXT_PLAYERS, TXT_QUIT, TXT_CHANGE_PLAYER, TXT_WANT_TO_QUIT,
    TXT_DELETE_PLAYER, TXT_TYPE_NEW_NAME, TXT_PLAYER_EXISTS, TXT_RESTART_LEVEL, TXT_OPTIONS,
    TXT_STORE, TXT_TROPHIES, TXT_CAREER, TXT_SOUND, TXT_MUSIC, TXT_FULL_SCREEN, TXT_CUSTOM_CURSOR,
    TXT_FRONTS, TXT_CREDITS, TXT_RANK_TOO_LOW, TXT_NOT_MONEY, TXT_BUY_PACK, TXT_HELP,
    TXT_LEVEL_START, TXT_LEVEL_END, TXT_CLICK_ANYWHERE, TXT_START_COMICS, TXT_END_COMICS,
    TXT_END_COMICS_PLAYER, TXT_LEVEL_FAIL, TXT_NO_MOVES_BUT_BONUS, TXT_STORE_NAME,
    TXT_TROPHIES_NAME, TXT_LAST_LEVEL_PACK, TXT_TASK_MONEY, TXT_TASK_MOVES, TXT_TASK_TIME,
    TXT_TASK_SPECIAL,
  };

  class SELECT_PLAYER_MSG_BOX;  // defined in select_player_msg_box.h

  // Registers the resource packs and reads strings.xml; everything else is made by LoadStep.
  MAHJONG_GAME_MANAGER();
  // The manager is never destroyed while the game runs; this frees what it owns for tests.
  ~MAHJONG_GAME_MANAGER();
  MAHJONG_GAME_MANAGER(const MAHJONG_GAME_MANAGER&) = delete;
  MAHJONG_GAME_MANAGER& operator=(const MAHJONG_GAME_MANAGER&) = delete;

  // ---- Frame (mahjong_game_manager.cpp) ----
  // One loading stage per call: progress 0, 10, ..., 90 does its stage and advances by 10; 100
  // (and any other value) does nothing. The title is the current screen once it reaches 100.
  void LoadStep(int& progress);
  // One tick: 0, or -108 when the title's Quit was confirmed.
  int Update();
  void Render();
  // Full-screen border bars and the custom cursor, over everything.
  void RenderTop();
  // Makes the requested screen current with its set-up.
  void ChangeScreen();
  // Rebuilds the menu screens (main menu, title, players, message box, trophies, packs); the old
  // objects are deleted and menuGeneration counts one more. Every pointer to a menu object taken
  // before the call is stale: a screen update that calls it returns right after (to its caller's
  // caller), or goes on only through members read again after the call. The manager's update ends
  // the tick when the left panel's update rebuilt the menus.
  void loadMenus();
  void OnActivate();
  void OnDeactivate();
  QOR::QC_LOCMAN* GetLocman() const { return locman; }
  // Does nothing; the title and the players screens call it.
  void DoNothing() {}
  // Finishes a running count-up of money and experience at once: the shown values and the
  // player's values end at the earned targets and the count-up stops. Called before every save of
  // the player and when a level is entered, so nothing earned is lost.
  void CompleteCountUp();
  // Saves the player record to the player file after completing a running count-up.
  bool SavePlayer();

  // ---- Player file (manager_player_file.cpp) ----
  // The documents folder + "/Greyfern/Lantern Tiles/player.xml".
  static std::string PlayerFilePath();
  // First-run creation and repair of player.xml, then the player record of its last player.
  void CheckPlayer();
  // Starts a new profile of that name, saves it (it becomes the last player) and applies its
  // options.
  void SavePlayerFile(const std::wstring& name);

  // ---- Data files (manager_data.cpp) ----
  void LoadStrings();
  void CreateLabels();
  void BuildDarkBack();
  void LoadFxParams();
  // A copy of the text with every blank removed.
  static std::wstring trimLR(std::wstring text);
  // The string table's text for the key as a wide string ("not found" when missing or no table).
  std::wstring GetText(const char* key) const;

  // ---- Title screen and player box (manager_title.cpp, select_player_msg_box.cpp) ----
  // Makes the title's picture, panel and three buttons, the panel 300 below its resting place; a
  // rebuild replaces the earlier ones.
  void BuildTitle();
  // One tick of the title: 0, or -108 when Quit was confirmed.
  int UpdateTitle();
  void RenderTitle();
  // Deletes the title's objects and gives their pictures back; all null afterwards.
  void DeleteTitle();
  // Adds dy to the y of the title panel and of its three buttons (they always move together).
  void MoveTitlePanel(float dy);
  // Makes a new player box (closed, no name entry, no error) with its name field; the old box is
  // deleted.
  void BuildPlayerBox();
  void BuildPlayers();
  void UpdatePlayers();
  void RenderPlayers();

  // ---- Screens of later work (manager_shells.cpp until each is built; UpdatePlayers and
  // RenderPlayers too) ----
  void BuildComics();
  void BuildMainMenu();
  void BuildGameHud();
  void BuildTrophies();
  void BuildPacks();
  void BuildOptions();
  void ApplyPlayerOptions();
  int UpdateLeftPanel();
  void RenderLeftPanel();
  void ResetMenuButtons();
  void SelectMenuButton(QOR::QC_IMAGE_BUTTON* button);
  void UpdateEmpty() {}
  void RenderEmpty() {}
  void UpdatePacks();
  void RenderPacks();
  void UpdateTrophies();
  void RenderTrophies();
  void UpdateRank(int flash);
  void UpdateLevels(int pack);
  void RenderLevels();
  void UpdateGame();
  void UpdateLevelStart();
  void UpdateLevelEnd();
  void RenderLevelStart();
  void RenderLevelEnd();
  void RenderTipMarkers();
  void UpdateStartComics();
  void RenderStartComics();
  void UpdateFinalScreen();
  void RenderFinalScreen();
  void UpdateHelp();
  void RenderHelp();
  void UpdateOptions();
  void RenderOptions();
  void UpdateTutorial(int step);
  void RenderTutorial();
  void TutorialStep();
  void LoadLevelBackgrounds();
  // Board hooks the level road fills in: the board and its hud in the board picture, the board's
  // tick on BOARD_SCREEN, pause, deletion (board := null), the tip marker's making, the board
  // panel's offset and the intro panel's mark (frame 1 of 2).
  void RenderBoardLayout();
  void RenderBoardHud();
  void UpdateBoard();
  void PauseBoard(int pause);
  void DeleteBoard();
  void MakeTipMarker();
  float BoardPanelOffset() const;
  void ShowIntroMark();
  // Frees what the later screens own (pack buttons, trophy slots, their pictures).
  void FreeLaterScreens();
  // Trophy hooks: records the awarded trophy in the player's list, draws it over the award box.
  void RecordAwardedTrophy();
  void RenderAwardedTrophy();
  // The x of pack 1's button (the packs screen's slide start).
  float FirstPackButtonX() const;
  // The left panel's x (its back's x, or its start x before it exists).
  float LeftPanelX() const;

  // ================= Data model =================
  QOR::QC_LOCMAN* locman = nullptr;  // strings.xml
  QOR::QC_SPRITE* cursor = nullptr;
  int currentPack = 1;
  int currentLevel = 1;
  std::uint8_t optionsOpen = 0;
  QOR::QC_SPRITE* screenBack = nullptr;
  QOR::QC_SPRITE* roomBack = nullptr;
  QOR::QC_SPRITE* darkBack1 = nullptr;
  QOR::QC_SPRITE* darkBack2 = nullptr;
  QOR::QC_SPRITE* barFill = nullptr;
  QOR::QC_SPRITE* barStripe = nullptr;
  std::uint8_t pillarBox = 0;
  std::uint8_t letterBox = 0;
  VALUE_TWEEN sidePanelTween;
  VALUE_TWEEN screenSlideTween;
  VALUE_TWEEN levelPanelTween;
  ALPHA_FADER screenFade;
  std::wstring texts[kTexts];
  ALPHA_FADER tipFader;
  FLOAT_ANIMATOR tutorialPanelAnimator;
  std::uint8_t tutorialOn = 0;
  QOR::QS_VEC2 tutorialPanelPos{0.0f, 0.0f};
  QOR::QC_SPRITE* tutorialPanel = nullptr;
  QOR::QC_SPRITE* tipMarker = nullptr;
  QOR::QC_SPRITE* blackMask = nullptr;
  QOR::QC_SPRITE* taskIcons[4] = {};  // time, step, special, money
  std::uint8_t introPanelShown = 0;
  SCREEN_TYPE requestedScreen = TITLE_SCREEN;
  QOR::QC_IMAGE_BUTTON* careerButton = nullptr;
  STORE_MESSAGE_BOX* messageBox = nullptr;
  QOR::QC_TEXTURE_INFO* rightArrow = nullptr;
  QOR::QC_TEXTURE_INFO* leftArrow = nullptr;
  int arrowOffset1 = 0;
  int arrowOffset2 = 0;
  QOR::QC_SPRITE* trophyShelf = nullptr;
  TROPHY_ITEM* trophySlots[kTrophySlots] = {};
  STORE_MESSAGE_BOX* trophyBox = nullptr;
  TROPHY_ITEM* awardedTrophy = nullptr;
  std::vector<PACK_BUTTON*> packButtons;
  QOR::QC_IMAGE_BUTTON* levelButtons[kLevelButtons] = {};
  QOR::QC_IMAGE_BUTTON* pageArrow = nullptr;
  int page = 1;
  std::wstring pageText;
  QOR::QC_FONT* regularFont = nullptr;
  QOR::QC_FONT* boldFont = nullptr;
  QOR::QC_FONT* boldStrokeFont = nullptr;
  std::uint8_t helpOpen = 0;
  SCREEN_TYPE currentScreen = TITLE_SCREEN;
  MAHJONG_LAYOUT* board = nullptr;
  std::uint8_t countUpRunning = 0;
  int shownMoney = 0;
  int shownXP = 0;
  MAHJONG_PLAYER* player = nullptr;

  // Data files: rank titles and pack names by their English names, credits as (style, text) with
  // style 0 plain, 1 bold, 2 company; fx_params.xml timings.
  std::map<std::wstring, std::wstring> rankTitles;
  std::map<std::wstring, std::wstring> packNames;
  std::vector<std::pair<int, std::wstring>> credits;
  MANAGER_FX_PARAMS fx;

  // Left panel members the frame reads (made by BuildMainMenu): its back (its x is the panel's x)
  // and the count-up clocks. earnedXP is the experience earned when the count-up started, with
  // its fraction (the shown experience is truncated).
  QOR::QC_SPRITE* leftPanelBack = nullptr;
  float countUpDelayClock = 0.0f;
  float countUpStepClock = 0.0f;
  float earnedXP = 0.0f;
  // Counts the rebuilds of the menus (loadMenus): a caller that sees it change returns at once.
  unsigned menuGeneration = 0;

  // Title screen and player box (manager_title.cpp)
  QOR::QC_SPRITE* titleBack = nullptr;
  QOR::QC_SPRITE* titlePanel = nullptr;
  QOR::QC_IMAGE_BUTTON* playButton = nullptr;
  QOR::QC_IMAGE_BUTTON* quitButton = nullptr;
  QOR::QC_IMAGE_BUTTON* playersButton = nullptr;
  bool playersChanged = false;
  std::wstring selectedName;
  SELECT_PLAYER_MSG_BOX* playerBox = nullptr;
  // End of the title screen and player box section

 private:
  // Every pointer, counter and flag := 0 (not the current and requested screen).
  void ResetFields();
  static void RegisterPacks();
  // The LEVELS_SCREEN set-up of ChangeScreen.
  void EnterLevels(SCREEN_TYPE from);
  // Full-screen border bars.
  void RenderBars();
  // The board picture of screens 0, 10 and 11: room, dark back, board, tip markers, tutorial
  // panel, hud.
  void RenderBoardScene();
  // The page arrows' images (the old subscriptions given back) and the arrow offsets.
  void SubscribeArrows();
  // Helpers of the player file (manager_player_file.cpp).
  static void CreatePlayerFile(const std::string& path);
  static void RepairPlayerFile(const std::string& path);

  QOR::QC_TEXTURE_INFO* _roomImage = nullptr;
};
