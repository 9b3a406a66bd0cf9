// The panel drawn around the board while a level is played: the top row (points, moves, elapsed
// time, special tiles left, the multiplier over its progress ring), the two lower corners (the
// skill slot on the left, the bonus slot with its charge ring on the right), the round menu button
// and the pause panel with its four buttons. The board creates one, owns it, feeds it the score and
// the multiplier and reads its slots and buttons; screens reach it through the board.
//
// Every part is public: the board, the level intro, the cheat keys and the tutorial move and read
// them directly. Only the score and the multiplier go through their setters, which keep the points
// text and the digit cells in step.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/render/qc_color.h"
#include "game/board/board_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {
class QC_FONT;
class QC_GUI_ANIMATION_BAR;
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

class MAHJONG_PLAYER;

// The multiplier flash: fade in, hold, fade out, dark pause, repeated for a number of cycles (at
// least one). One phase advances per Step. Durations of zero or less never divide: a fade of no
// length jumps to its end alpha.
class HUD_MULTIPLIER_FLASH {
 public:
  HUD_MULTIPLIER_FLASH() = default;

  // From the first fade-in, cycle 0.
  void Start();
  // One phase of one tick. Returns the alpha (0..255) the flash shows now, or -1 when this tick
  // leaves it unchanged (hold, dark pause, end of a cycle, not running).
  int Step(float dt);

  bool running = false;
  float fadeTime = 0.0f;   // "fade_time"
  float fadeClock = 0.0f;
  float holdTime = 0.0f;   // "delay_time"
  float holdClock = 0.0f;
  std::int32_t cycles = 0;  // "cicles_count"
  std::int32_t cycleCounter = 0;
};

// One slot of the lower corners: an image button with an icon over it, and the slot's ready flash.
class HUD_SLOT {
 public:
  // How far the icon may lie from its place and still count as there (positions are floats that
  // the slide-in moves).
  static constexpr float kPlaceTolerance = 0.5f;

  HUD_SLOT() = default;
  ~HUD_SLOT();
  HUD_SLOT(const HUD_SLOT&) = delete;
  HUD_SLOT& operator=(const HUD_SLOT&) = delete;

  // Icon and button both absent.
  bool isEmpty() const { return icon == nullptr && button == nullptr; }
  // Moves the button to (x, y) and draws it, then draws the icon at (x, y) without moving it.
  void Render(float x, float y);
  // The button's position and the icon's stored position := (x, y).
  void SetPosition(float x, float y);
  // The button's step: -102 on a click, otherwise its state; 0 for an empty slot.
  int Click();
  // True when the icon stands at the bonus place (screen width - 60, screen height - 70), x and y
  // each within the tolerance, and the button is not disabled (state 4).
  bool isActive() const;
  // The same against a given place.
  bool isActiveAt(float placeX, float placeY) const;
  // Starts the ready flash from the beginning and sets the button back to state 0.
  void Reset();

  std::int32_t id = 0;  // 3 skill slot, 2 bonus slot
  QOR::QC_SPRITE* icon = nullptr;
  QOR::QC_IMAGE_BUTTON* button = nullptr;
  std::int32_t flashOn = 0;
  float flashTime = 0.0f;
  std::int32_t flashCycle = 0;
};

// The timing of the bonus-ready flash (the sprite over the bonus slot grows, fades, pauses).
class HUD_BONUS_FLASH {
 public:
  HUD_BONUS_FLASH() = default;

  // Advances a slot's ready flash by dt while it is on: true when a cycle ended this tick (the
  // flash time starts again at 0, and after the last cycle the flash goes off).
  bool Advance(HUD_SLOT& slot, float dt) const;
  // The sprite's uniform scale at flash time t of a cycle, while t < grow time; the growth itself
  // when the divisor (growth + 1) x grow time is 0.
  float ScaleAt(float t) const;
  // The sprite's alpha (0..255) at flash time t, for grow time <= t <= grow time + fade time; 0
  // when the fade has no length.
  int AlphaAt(float t) const;
  // The length of one cycle: grow + fade + pause.
  float CycleLength() const { return growTime + fadeTime + pause; }

  float growth = 0.0f;    // "incr_to_scale"
  float growTime = 0.0f;  // "scale_dur"
  float fadeTime = 0.0f;  // "fade_durr"
  float pause = 0.0f;     // "flash_delay"
  std::int32_t cycles = 0;  // "flash_count"
};

class MAHJONG_HUD_PANEL {
 public:
  static constexpr float kInitialSideOffset = 300.0f;
  static constexpr float kSlotInset = 60.0f;      // slot centres from the screen's sides
  static constexpr float kSlotRise = 70.0f;       // slot centres above the screen's bottom
  static constexpr float kSlotMarkStep = 90.0f;   // vertical distance of successive slot marks
  static constexpr float kSlotBackDrop = 150.0f;  // the slot backs' bottom lies this far below the screen
  static constexpr int kDigitCells = 20;          // the digit strips show multipliers 1..20

  // Builds every part from the registered image folders; the top row starts above the screen and
  // the lower corners 300 px outside it. The profile is not kept.
  explicit MAHJONG_HUD_PANEL(MAHJONG_PLAYER* profile);
  // Deletes every part it holds (images stay subscribed).
  ~MAHJONG_HUD_PANEL();
  MAHJONG_HUD_PANEL(const MAHJONG_HUD_PANEL&) = delete;
  MAHJONG_HUD_PANEL& operator=(const MAHJONG_HUD_PANEL&) = delete;

