// The game's top object: the string table, every screen and overlay, the board of the level being
// played, the message boxes and the current player record. It loads the screens in stages while
// the loading screen shows, then updates and draws the current screen once per tick and frame, and
// switches screens on request. One instance, made by GameInit and kept in `gameManager`.
//
// Each screen and overlay keeps what it owns in its own parts (title_parts.h, packs_parts.h...);
// its Build/Update/Render functions are members here, one source file per screen (the title in
// manager_title.cpp, the packs in manager_packs.cpp...), and the frame in mahjong_game_manager.cpp
// calls them by the current screen.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/math/qs_vec2.h"
#include "game/board/timed_values.h"
#include "game/flow/comics_parts.h"
#include "game/flow/help_parts.h"
#include "game/flow/left_panel_parts.h"
#include "game/flow/level_road_parts.h"
#include "game/flow/levels_parts.h"
#include "game/flow/manager_fx_params.h"
#include "game/flow/manager_texts.h"
#include "game/flow/options_parts.h"
#include "game/flow/packs_parts.h"
#include "game/flow/players_parts.h"
#include "game/flow/screen_type.h"
#include "game/flow/title_parts.h"
#include "game/flow/trophies_parts.h"

#include <cstddef>
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
class STORE_MESSAGE_BOX;

class MAHJONG_GAME_MANAGER {
 public:
  static constexpr int kTexts = 39;
  static constexpr int kLevelButtons = LEVELS_PARTS::kButtons;
  static constexpr int kTrophySlots = TROPHIES_PARTS::kSlots;
  static constexpr float kPacksOutX = 1650.0f;  // pack 1's x off the screen (built and slid out)
  static constexpr float kPacksInX = 450.0f;    // pack 1's x on the screen
  static constexpr float kLevelsOutX = 1590.0f;  // level 1's x off the screen
  static constexpr float kLevelsInX = 390.0f;    // level 1's x on page 1
  static constexpr float kLevelsPage2Share = -0.55f;  // level 1's x on page 2, as a share of the width
  static constexpr float kShelfOutBeyond = 1200.0f;  // the trophy shelf's x off the screen: width + this

  using enum MANAGER_TEXT;       // indices of the 39 strings.xml texts
  class SELECT_PLAYER_MSG_BOX;  // defined in select_player_msg_box.h

  // Registers the resource packs and reads strings.xml; everything else is made by LoadStep.
  MAHJONG_GAME_MANAGER();
  // The manager is never destroyed while the game runs; this frees what it owns for tests.
  ~MAHJONG_GAME_MANAGER();
  MAHJONG_GAME_MANAGER(const MAHJONG_GAME_MANAGER&) = delete;
  MAHJONG_GAME_MANAGER& operator=(const MAHJONG_GAME_MANAGER&) = delete;

  // ---- The frame (mahjong_game_manager.cpp) ----
  // One loading stage per call: progress 0, 10, ..., 90 does its stage and advances by 10; 100
  // (and any other value) does nothing. The title is the current screen once it reaches 100.
  void LoadStep(int& progress);
  // One tick: 0, or -108 when the title's Quit was confirmed.
  int Update();
  void Render();
  // Full-screen border bars and the custom cursor, over everything.
  void RenderTop();
  // Makes the requested screen current with its set-up: where every screen change ends.
  void ChangeScreen();
  // Rebuilds the menu screens (main menu, title, players, message box, trophies, packs) and counts
  // menuGeneration up: every menu object taken before is stale, so a screen update that calls it
  // returns right after (the frame ends the tick when the left panel's update called it).
  void loadMenus();
  // The window activated or away: on the game screen the board resumed or paused; elsewhere
  // nothing (a level started while the window is away starts paused, ChangeScreen).
  void OnActivate(); void OnDeactivate();
  // The sound lists' volumes for the window's state (gameActive): the player's while it is
  // active, 0 for both while it is away; with no player yet an active window leaves them alone.
  void ApplyVolumes();
  QOR::QC_LOCMAN* GetLocman() const { return locman; }
  // Saves the player record to the player file after completing a running count-up.
  bool SavePlayer();

  // ---- Player file (manager_player_file.cpp) and data files (manager_data.cpp) ----
  // The documents folder + "/Greyfern/Lantern Tiles/player.xml".
  static std::string PlayerFilePath();
  // First-run creation and repair of player.xml, then the player record of its last player.
  void CheckPlayer();
  // Starts a new profile of that name, saves it (it becomes the last player) and applies its
  // options; false when the save failed (the profile then lives only in memory).
  bool SavePlayerFile(const std::wstring& name);
  void LoadFxParams();
  // The string table's text for the key as a wide string ("not found" when missing or no table).
  std::wstring GetText(const char* key) const;

