// The board of one level as the player sees it: the board model (MAHJONG_BOARD: chips, free rule,
// deal, level file) with the tile sprites, the in-game panel, the effects' timings and the board's
// counters. The levels screen creates it and the game manager deletes it; the game screen runs its
// per-frame step and draws it.
//
// It owns every sprite it makes, the font, the panel and (through the model) every chip.
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/board_view.h"
#include "game/board/mahjong_board.h"
#include "game/board/remove_chip_bezier.h"
#include "game/board/timed_values.h"

#include <cstdint>
#include <string>

namespace QOR {
class QC_FONT;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class EDITOR_MENU;
class MAHJONG_HUD_PANEL;
class MAHJONG_PLAYER;
struct PLAYER_BONUS;

class MAHJONG_LAYOUT : public MAHJONG_BOARD {
 public:
  // Event codes of the per-frame step.
  static constexpr int kEventPairRemoved = 100501;
  static constexpr int kEventShuffle = 100502;
  static constexpr int kEventLevelComplete = 100503;
  static constexpr int kEventOptions = 100504;
  static constexpr int kEventReplay = 100505;
  static constexpr int kEventTutorials = 100506;
  static constexpr int kEventNoMoves = 100507;
  static constexpr int kEventNoMovesBonus = 100508;
  static constexpr int kEventSkill = 100512;
  static constexpr int kEventMainMenu = -108;
  // The hover highlight's alpha until fx_params.xml is read.
  static constexpr std::int32_t kDefaultHoverAlpha = 75;

  // Reads tiles.xml for the tile set, cuts the tile sprites, makes the panel for the player (not
  // owned), the font, the selection frame, the blocked overlay and the darkening sprite (on the
  // texture of darkSource, which stays its owner's), and places the board on the screen. unused is
  // accepted and ignored.
  MAHJONG_LAYOUT(const std::string& tileSet, MAHJONG_PLAYER* player, bool editorMode, int unused,
                 QOR::QC_SPRITE* darkSource);
  ~MAHJONG_LAYOUT() override;

  // --- construction, drawing (mahjong_layout.cpp, layout_render.cpp) ---
  // The per-level counters and the tasks back to their start (the first step of construction and
  // of loading a level).
  void ResetFields();
  // Draws the board layer by layer (shadows, then chips), the flying chips and their points
  // popups, the darkening, the pause buttons when asked and the special view's hint.
  void Render(bool showPanelButtons, QOR::QC_FONT* popupFont, QOR::QC_SPRITE* popupSprite);
  // Draws the panel with the board's counters.
  void RenderHud(QOR::QC_FONT* font);
  // The chip's face colour: white outside the editor; in the editor bonus and special chips tinted.
  void TintChip(MAHJONG_CHIP* chip);
  // The back sprite of the chip's kind: bonus, else special, else normal.
  QOR::QC_SPRITE* BackFor(const MAHJONG_CHIP* chip) const;

  // --- tile set and effect keys (layout_tiles.cpp) ---
  // Reads the metrics from tiles.xml and (re)cuts the tile sprites from the set's atlas: a second
  // call keeps every sprite and swaps its texture. Returns the atlas texture (null when the set is
  // unknown).
  QOR::QC_TEXTURE_INFO* LoadTilesXml(const std::string& tileSet);
  // The board's keys of fx_params.xml (and the panel's flash timings).
  void LoadFxParams();

