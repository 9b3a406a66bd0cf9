// The panel's parts: building, deleting and placing them, and the score and multiplier they show.
#include "game/board/mahjong_hud_panel.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_image_button.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr float kTopRowStartY = -300.0f;
constexpr float kTopRowDrop = 29.0f;  // the value backs' y below the left back's
constexpr float kRingX = 987.0f;
constexpr float kMenuX = 37.0f;
constexpr int kRingColumns = 5;
constexpr int kRingRows = 7;
constexpr int kRingFrames = 33;

QOR::QS_POINT screenSize() {
  return QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT{1024, 768};
}

QOR::QC_SPRITE* makeSprite(const char* image) { return new QOR::QC_SPRITE(QOR::QC_GAME::fSubscribeImage(image)); }

QOR::QC_SPRITE* makeSpriteAt(const char* image, float x, float y) {
  QOR::QC_SPRITE* sprite = makeSprite(image);
  sprite->fSetPosition(x, y, 0.0f);
  return sprite;
}

QOR::QC_IMAGE_BUTTON* makeButton(const char* image, int hitType) {
  return new QOR::QC_IMAGE_BUTTON(QOR::QC_GAME::fSubscribeImage(image), nullptr, hitType, 0.0f, 0.0f);
}

QOR::QC_IMAGE_BUTTON* makeButtonAt(const char* image, int hitType, float x, float y) {
  QOR::QC_IMAGE_BUTTON* button = makeButton(image, hitType);
  button->fSetPosition(x, y);
  return button;
}

QOR::QC_GUI_ANIMATION_BAR* makeRing(const char* image, int size) {
  auto* ring = new QOR::QC_GUI_ANIMATION_BAR(1, QOR::QC_GAME::fSubscribeImage(image), kRingColumns, kRingRows, kRingFrames);
  ring->fSetSize(size, size);
  return ring;
}

// A strip of 20 digit cells showing cell 0, drawn a little wider than a cell (width / 19).
QOR::QC_SPRITE* makeDigits(const char* image) {
  QOR::QC_SPRITE* digits = makeSprite(image);
  digits->fSetFrame(MAHJONG_HUD_PANEL::kDigitCells, 1, 0);
  digits->fSetSize(digits->fGetPageWidth() / 19, digits->fGetPageHeight());
  digits->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  return digits;
}

void moveDown(QOR::QC_SPRITE* sprite, float dy) {
  if (sprite == nullptr) return;
  const QOR::QS_VEC2 at = sprite->fGetPosition();
  sprite->fSetPosition(at.x, at.y + dy, 0.0f);
}

}  // namespace

MAHJONG_HUD_PANEL::MAHJONG_HUD_PANEL(MAHJONG_PLAYER* profile) {
  const QOR::QS_POINT screen = screenSize();

  bonusRing = makeRing("Bonus_progres.png", 70);
  bonusReadySprite = makeSprite("full_bonus_pbar.png");

  SetMultiplier(1);
  SetScore(0);
  QOR::fLog() << " score = " << score;
  QOR::fLog() << " multiplier = " << multiplier;

  paused = false;
  slotBack = makeSprite("Slots_back.png");
  sideOffset = kInitialSideOffset;

  leftBack = makeSpriteAt("Left_back.png", 0.0f, kTopRowStartY);
  leftBack->fSetAnchor(QOR::QC_SPRITE::kAnchorTopLeft, 0.0f, 0.0f);
  rightBack = makeSpriteAt("Right_back.png", static_cast<float>(screen.x), leftBack->fGetPosition().y);
  rightBack->fSetAnchor(QOR::QC_SPRITE::kAnchorTopRight, 0.0f, 0.0f);

  const float row = static_cast<float>(QOR::fTruncateToInt(leftBack->fGetPosition().y + kTopRowDrop));
  specialsBack = makeSpriteAt("Special_back.png", 140.0f, row);
  movesBack = makeSpriteAt("Step_back.png", 288.0f, row);
  timeBack = makeSpriteAt("Time_back.png", 734.0f, row);
  pointsBack = makeSpriteAt("Money.png", 880.0f, row);

  multRing = makeRing("mult_back.png", 66);
  multRing->fSetPosition(kRingX, row + 16.0f, 0.0f);

  multDigits = makeDigits("Multiplier_numbers.png");
  multDigitsSelected = makeDigits("Multiplier_numbers_select.png");

  flashSprite = makeSpriteAt("Multiplier_green.png", kRingX, row + 41.0f);
  multFlash.running = false;

  bonusSlotMark = makeSprite("Bonus_Slot1.png");
  skillSlotMark = makeSprite("Skill_Slot1.png");
  CreateSlots(profile);

  menuButton = makeButtonAt("GUI_menu_button.png", QOR::QC_HIT_AREA::kCircle, kMenuX, row + 4.0f);
  mainMenuButton = makeButtonAt("MainMenu.png", QOR::QC_HIT_AREA::kRectangle, kMenuX, 88.0f);
  optionsButton = makeButtonAt("Options.png", QOR::QC_HIT_AREA::kRectangle, kMenuX, 132.0f);
  replayButton = makeButtonAt("Replay.png", QOR::QC_HIT_AREA::kRectangle, kMenuX, 176.0f);
  tutorialsButton = makeButtonAt("Tutorials.png", QOR::QC_HIT_AREA::kRectangle, kMenuX, 220.0f);

  pauseBack = makeSpriteAt("Menu_back.png", kMenuX, 33.0f);
  pauseBack->fSetAnchor(QOR::QC_SPRITE::kAnchorTopCentre, 0.0f, 0.0f);
}