  // ---- The screens and overlays: each one's build, update and render, one file each ----
  void BuildTitle(); int UpdateTitle(); void RenderTitle();             // manager_title.cpp
  void BuildPlayers(); void UpdatePlayers(); void RenderPlayers();      // manager_players.cpp
  void BuildMainMenu(); int UpdateLeftPanel(); void RenderLeftPanel();  // manager_left_panel.cpp
  void BuildPacks(); void UpdatePacks(); void RenderPacks();            // manager_packs.cpp
  void UpdateLevels(int pack); void RenderLevels();                     // manager_levels.cpp
  void BuildTrophies(); void UpdateTrophies(); void RenderTrophies();   // manager_trophies.cpp
  void UpdateRank(int flash);                                           // manager_ranks.cpp
  // The rank rule of the pack at list index k (1..5), from what the player file keeps: its rank's
  // experience reached and the last level of the pack before it completed.
  bool isPackEarned(std::size_t k) const;
  // Opens the first locked pack the rule earns, not opening yet: its two flashes start, it is
  // saved open and becomes the last pack at level 1. False when there is none.
  bool OpenEarnedPack();
  void BuildOptions(); void UpdateOptions(); void RenderOptions();      // manager_options.cpp
  void ApplyPlayerOptions();
  void BuildGameHud(); void UpdateHelp(); void RenderHelp();            // manager_help.cpp
  void BuildComics(); void UpdateStartComics(); void RenderStartComics();  // manager_comics.cpp
  void UpdateFinalScreen(); void RenderFinalScreen();
  void UpdateEmpty() {} void RenderEmpty() {}
  // The level road: intro panel, game screen, completion panel (manager_level_panels.cpp,
  // manager_level_road.cpp, manager_level_end.cpp) and the tutorial (manager_tutorial.cpp).
  void BuildLevelInfo(); void UpdateLevelStart(); void RenderLevelStart();
  void UpdateGame(); void RenderTipMarkers();
  void UpdateLevelEnd(); void RenderLevelEnd();
  void BuildTutorial(); void TutorialStep(); void UpdateTutorial(int step); void RenderTutorial();

  // ---- What other screens and the tests ask of a screen ----
  // False (with a log line naming what is missing) when a picture of the title did not load:
  // the title would be a black or empty screen with no button to go on.
  bool TitleCanShow() const;
  // The same for the data the title is built and run with (manager_data.cpp): the constants, the
  // effect timings, the texts, the three fonts and the default_player.xml a player file is made from.
  bool TitleDataLoaded() const;
  // Creates (or reuses) the board for level n of the current pack, loads and starts it and
  // requests the level intro, sliding the buttons and the left panel out.
  void EnterLevel(int level);
  // Opens the overlay: the open flag, the panel sliding down to the screen's middle and its dark
  // back fading in. The left panel's buttons call them, and the level's pause panel opens help.
  void OpenOptions(); void OpenHelp();
  // The trophies' event of raised experience; the others are the board's event codes.
  static constexpr int kEventXPRaised = 47;
  // Judges the trophy rules for an event code (the board's, or kEventXPRaised); shows trophy id
  // (1..26) in the award box, the previous award replaced, or after the award an open box shows;
  // records the awarded trophy in the player's list and saves it (the award does both, so the
  // box's OK only closes the box).
  void CheckTrophies(int code); void AwardTrophy(int id); void RecordAwardedTrophy();
  // Shows the next trophy won while another award was on show, once its box has closed.
  void ShowPendingAward();
  // What the experience the player holds has earned, each thing once: the rank and its bar, the
  // pack the rank rule opens, and every experience trophy due. The count-up's step gives it on
  // the way, and every early end of the count-up at its targets (manager_ranks.cpp).
  void GiveRankRewards();
  // Awards every experience trophy due, one rule a check (shown one box after another).
  void AwardRankTrophies();
  // A quit (the window closed, SIGINT, SIGTERM): a running count-up ends and gives what it still
  // had to give, saved.
  void OnQuit();
  // Shows the completion panel and makes LEVEL_END_SCREEN current.
  void LevelComplete();
  // Whether task 1 or 2 of the level was met by the board's final counters (false when absent).
  bool isTaskMet(int task) const;
  // With QOR_LOG_SCREEN_STATES=1: logs the screen's state whenever it changes, after each frame
  // is drawn, so a test that drives the real window can wait for a screen at rest.
  void LogScreenState();
  // What the state log calls moving and a box open (see LogScreenState).
  bool IsMoving() const;
  bool IsBoxOpen() const;
  // The frame cap for the next frames, called once an update: fullLimit, or a few frames a second
  // while the packs or levels screen has stood still, only its highlights pulsing, or a paused
  // level has, with the pointer and every key and button at rest (manager_rest_rate.cpp).
  int FrameLimit(int fullLimit);