  // --- level file (layout_level_file.cpp) ---
  // Where this board's tiles are seen while a level is played: the play screen less what the
  // board's panel covers there.
  BOARD_VIEW PlayView() const;
  // The grid position (half tiles from the board's origin) of a place on this board.
  QOR::QS_VEC2 GridOf(const QOR::QS_VEC2& place) const;
  // The effect keys, the panel's slots, then the level file (a designer's copy in the documents
  // folder before the shipped one, level_lookup.h); the board's previous level (chips, counters,
  // tasks, suits) is replaced. False, with an empty board, when no level of that name can be
  // played (level_lookup.h says why); no level start may follow then.
  bool LoadLevel(const std::string& name);
  // Writes the board as a level file at that path (replaced whole); the settings are the board's
  // own (SaveLevelWith takes the editor's). Logs "SAVED TO " and the path; false when the file
  // could not be written (cause, when given, says why).
  bool SaveLevel(const std::string& path);
  bool SaveLevelWith(const std::string& path, const LEVEL_FILE_SETTINGS& settings, std::string* cause = nullptr);
  // The bytes SaveLevelWith writes.
  std::string LevelText(const LEVEL_FILE_SETTINGS& settings) const;
  // The editor's placement of one tile at a cell centre on the screen (board origin + a whole
  // number of half tiles). Type 42 places a tile whose face the deal gives; any other type fixes
  // the face. Refuses, with a log line and no change, positions not strictly inside the board
  // (grid 1..31 by 1..15 on the shipped tile set: "OUT OF BORDERS"), off the half-tile grid
  // ("BAD POS"), types outside -3..42 ("BAD TYPE"), and layers outside 0..kMaxLayer or tiles the
  // play view would not count as seen ("OUT OF VIEW", BOARD_VIEW::isSeen).
  void PlaceChip(const QOR::QS_VEC2& position, std::int32_t layer, bool isbonus, bool isspecial, std::int32_t type);
  // Lifts every chip one screen height above its cell and starts the drop-in tween from the first
  // chip.
  void StartDropIn();
  // Every tile not in its removal flight shown one screen height above its cell.
  void LiftAboveCells();
  // Whether the panel's bonus slot is ready; stored in m_bonusUsable.
  bool CheckBonusReady();

  // --- removal flights (layout_flights.cpp) ---
  struct FLIGHT_STEP {
    int landed = 0;              // chips whose flight ended (taken off the board)
    bool levelComplete = false;  // the walk stopped: the level is complete
  };
  // Advances every chip and every removal flight by dt; a chip whose flight ends leaves the board
  // (deleted). Stops as soon as a landing completes the level; the play step then ends it
  // (EndLevelIfComplete).
  FLIGHT_STEP UpdateFlights(float dt);

  // --- the play step (layout_play_step.cpp, layout_bonuses.cpp) ---
  // One tick of play: pause panel, slots, menu, clock, flights, the no-moves check, hover and
  // clicks. Returns 0 or one of the event codes above. Once the level end has run, only the
  // flights go on and the result is 0.
  int Update();
  // Whether a point takes the board's clicks and hover: on the board's screen and on no part of
  // its panel (BOARD_VIEW::isOpenAt), so on every face the level check counts as seen.
  bool TakesClicksAt(float x, float y) const;
  // Elapsed time and its text, the tip timer and the multiplier's idle decay.
  void UpdateTimer();
  // Uses the profile's bonus of that id when it is full (the shuffle for id 2); true when a
  // shuffle started.
  bool UseBonus(int id);
  void SetPause(bool on);
  // Starts the flights of every free matching pair at once and scores them.
  void RemoveAllFreePairs();
  // The profile's bonus record of that id, null when it has none.
  PLAYER_BONUS* FindBonus(int id) const;

  // --- level start, drop-in, shuffle, darkening and the special view (layout_motion.cpp) ---
  void StartLevel(int pack, int level);
  // LoadLevel, then StartLevel with the board's pack and level; false, nothing started, when the
  // level cannot be played.
  bool StartLevelFromFile(const std::string& name);
  void StartShuffle();
  void StartSlideOut();
  // The slide-out while it runs (false), then a requested shuffle's re-deal and drop-in; true
  // whenever no slide-out runs.
  bool ShuffleChips();
  void UpdateDropIn();
  void DarkenTiles(bool on);
  void ShowSpecial();
  void UpdateEffects();
  // A duration of motion as the tweens take it: one that is not a positive finite number becomes
  // the shortest motion, which lands on its first step.
  static float MotionSeconds(float seconds);
  static constexpr float kShortestMotion = 0.001f;

  // --- balance and level end (layout_level_end.cpp) ---
  void LoadBalance();
  // Where a level's end is decided: when no special tile is left (or no tile at all) the level
  // end runs (once) and the answer is true. Every way a tile leaves the board asks here.
  bool EndLevelIfComplete();
  // Pays the level into the profile, counts the stars, keeps the best and saves; runs once per
  // level start.
  void FinishLevel();
  bool isLevelFinished() const { return m_levelFinished; }
  // Stars of the last level end (0 before it).
  std::int32_t GetStars() const { return m_stars; }
  // Points arithmetic: exact in 64 bits, saturating at the int range.
  static std::int32_t SaturatePoints(std::int64_t points);

