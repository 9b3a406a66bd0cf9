// The game's top object: the string table, every screen and overlay, the board of the level being
// played, the message boxes and the current player record. It loads the screens in stages while
// the loading screen shows, then updates and draws the current screen once per tick and frame, and
// switches screens on request. One instance, made by GameInit and kept in `gameManager`.
//
// The screens' own Build/Update/Render functions are members too; they live in their own source
// files, one per screen or overlay (the title in manager_title.cpp, the packs in manager_packs.cpp...).
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/timed_values.h"
#include "game/flow/level_road_parts.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace QOR {
class QC_FONT;
class QC_IMAGE_BUTTON;
class QC_IMAGE_CHECKBOX;
class QC_LOCMAN;
class QC_SPRITE;
class QC_TEXTURE_INFO;
struct QC_RENDER_TARGET;
}  // namespace QOR

class MAHJONG_LAYOUT;
class MAHJONG_PLAYER;
class PACK_BUTTON;
class STORE_MESSAGE_BOX;
class TROPHY_ITEM;
class MAHJONG_CHIP;
class VOLUME_SLIDER;

// One row of the players screen: a profile's name and its delete button (whose position is the
// row's). Copies share the button; the players screen owns it.
struct PLAYER_LIST_ITEM {
  std::wstring name;
  QOR::QC_IMAGE_BUTTON* deleteButton = nullptr;
};

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
  // options; false when the save failed (the profile then lives only in memory).
  bool SavePlayerFile(const std::wstring& name);

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
  // False (with a log line naming what is missing) when a picture of the title did not load:
  // the title would be a black or empty screen with no button to go on.
  bool TitleCanShow() const;
  // Adds dy to the y of the title panel and of its three buttons (they always move together).
  void MoveTitlePanel(float dy);
  // Makes a new player box (closed, no name entry, no error) with its name field; the old box is
  // deleted.
  void BuildPlayerBox();
  void BuildPlayers();
  void UpdatePlayers();
  void RenderPlayers();

  // ---- The menu screens and overlays, the game screen's set-up, trophies ----
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

  // Left panel, packs and levels screens (manager_left_panel.cpp, manager_packs.cpp, manager_levels.cpp)
  // (BuildMainMenu, UpdateLeftPanel, RenderLeftPanel, ResetMenuButtons, SelectMenuButton,
  // LeftPanelX, BuildPacks, UpdatePacks, RenderPacks, FirstPackButtonX, UpdateLevels, RenderLevels,
  // LoadLevelBackgrounds and DeleteBoard are declared with the screens above.)
  //
  // Left panel: the column of the menu screens. Every member stands relative to the start x (the
  // panel slide distance, -300) and the column moves as one in x; leftPanelBack and careerButton
  // (above) belong to it.
  // The panel back to x, every other member of the column by the same amount.
  void SlideLeftPanel(float x);
  // One step of the count-up: money by the step value (at least 1, never past the target),
  // experience by 1, the rank and the experience trophies; both targets reached ends it.
  void CountUpStep();
  QOR::QC_SPRITE* menuButtonBack = nullptr;
  QOR::QC_SPRITE* menuUpperLayer = nullptr;
  QOR::QC_SPRITE* experienceBack = nullptr;
  QOR::QC_SPRITE* experienceBar = nullptr;  // its width is set by UpdateRank
  QOR::QC_SPRITE* moneyBack = nullptr;
  QOR::QC_SPRITE* hoverGlow = nullptr;
  QOR::QC_SPRITE* selectionGlow = nullptr;              // drawn centred on selectedMenuButton
  QOR::QC_IMAGE_BUTTON* selectedMenuButton = nullptr;   // the last one SelectMenuButton was given
  QOR::QC_IMAGE_BUTTON* menuTrophiesButton = nullptr;
  QOR::QC_IMAGE_BUTTON* menuOptionsButton = nullptr;
  QOR::QC_IMAGE_BUTTON* menuHelpButton = nullptr;
  QOR::QC_IMAGE_BUTTON* menuBackButton = nullptr;
  // The money step of the count-up: `increment` at the first step of the process, then lowered by
  // the step rule; it carries over to later count-ups.
  float countUpStepValue = 0.0f;
  bool countUpStepSet = false;
  // The rank title's flash, started by UpdateRank.
  std::uint8_t rankFlash = 0;
  float rankFlashTimer = 0.0f;
  // Kept by UpdateRank: the current rank's title and the experience the next rank starts at (0 at
  // the top rank).
  std::wstring rankTitle;
  int nextRankXP = 0;
  // The hover glow's flicker (nothing sets the flag in this game; UpdateRank clears it).
  std::uint8_t glowFlicker = 0;
  ALPHA_FADER glowFader;

  // Packs screen: six PACK_BUTTONs in packButtons (above), two columns of three. A pack opens by
  // UpdateRank (the rank's experience reached and the previous pack's last level completed), which
  // sets the pack's lockFlash and buttonFlash; the flashes here end with the face clickable.
  static constexpr float kPacksOutX = 1650.0f;  // pack 1's x off the screen (built and slid out)
  static constexpr float kPacksInX = 450.0f;    // pack 1's x on the screen
  // Places the pack highlight on pack 1..6.
  void MovePackGlow(int pack);
  // Every pack's stars: locked packs 0, open ones the truncated mean of their played levels'
  // results (0 when none is played). UpdateRank's pack averages.
  void UpdatePackStars();
  // Pack 1's face to x, every other face, picture and the pack highlight by the same amount.
  void SlidePacks(float x);
  QOR::QC_SPRITE* lockSprite = nullptr;
  QOR::QC_SPRITE* lockFlashSprite = nullptr;
  QOR::QC_SPRITE* packFlashSprite = nullptr;   // the face flash
  QOR::QC_SPRITE* rankPlate = nullptr;         // frame 0 rank not reached, 1 reached
  QOR::QC_SPRITE* namePlate = nullptr;
  QOR::QC_SPRITE* levelFlashSprite = nullptr;  // the flash of a newly opened level
  QOR::QC_SPRITE* starSprite = nullptr;        // frame 0 lit, 1 unlit
  QOR::QC_SPRITE* packGlow = nullptr;
  QOR::QC_SPRITE* levelGlow = nullptr;
  ALPHA_FADER highlightFader;  // the pulse of the pack and the level highlight
  float packFlashTimer = 0.0f;
  float lockFlashTimer = 0.0f;
  // The pack a confirmed purchase opens (list index; -1 none). Packs are not sold in this game, so
  // nothing asks the question; a confirmation that does arrive opens this pack.
  int purchaseIndex = -1;

  // Levels screen: the 20 level buttons (above) on two pages, level 1's x telling the page:
  // kLevelsInX page 1, -0.55 x the screen width page 2, kLevelsOutX off the screen.
  static constexpr float kLevelsOutX = 1590.0f;
  static constexpr float kLevelsInX = 390.0f;
  // Places the level highlight on level 1..20.
  void MoveLevelGlow(int level);
  // Level 1's button to x, the other buttons and the level highlight by the same amount.
  void SlideLevels(float x);
  // Creates (or reuses) the board for level n of the current pack, loads and starts it and
  // requests the level intro, sliding the buttons and the left panel out.
  void EnterLevel(int level);
  QOR::QC_SPRITE* levelBacks[kLevelButtons] = {};
  // Levels opened by a completion (0-based indices, appended by the level road); the first flashes.
  std::vector<int> newLevels;
  float levelFlashTimer = 0.0f;
  VALUE_TWEEN pageTween;

  // Judges the trophy rules for an event code (47: experience raised).
  void CheckTrophies(int code);
  // The level intro panel of the current level.
  void BuildLevelInfo();
  // The tutorial of level 1 of pack 1.
  void BuildTutorial();
  // The level road's per-level counters and flags back to their start, and the board member it
  // follows taken from the new board.
  void ResetLevelRoad();

  // Frees everything of this section and the pack buttons (the manager's destructor).
  void FreeMenuScreens();
  // End of the left panel, packs and levels section

  // Comics, options, players and help (manager_comics.cpp, manager_options.cpp, manager_players.cpp, manager_help.cpp)
  // Start comic and final screen. The black mask is their dark back, faded by the screen fade.
  QOR::QC_IMAGE_BUTTON* nextButton = nullptr;  // the comic's and the final screen's button, made once
  // Pictures 1, 2 and 3 of the comic's first page; picture 1 also shows page 2, and on the final
  // screen the closing picture.
  QOR::QC_SPRITE* comicPictures[3] = {};
  QOR::QC_SPRITE* comicCaption = nullptr;            // the lettered caption, null when it has no text
  QOR::QC_RENDER_TARGET* comicTarget = nullptr;      // the caption's 1024 x 768 target, made once
  QOR::QC_TEXTURE_INFO* comicTargetImage = nullptr;  // the target's texture as the caption's image
  int comicPage = 1;                                 // 1 pictures, 2 full page, 3 leaving
  // Gives the comic's pictures back and deletes them (all null afterwards).
  void DeleteComicPictures();

  // Options overlay.
  static constexpr float kVolumeSilent = 0.08f;  // stored volumes at or below are 0
  static constexpr float kVolumeFull = 0.9f;     // stored volumes at or above are 1
  // The stored volume (0..1) for a slider value: value / 100, 0 at or below kVolumeSilent, 1 at
  // or above kVolumeFull.
  static float SliderToVolume(float value);
  // The value a slider shows for a stored volume: the volume held within kVolumeSilent ..
  // kVolumeFull, times 100.
  static float VolumeToSlider(float volume);
  // Opens the overlay: the open flag, the panel sliding down to the screen's middle and its dark
  // back fading in. The left panel's options button calls it.
  void OpenOptions();
  // Adds dy to the y of the panel, its buttons, boxes and sliders.
  void MoveOptions(float dy);
  QOR::QC_SPRITE* optionsPanel = nullptr;
  QOR::QC_SPRITE* optionsDarkBack = nullptr;
  QOR::QC_IMAGE_BUTTON* optionsOkButton = nullptr;
  QOR::QC_IMAGE_BUTTON* creditsButton = nullptr;
  QOR::QC_IMAGE_CHECKBOX* fullScreenBox = nullptr;
  QOR::QC_IMAGE_CHECKBOX* customCursorBox = nullptr;
  VOLUME_SLIDER* soundSlider = nullptr;
  VOLUME_SLIDER* musicSlider = nullptr;
  QOR::QC_IMAGE_CHECKBOX* classicBox = nullptr;  // tile set "2"
  QOR::QC_IMAGE_CHECKBOX* cardsBox = nullptr;    // tile set "3"
  QOR::QC_IMAGE_CHECKBOX* numbersBox = nullptr;  // tile set "1"
  QOR::QC_SPRITE* creditsBack = nullptr;         // made on first use
  QOR::QC_IMAGE_BUTTON* creditsOkButton = nullptr;
  std::uint8_t creditsOpen = 0;
  std::uint8_t tilesetChanged = 0;  // the tile set changed during a level; the level road rebuilds
  // The left panel's options button, returned to normal when the overlay closes; null when none.
  QOR::QC_IMAGE_BUTTON* optionsMenuButton = nullptr;

  // Players screen. Rows stand at x0 + 210 (delete buttons) and x0 - 210 (names), x0 = width / 2.
  // The title's Players button: lifts the screen by the slide distance, places OK under the
  // panel, slides it down to the middle and fades dark back 1 in.
  void OpenPlayers();
  // Adds dy to the y of the panel, the selection bar, the rows, the add and the OK button.
  void MovePlayersScreen(float dy);
  // The row whose delete button has the selection bar's y; null when none.
  PLAYER_LIST_ITEM* PickedRow();
  // The rows from the first row's place down, the add button while the list has room, the bar on
  // the last row when it stood below it.
  void LayOutPlayerRows();
  // One tick of the open player box for the question the screen asked: the delete question
  // removes the picked profile on OK; the name question adds a profile of the typed name.
  void AnswerDeleteQuestion();
  void AnswerNameQuestion();
  // The question the player box holds on this screen; its answer acts once, by this and not by
  // what the box shows.
  enum PLAYERS_QUESTION : int { PLAYERS_NONE, PLAYERS_DELETE, PLAYERS_NAME };
  PLAYERS_QUESTION playersQuestion = PLAYERS_NONE;
  QOR::QC_SPRITE* playersPanel = nullptr;
  QOR::QC_SPRITE* selectionBar = nullptr;
  std::vector<PLAYER_LIST_ITEM> playerRows;
  QOR::QC_IMAGE_BUTTON* addButton = nullptr;  // null once the list is full
  QOR::QC_IMAGE_BUTTON* playersOkButton = nullptr;  // made once, kept across rebuilds

  // Help overlay.
  // Opens the overlay: the open flag, the panel sliding down to the screen's middle and dark back
  // 1 fading in. The left panel's help button and the level's pause panel call it.
  void OpenHelp();
  // The page's header and lines from strings.xml (pages 1..4).
  void SetHelpPage(int page);
  // Does nothing: the level road reports its events here.
  void LogGameEvent(const std::wstring& /*text*/) {}
  QOR::QC_SPRITE* helpPanel = nullptr;
  QOR::QC_IMAGE_BUTTON* helpRightArrow = nullptr;
  QOR::QC_IMAGE_BUTTON* helpLeftArrow = nullptr;
  QOR::QC_IMAGE_BUTTON* helpOkButton = nullptr;
  int helpPage = 1;
  std::wstring helpHeader;
  std::vector<std::wstring> helpLines;
  std::vector<QOR::QC_SPRITE*> helpSprites;  // the 13 sample sprites, made once
  std::vector<MAHJONG_CHIP*> helpTiles;      // the 12 sample tiles of page 1

  // Frees everything of this section (the manager's destructor).
  void FreeOverlays();
  // End of the comics, options, players and help section

  // Level road and tutorial (manager_level_road.cpp, manager_level_panels.cpp,
  // manager_level_end.cpp, manager_tutorial.cpp)
  // (UpdateGame, UpdateLevelStart, UpdateLevelEnd, RenderLevelStart, RenderLevelEnd,
  // RenderTipMarkers, the board hooks, BuildLevelInfo, ResetLevelRoad, BuildTutorial,
  // UpdateTutorial, RenderTutorial and TutorialStep are declared above; the tip fader, the tip
  // marker, the tutorial panel and its animator, the task icons and newLevels are fields above.)
  //
  // What the road has open in the general message box; its answer acts once, by this and not by
  // the box's text.
  enum ROAD_QUESTION : int { ROAD_NONE, ROAD_QUIT, ROAD_RESTART, ROAD_LEVEL_FAIL, ROAD_NO_MOVES_BONUS };
  // Shows the completion panel and makes LEVEL_END_SCREEN current.
  void LevelComplete();
  // Slides the tutorial's panel out below the screen (when it is up and still).
  void HideTutorialPanel();
  // Switches the tutorial off with nothing of it left moving: the panel put below the screen at
  // once, the frame's blink and the arrows gone. A level that ends or is left calls it.
  void EndTutorial();
  // The tip marker's blinking.
  void UpdateTipFlicker();
  // With QOR_LOG_CHIP_PLACES=1 in the environment: logs the free tiles whenever they change while
  // the board stands still ("chip places: count=<n>", then per tile "chip place: face=<face>
  // x=<x> y=<y>", x and y a point in game pixels that picks that tile); nothing otherwise.
  void LogChipPlaces();
  // With QOR_LOG_SCREEN_STATES=1 in the environment: logs "screen state: screen=<n> help=<0|1>
  // options=<0|1> box=<0|1> moving=<0|1>" whenever that state changes (box: a message box is
  // open; moving: a box, the tutorial's panel, the screen fade or the board's tiles move, a menu
  // panel slides, the completion's stars wobble, the left panel counts up or the comic's pictures
  // fade in), so a test that drives the real window can wait for a screen at rest; nothing
  // otherwise. Called after each frame is drawn: a state at rest is logged once a frame showing it
  // was presented.
  void LogScreenState();
  // The board panel's entry and exit motion (level panel tween, drop-in, slide-out, screen slide
  // tween): true while any of it runs, after moving the panel one step.
  bool StepBoardPanelMotion(bool withDropIn);
  // Slides the board panel and the board out (the way out of the intro or the completion panel).
  void StartBoardPanelExit();
  // Whether task 1 or 2 of the level was met by the board's final counters (false when absent).
  bool isTaskMet(int task) const;
  LEVEL_ROAD_PARTS levelRoad;
  TUTORIAL_PARTS tutorial;
  ROAD_QUESTION roadQuestion = ROAD_NONE;
  int lastBoardEvent = 0;  // the play step's event of the last game-screen tick
  int starsShown = 0;      // stars the completion panel lights so far
  std::string loggedChipPlaces;
  std::string loggedScreenState;
  std::string seenScreenState;      // the state of the last frame drawn
  int seenScreenStateFrames = 0;    // frames drawn in it so far
  // End of the level road and tutorial section

  // Trophies and ranks (manager_trophies.cpp, manager_ranks.cpp, trophy_item.cpp)
  // (CheckTrophies, UpdateRank, BuildTrophies, UpdateTrophies, RenderTrophies, RecordAwardedTrophy,
  // RenderAwardedTrophy and FreeLaterScreens are declared above; trophyShelf, trophySlots,
  // trophyBox and awardedTrophy are fields of the data model.)
  //
  // Awards are shown in the trophy-award box one at a time; the frame's update records the trophy
  // when the box answers OK. The trophies screen shares the page number and the page arrow with
  // the levels screen (never shown together).
  static constexpr float kShelfOutBeyond = 1200.0f;  // the shelf's x off the screen: width + this
  // Shows trophy id (1..26) in the award box; the previous award item is replaced.
  void AwardTrophy(int id);
  bool HasTrophy(int id) const;
  // The shelf to x, the twelve places by the same amount.
  void SlideShelf(float x);
  QOR::QC_FONT* trophyFont = nullptr;                // the trophies screen's header font
  QOR::QC_TEXTURE_INFO* trophyFontPage = nullptr;    // its page image (subscribed)
  VALUE_TWEEN trophyPageTween;                       // the shelf's x while a page turns
  // The shown award has been recorded: a later confirmation of the same box records nothing.
  bool awardRecorded = true;
  // End of the trophies and ranks section

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

  QOR::QC_TEXTURE_INFO* _roomImage = nullptr;
};