  // ---- Shared state ----
  QOR::QC_LOCMAN* locman = nullptr;  // strings.xml
  SCREEN_TYPE currentScreen = TITLE_SCREEN;
  SCREEN_TYPE requestedScreen = TITLE_SCREEN;
  int currentPack = 1;
  int currentLevel = 1;
  MAHJONG_LAYOUT* board = nullptr;  // the level being played; null when none
  MAHJONG_PLAYER* player = nullptr;
  std::uint8_t optionsOpen = 0;
  std::uint8_t helpOpen = 0;
  std::uint8_t pillarBox = 0;  // full screen is wider than the game resolution
  std::uint8_t letterBox = 0;  // full screen is taller than the game resolution
  QOR::QC_SPRITE* roomBack = nullptr;
  QOR::QC_SPRITE* darkBack1 = nullptr;
  QOR::QC_SPRITE* blackMask = nullptr;  // the screen fade's sprite
  VALUE_TWEEN sidePanelTween;    // one panel at a time: title, left panel, level, options, help
  VALUE_TWEEN screenSlideTween;  // pack buttons, level buttons, trophy shelf, the board's panel
  VALUE_TWEEN levelPanelTween;   // the board's panel when a level is entered or left
  ALPHA_FADER screenFade;
  std::wstring texts[kTexts];
  std::uint8_t introPanelShown = 0;
  STORE_MESSAGE_BOX* messageBox = nullptr;  // the general message box
  SELECT_PLAYER_MSG_BOX* playerBox = nullptr;  // the title's and the players screen's questions
  std::wstring selectedName;                   // the name the title or players screen chose last
  // The page arrow with its two pictures, the page and its text: the levels and the trophies
  // screen's (never shown together).
  QOR::QC_TEXTURE_INFO* rightArrow = nullptr;
  QOR::QC_TEXTURE_INFO* leftArrow = nullptr;
  QOR::QC_IMAGE_BUTTON* pageArrow = nullptr;
  int page = 1;
  std::wstring pageText;
  QOR::QC_FONT* regularFont = nullptr;
  QOR::QC_FONT* boldFont = nullptr;
  QOR::QC_FONT* boldStrokeFont = nullptr;
  // The left panel's count-up: it shows shownMoney and shownXP, counting the player's values up.
  std::uint8_t countUpRunning = 0;
  int shownMoney = 0;
  int shownXP = 0;
  // Kept by UpdateRank: the current rank's title and the experience the next rank starts at (0 at
  // the top rank).
  std::wstring rankTitle;
  int nextRankXP = 0;
  // Counts the rebuilds of the menus (loadMenus): a caller that sees it change returns at once.
  unsigned menuGeneration = 0;
  // Data files: rank titles and pack names by their English names, credits as (style, text) with
  // style 0 plain, 1 bold, 2 company; fx_params.xml timings.
  std::map<std::wstring, std::wstring> rankTitles;
  std::map<std::wstring, std::wstring> packNames;
  std::vector<std::pair<int, std::wstring>> credits;
  MANAGER_FX_PARAMS fx;

  // ---- What each screen and overlay owns ----
  TITLE_PARTS title;
  PLAYERS_PARTS players;
  LEFT_PANEL_PARTS leftPanel;
  PACKS_PARTS packs;
  LEVELS_PARTS levels;
  TROPHIES_PARTS trophies;
  OPTIONS_PARTS options;
  HELP_PARTS help;
  COMICS_PARTS comics;
  LEVEL_ROAD_PARTS levelRoad;
  TUTORIAL_PARTS tutorial;