MAHJONG_HUD_PANEL::~MAHJONG_HUD_PANEL() {
  delete flashSprite;
  delete bonusRing;
  delete bonusReadySprite;
  delete slotBack;
  delete leftBack;
  delete rightBack;
  delete specialsBack;
  delete movesBack;
  delete timeBack;
  delete pointsBack;
  delete multDigits;
  delete multDigitsSelected;
  delete multRing;
  delete bonusSlotMark;
  delete skillSlotMark;
  delete pauseBack;
  delete menuButton;
  delete replayButton;
  delete optionsButton;
  delete mainMenuButton;
  delete tutorialsButton;
}

void MAHJONG_HUD_PANEL::CreateSlots(MAHJONG_PLAYER* /*profile*/) {
  if (skillSlot.button == nullptr) skillSlot.button = makeButton("Skill_01_small.png", QOR::QC_HIT_AREA::kCircle);
  if (skillSlot.icon == nullptr) skillSlot.icon = makeSprite("Skill3_s.png");
  skillSlot.id = 3;
  if (bonusSlot.button == nullptr) bonusSlot.button = makeButton("Bonus_01_small.png", QOR::QC_HIT_AREA::kCircle);
  if (bonusSlot.icon == nullptr) bonusSlot.icon = makeSprite("Bonus1_2s.png");
  bonusSlot.id = 2;
}

void MAHJONG_HUD_PANEL::PlaceSlots() {
  QOR::fLog(std::string(41, '-') + std::string(96, '*'));
  const QOR::QS_POINT screen = screenSize();
  const float y = static_cast<float>(screen.y) - kSlotRise;
  skillSlot.SetPosition(kSlotInset, y);
  bonusSlot.SetPosition(static_cast<float>(screen.x) - kSlotInset, y);
}

float MAHJONG_HUD_PANEL::GetTopRowY() const { return leftBack != nullptr ? leftBack->fGetPosition().y : 0.0f; }

void MAHJONG_HUD_PANEL::MoveTopRow(float dy) {
  for (QOR::QC_SPRITE* sprite : {leftBack, rightBack, specialsBack, movesBack, timeBack, pointsBack, flashSprite}) {
    moveDown(sprite, dy);
  }
  if (multRing != nullptr) {
    const QOR::QS_VEC2 at = multRing->fGetPosition();
    multRing->fSetPosition(at.x, at.y + dy, 0.0f);
  }
  if (menuButton != nullptr) {
    const QOR::QS_VEC2 at = menuButton->fGetPosition();
    menuButton->fSetPosition(at.x, at.y + dy);
  }
}

void MAHJONG_HUD_PANEL::SettleOnScreen() {
  MoveTopRow(-GetTopRowY());
  sideOffset = 0.0f;
  PlaceSlots();
}

void MAHJONG_HUD_PANEL::SetScore(int n) {
  score = n;
  std::snprintf(pointsText, sizeof(pointsText), "%d", n);
}

void MAHJONG_HUD_PANEL::SetMultiplier(int n) {
  multiplier = n < 1 ? 1 : n;
  if (multiplier > kDigitCells) return;
  for (QOR::QC_SPRITE* digits : {multDigits, multDigitsSelected}) {
    if (digits != nullptr) digits->fSetFrame(kDigitCells, 1, multiplier - 1);
  }
}

float MAHJONG_HUD_PANEL::MultiplierRingPercent(int progress, int multiplier, int step) {
  if (step <= 0) return 0.0f;
  const double start = (1.0 - static_cast<double>(multiplier)) * step;
  return static_cast<float>((static_cast<double>(progress) + start) / step * 100.0);
}

void MAHJONG_HUD_PANEL::ShowMultiplierProgress(int progress, int step) {
  if (multRing != nullptr) multRing->fSetPercent(MultiplierRingPercent(progress, multiplier, step));
}

int MAHJONG_HUD_PANEL::DecayMultiplier(int progress, int step) {
  const std::int64_t levelStart = (static_cast<std::int64_t>(multiplier) - 1) * step;
  if (progress > levelStart) return progress - 1;
  if (multiplier > 1) SetMultiplier(multiplier - 1);
  return progress;
}

float MAHJONG_HUD_PANEL::BonusRingPercent(const MAHJONG_PLAYER* profile) {
  // The ring shows the shuffle bonus, the one the slot recharges pair by pair.
  const PLAYER_BONUS* bonus = profile != nullptr ? profile->FindBonus(BONUS_TOSSCHIPS) : nullptr;
  if (bonus == nullptr || bonus->recover <= 0) return 0.0f;
  return static_cast<float>(bonus->charge) / static_cast<float>(bonus->recover) * 100.0f;
}

void MAHJONG_HUD_PANEL::ResetBonusButton() {
  if (bonusSlot.button != nullptr) bonusSlot.button->fReset();
}

void MAHJONG_HUD_PANEL::SetPaused(bool on) {
  paused = on;
  if (menuButton == nullptr) return;
  if (on) {
    menuButton->fSelect();
  } else {
    menuButton->fEnable();
  }
}

void MAHJONG_HUD_PANEL::StartFlash() { multFlash.Start(); }

void MAHJONG_HUD_PANEL::ClearPointers() {
  flashSprite = nullptr;
  bonusRing = nullptr;
  bonusReadySprite = nullptr;
  slotBack = nullptr;
  leftBack = nullptr;
  rightBack = nullptr;
  specialsBack = nullptr;
  movesBack = nullptr;
  timeBack = nullptr;
  pointsBack = nullptr;
  multDigits = nullptr;
  multDigitsSelected = nullptr;
  multRing = nullptr;
  bonusSlotMark = nullptr;
  skillSlotMark = nullptr;
  pauseBack = nullptr;
  menuButton = nullptr;
  replayButton = nullptr;
  optionsButton = nullptr;
  mainMenuButton = nullptr;
  tutorialsButton = nullptr;
}