  // Makes the slot buttons and icons that are missing; existing ones stay.
  void CreateSlots(MAHJONG_PLAYER* profile);
  // Draws the panel (not the pause panel). Texts are drawn literally; the bonus ring shows the
  // profile's second bonus record (0 % without one or with nothing to recover).
  void Render(QOR::QC_FONT* font, int moves, std::string timeText, int specialsLeft, MAHJONG_PLAYER* profile);
  // The pause back, then the menu, replay, options, main-menu and tutorials buttons.
  void RenderButtons();
  // Advances the bonus-ready flash and the multiplier flash.
  void Update(float dt);
  // Update, then true (with the click sound) when the menu button was clicked or Escape released.
  bool isMenuRequested(float dt);
  // Skill slot to (60, H - 70), bonus slot to (W - 60, H - 70).
  void PlaceSlots();

  // The y of the top row's left back (-300 at construction).
  float GetTopRowY() const;
  // Moves the top row down by dy: the six backs, the multiplier ring, the flash sprite and the
  // menu button (what the level intro slides in and out).
  void MoveTopRow(float dy);
  // Puts the panel where the level intro leaves it: top row's back at y 0, lower corners at the
  // screen's sides (side offset 0), slots placed. For drawing the panel on its own.
  void SettleOnScreen();
  // What the panel covers while a level is played on a screen of that size, one area per part:
  // the top row (backs, multiplier ring, menu button) where the level intro leaves it, and the
  // lower corners (slot backs, slot buttons, their marks, the bonus ring) at the screen's sides.
  // Parts keep their sizes and places; the right back and the corners follow the screen's edges.
  // Each area is what its picture shows (no transparent margin; round parts round).
  std::vector<BOARD_AREA> PlayCover(QOR::QS_POINT screen) const;

  int GetScore() const { return score; }
  // Also rewrites the points text.
  void SetScore(int n);
  int GetMultiplier() const { return multiplier; }
  // Below 1 stores 1; the digit cells follow up to 20 and stay at 20 above.
  void SetMultiplier(int n);

  // The multiplier ring's percent for a progress in tenth-units (while the multiplier is m the
  // progress runs from (m - 1) x step to m x step): 0 when the step is not positive.
  static float MultiplierRingPercent(int progress, int multiplier, int step);
  // Shows that percent on the multiplier ring for the current multiplier.
  void ShowMultiplierProgress(int progress, int step);
  // One idle-decay step: a progress above the current multiplier's start drops one unit, else the
  // multiplier drops one (never below 1) and the progress stays. Returns the new progress.
  int DecayMultiplier(int progress, int step);
  // The bonus ring's percent: charge / recover x 100 of the profile's shuffle bonus record (found
  // by id), 0 when there is no such record or its recover is not positive.
  static float BonusRingPercent(const MAHJONG_PLAYER* profile);

  // The bonus slot's button back to state 0.
  void ResetBonusButton();
  // The menu button shows state 3 while paused, state 0 otherwise.
  void SetPaused(bool on);
  bool isPaused() const { return paused; }
  // Starts the multiplier flash.
  void StartFlash();
  // Forgets every part without deleting it (nothing calls this in the game).
  void ClearPointers();

 private:
  std::int32_t score = 0;
  std::int32_t multiplier = 1;

 public:
  QOR::QC_SPRITE* flashSprite = nullptr;  // never drawn: its vertex colour carries the flash alpha
  QOR::QC_COLOR32 flashColor = QOR::QC_COLOR32(0u);  // set by the board, not read by the panel
  HUD_MULTIPLIER_FLASH multFlash;
  HUD_BONUS_FLASH bonusFlash;
  QOR::QC_GUI_ANIMATION_BAR* bonusRing = nullptr;
  QOR::QC_SPRITE* bonusReadySprite = nullptr;
  QOR::QC_SPRITE* slotBack = nullptr;
  float sideOffset = kInitialSideOffset;
  QOR::QC_SPRITE* leftBack = nullptr;
  QOR::QC_SPRITE* rightBack = nullptr;
  QOR::QC_SPRITE* specialsBack = nullptr;
  QOR::QC_SPRITE* movesBack = nullptr;
  QOR::QC_SPRITE* timeBack = nullptr;
  QOR::QC_SPRITE* pointsBack = nullptr;
  QOR::QC_SPRITE* multDigits = nullptr;
  QOR::QC_SPRITE* multDigitsSelected = nullptr;
  QOR::QC_GUI_ANIMATION_BAR* multRing = nullptr;
  QOR::QC_SPRITE* bonusSlotMark = nullptr;
  QOR::QC_SPRITE* skillSlotMark = nullptr;
  QOR::QC_SPRITE* pauseBack = nullptr;
  bool paused = false;
  char pointsText[40] = {};
  std::string unusedText;
  HUD_SLOT skillSlot;
  HUD_SLOT bonusSlot;
  QOR::QC_IMAGE_BUTTON* menuButton = nullptr;
  QOR::QC_IMAGE_BUTTON* replayButton = nullptr;
  QOR::QC_IMAGE_BUTTON* optionsButton = nullptr;
  QOR::QC_IMAGE_BUTTON* mainMenuButton = nullptr;
  QOR::QC_IMAGE_BUTTON* tutorialsButton = nullptr;
};
