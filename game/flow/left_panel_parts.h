// What the left panel owns: the column beside the packs, levels and trophies screens (its back,
// the rank, experience and money plates, the career, trophies, options, help and back buttons and
// their glows), the clocks and the money step of its count-up, and the rank title's flash. Every
// member stands relative to the start x (the panel slide distance) and the column moves as one
// in x. The manager holds one; it frees what it holds when the manager goes.
#pragma once

#include "game/board/timed_values.h"

#include <cstdint>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

struct LEFT_PANEL_PARTS {
  LEFT_PANEL_PARTS() = default;
  ~LEFT_PANEL_PARTS() { Free(); }
  LEFT_PANEL_PARTS(const LEFT_PANEL_PARTS&) = delete;
  LEFT_PANEL_PARTS& operator=(const LEFT_PANEL_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null afterwards.
  void Free();
  // The panel's x (its back's x, or its start x before it exists).
  float X() const;
  // The back to x, every other member of the column by the same amount.
  void Slide(float x);
  // The career, trophies, options and help buttons back to normal.
  void ResetMenuButtons();
  // Selects the button (nothing for null); the selection glow follows it.
  void SelectMenuButton(QOR::QC_IMAGE_BUTTON* button);

  QOR::QC_SPRITE* back = nullptr;  // its x is the panel's x
  QOR::QC_SPRITE* buttonBack = nullptr;
  QOR::QC_SPRITE* upperLayer = nullptr;
  QOR::QC_SPRITE* experienceBack = nullptr;
  QOR::QC_SPRITE* experienceBar = nullptr;  // its width is set by UpdateRank
  QOR::QC_SPRITE* moneyBack = nullptr;
  QOR::QC_SPRITE* hoverGlow = nullptr;
  QOR::QC_SPRITE* selectionGlow = nullptr;         // drawn centred on selectedButton
  QOR::QC_IMAGE_BUTTON* selectedButton = nullptr;  // the last one SelectMenuButton was given
  QOR::QC_IMAGE_BUTTON* careerButton = nullptr;
  QOR::QC_IMAGE_BUTTON* trophiesButton = nullptr;
  QOR::QC_IMAGE_BUTTON* optionsButton = nullptr;
  QOR::QC_IMAGE_BUTTON* helpButton = nullptr;
  QOR::QC_IMAGE_BUTTON* backButton = nullptr;

  // The count-up's clocks: the delay before it starts and the time since its last step.
  float countUpDelayClock = 0.0f;
  float countUpStepClock = 0.0f;
  // The money step of the count-up: `increment` at the first step of the process, then lowered by
  // the step rule; it carries over to later count-ups.
  float countUpStepValue = 0.0f;
  bool countUpStepSet = false;
  // The rank title's flash, started by UpdateRank.
  std::uint8_t rankFlash = 0;
  float rankFlashTimer = 0.0f;
  // The hover glow's flicker (nothing sets the flag in this game; UpdateRank clears it).
  std::uint8_t glowFlicker = 0;
  ALPHA_FADER glowFader;
};