  // --- defined with the cheat keys ---
  int CheatKeys();
  // --- the level editor (layout_editor_step.cpp, editor_view.cpp, editor_level_files.cpp) ---
  // One editor tick: the cursor tile on the half-tile grid (relative to the board's origin), paint
  // (button 1) and erase (button 2) on the cursor's layer, the menu's buttons and the keys.
  void UpdateEditor();
  // The grid, the tiles up to the current layer with the cursor tile among them, the menu and the
  // two counters.
  void RenderEditor();
  // Shifts every tile by the offset, or none when one would not stay strictly inside the grid, as
  // PlaceChip takes them ("OUT OF BORDERS"), or would leave the play view ("OUT OF VIEW").
  void MoveAllChips(const QOR::QS_VEC2& offset);
  // The layer the cursor tile takes at that cell: one above the highest tile shown (at most the
  // current layer) that lies within half a tile of it in x and in y, else 0.
  std::int32_t EditorCursorLayer(const QOR::QS_VEC2& cell) const;
  // Whether a tile placed at that cell on that layer would count as seen in the game.
  bool isEditorCellOffered(const QOR::QS_VEC2& cell, std::int32_t layer) const;
  // The save button: the board with the menu's settings, as the menu's level name (or "default")
  // in the editor's folder of levels. False when nothing was written (a name with a folder part is
  // refused).
  bool SaveEditorLevel();
  // The load button: the menu's level name from the editor's folder, else the shipped level of
  // that name; the menu then shows the level's settings (a task's value as the file writes it).
  // False (board unchanged) when neither exists or the folder's file does not parse.
  bool LoadEditorLevel();
  // The level file the board and the menu would save now.
  std::string EditorLevelText() const;
  // Whether that differs from what was last saved or loaded (or from the empty board the editor
  // started with): the level name alone is no unsaved work.
  bool hasUnsavedEdits() const;
  void MarkEditorSaved();
  // Whether the editor may quit now (Escape, the window's close): true without unsaved work, else
  // when the player answers OK to the question about it.
  bool ConfirmEditorQuit() const;

  MAHJONG_HUD_PANEL* GetPanel() const { return m_panel; }
  MAHJONG_PLAYER* GetPlayer() const { return m_player; }
  QOR::QC_FONT* GetFont() const { return m_font; }
  QOR::QC_SPRITE* GetFaceAtlas() const { return m_faceSprite; }
  QOR::QC_TEXTURE_INFO* GetAtlasImage() const { return m_atlasImage; }