 private:
  // ---- The frame's own steps (mahjong_game_manager.cpp) ----
  // Every pointer, counter and flag := 0 (not the current and requested screen).
  void ResetFields();
  static void RegisterPacks();
  // Data files (manager_data.cpp); trimLR copies the text with every blank removed.
  void LoadStrings(); void CreateLabels(); void BuildDarkBack();
  static std::wstring trimLR(std::wstring text);
  // The LEVELS_SCREEN set-up of ChangeScreen.
  void EnterLevels(SCREEN_TYPE from);
  // Full-screen border bars.
  void RenderBars();
  // The board picture of screens 0, 10 and 11: room, dark back, board, tips, tutorial panel, hud.
  void RenderBoardScene();
  // The page arrows' images (the old subscriptions given back) and the arrow offsets.
  void SubscribeArrows();
  // Finishes a running count-up at once (the shown and the player's values at the earned targets,
  // then GiveRankRewards): called before every save of the player, when a level is entered and on
  // every other early end, so nothing earned is lost.
  void CompleteCountUp();

  // ---- Screen helpers, in their screens' files ----
  // Title: a new player box (closed, no name entry, no error) with its name field.
  void BuildPlayerBox();
  // Players screen: opened from the title (sliding down over a fading dark back), its rows laid out
  // again after a change, the answers to its two questions.
  void OpenPlayers(); void LayOutPlayerRows(); void AnswerDeleteQuestion(); void AnswerNameQuestion();
  // Left panel: one step of the count-up (money by the step value, at least 1, never past the
  // target; experience by 1; the rank and the experience trophies; both targets reached ends it).
  void CountUpStep();
  // Every pack's stars: locked packs 0, open ones the truncated mean of their played levels'
  // results (0 when none is played).
  void UpdatePackStars();
  // Packs screen: a locked pack of a reached rank clicked: "buypack" with its price asked, or
  // "notmoney" told; the asked pack bought once the question is confirmed.
  void OfferPack(std::size_t index); void BuyPack();
  // A pack just opened, free or bought, becomes the last pack, at its level 1, with both
  // highlights; the caller saves.
  void MakeLastPack(int number);
  void LoadLevelBackgrounds();
  // Trophies: whether the player holds it; the awarded trophy drawn over the award box.
  bool HasTrophy(int id) const; void RenderAwardedTrophy();
  // The award box with trophy id, the previous award item replaced (manager_trophies.cpp).
  void ShowAward(int id);
  // Help: the page's header and lines from strings.xml (pages 1..4).
  void SetHelpPage(int page);
  // Level road. The board's hooks: drawing, its tick on BOARD_SCREEN, pause, deletion (board :=
  // null), the tip marker, the board panel's offset, the intro panel's mark (frame 1 of 2).
  void RenderBoardLayout(); void RenderBoardHud(); void UpdateBoard(); void PauseBoard(int pause);
  void DeleteBoard(); void MakeTipMarker(); float BoardPanelOffset() const; void ShowIntroMark();
  // The level road's per-level counters and flags back to their start.
  void ResetLevelRoad();
  // The board panel's entry and exit motion (level panel tween, drop-in, slide-out, screen slide
  // tween): true while any of it runs, after moving the panel one step; the way out of the intro
  // or the completion panel slides the board panel and the board out.
  bool StepBoardPanelMotion(bool withDropIn); void StartBoardPanelExit();
  // The tip marker's blinking.
  void UpdateTipFlicker();
  // Tutorial: its panel slid out below the screen (when up and still); switched off with nothing
  // of it left moving (a level that ends or is left calls it).
  void HideTutorialPanel(); void EndTutorial();
  // Does nothing: the level road reports its events here.
  void LogGameEvent(const std::wstring& /*text*/) {}
  // With QOR_LOG_CHIP_PLACES=1: logs the free tiles whenever they change while the board is still.
  void LogChipPlaces();

  // ---- Fields only the manager's own functions use ----
  QOR::QC_SPRITE* cursor = nullptr;
  QOR::QC_SPRITE* screenBack = nullptr;
  QOR::QC_SPRITE* darkBack2 = nullptr;
  QOR::QC_SPRITE* barFill = nullptr;
  QOR::QC_SPRITE* barStripe = nullptr;
  QOR::QC_TEXTURE_INFO* _roomImage = nullptr;
  int arrowOffset1 = 0;
  int arrowOffset2 = 0;
  // The experience earned when the count-up started, with its fraction (shownXP is truncated).
  float earnedXP = 0.0f;
  std::string loggedScreenState;
  std::string seenScreenState;    // the state of the last frame drawn
  int seenScreenStateFrames = 0;  // frames drawn in it so far
  QOR::QS_POINT restPointer{-1, -1};  // where the pointer was at the last update
  int restTicks = 0;                  // updates the screen has stood still for
};