  // The editor's menu (owned once made): released by the function the editor leaves here.
  EDITOR_MENU* m_editorMenu = nullptr;
  void (*m_editorMenuRelease)(EDITOR_MENU* menu) = nullptr;
  QOR::QC_FONT* m_font = nullptr;      // owned
  MAHJONG_PLAYER* m_player = nullptr;  // not owned
  // The board is the level editor's: the editor's step and drawing, tiles tinted by kind, and a
  // tile without a fixed face shown as the free or the blocked marker its free flag picks.
  bool m_editorMode = false;
  // Owned sprites (the face atlas is the model's pointer, owned here).
  QOR::QC_SPRITE* m_editorFreeSprite = nullptr;
  QOR::QC_SPRITE* m_editorBlockedSprite = nullptr;
  QOR::QC_SPRITE* m_shadowSprite = nullptr;
  QOR::QC_SPRITE* m_darkSprite = nullptr;
  QOR::QC_SPRITE* m_selectionFrame = nullptr;
  QOR::QC_SPRITE* m_normalBack = nullptr;
  QOR::QC_SPRITE* m_bonusBack = nullptr;
  QOR::QC_SPRITE* m_specialBack = nullptr;
  QOR::QC_SPRITE* m_blockedOverlay = nullptr;
  float m_idleTime = 0.0f;
  float m_elapsed = 0.0f;
  std::string m_timeText = "00:00";
  std::int32_t m_movesMade = 0;
  std::int32_t m_bestMultiplier = 0;
  MAHJONG_HUD_PANEL* m_panel = nullptr;  // owned
  std::int32_t m_multiplierProgress = 0;
  // Balance (the three multiplier values in tenths).
  std::int32_t m_scoreOne = 0;
  std::int32_t m_scorePair = 0;
  std::int32_t m_scoreOneSpec = 0;
  std::int32_t m_scorePairSpec = 0;
  std::int32_t m_scoreAllClickable = 0;
  std::int32_t m_scoreEndLevel = 0;
  std::int32_t m_multiBonus = 0;
  std::int32_t m_multiPair = 0;
  std::int32_t m_multiIncrAp = 0;
  std::int32_t m_multiTimeDecr = 0;
  std::int32_t m_xp1 = 0;
  std::int32_t m_xp2 = 0;
  std::int32_t m_xp3 = 0;
  // Drop-in.
  std::int32_t m_dropLayer = 0;
  std::int32_t m_dropChipIndex = 0;
  float m_showLayersDelay = 0.0f;
  float m_dropWait = 0.0f;
  float m_showLevelSpeedUp = 0.0f;
  ALPHA_FADER m_boardFader;      // pause darkening and blocked-tile darkening
  ALPHA_FADER m_selectionFader;  // the selection frame
  float m_darkenTilesDuration = 0.0f;
  float m_highlighTileDuration = 0.0f;
  float m_borderAlphaDuration = 0.0f;
  REMOVE_CHIP_BEZIER m_removeCurve;
  float m_ptsFadeTime = 0.0f;
  float m_ptsDelayTime = 0.0f;
  std::int32_t m_ptsHeight = 0;
  VALUE_TWEEN m_dropTween;
  VALUE_TWEEN m_slideTween;
  std::int32_t m_bonusUsable = 0;
  bool m_darkenToggle = false;
  std::int32_t m_factorBase = 0;
  std::int32_t m_scoreFactor = 0;
  bool m_shuffleRequested = false;
  bool m_deleteAny = false;
  bool m_layerFadeRunning = false;
  bool m_specialView = false;
  std::wstring m_hintText;
  std::int32_t m_fadeLayer = 0;
  std::uint8_t m_fadeAlpha = 0;
  float m_fadeTime = 0.0f;
  float m_hideSpeed = 0.0f;
  float m_showSpeed = 0.0f;
  float m_hideLayerDelay = 0.0f;
  float m_fadeDelayTimer = 0.0f;
  float m_showDelay = 0.0f;
  std::int32_t m_fadeTopLayer = 0;
  std::int32_t m_hoverAlpha = kDefaultHoverAlpha;
  // Taken off the fall of every layer after the first once the player clicks during a drop-in
  // (seconds, negative; 0 while no drop-in runs).
  float m_dropSpeedUp = 0.0f;
  bool m_levelFinished = false;
  std::int32_t m_stars = 0;
  // Editor state.
  QOR::QS_VEC2 m_lastActedCell = QOR::QS_VEC2(-1.0f, -1.0f);
  bool m_editorSpecial = false;
  bool m_editorBonus = false;
  std::int32_t m_pickedType = 42;
  std::int32_t m_dragLayer = -1;
  std::string m_editorSavedText;  // the level file as last saved or loaded

 private:
  // A sprite of the atlas cell, sized and anchored at its centre; an existing sprite keeps its
  // transform and takes the new texture.
  QOR::QC_SPRITE* CutAtlasSprite(QOR::QC_SPRITE* sprite, QOR::QC_TEXTURE_INFO* image, int frame, int width, int height);
  // Draws one chip of the layer loop (colours, overlay, selection frame).
  void RenderChip(MAHJONG_CHIP* chip, bool fadeActive);
  void RenderPopup(const MAHJONG_CHIP* chip, QOR::QC_FONT* font, QOR::QC_SPRITE* sprite);
  // The play step's parts (layout_play_step.cpp, layout_bonuses.cpp).
  int UpdatePaused();
  void UpdateHover();
  int ClickChip();
  int RemovePair();
  void ChargeBonusSlot();
  void SelectHover();
  void DeleteHover();
  void AddPoints(std::int64_t points);
  // Steps the tween by the frame time and moves the chips of the layer (every chip when layer < 0)
  // vertically, cell and place, by what it ran in this step.
  void FollowTween(VALUE_TWEEN& tween, std::int32_t layer);

  QOR::QC_TEXTURE_INFO* m_atlasImage = nullptr;          // subscribed
  QOR::QC_TEXTURE_INFO* m_fontPage = nullptr;            // subscribed
  QOR::QC_TEXTURE_INFO* m_selectionImage = nullptr;      // subscribed
  QOR::QC_TEXTURE_INFO* m_editorFreeImage = nullptr;     // subscribed
  QOR::QC_TEXTURE_INFO* m_editorBlockedImage = nullptr;  // subscribed
};
