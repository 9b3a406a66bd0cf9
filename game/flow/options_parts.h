// What the options overlay owns: its panel and dark back, OK, the credits button, the full-screen
// and custom-cursor boxes, the sound and music sliders, the three tile-set boxes, and the credits
// page with its own OK. The manager holds one; it frees what it holds when the manager goes.
#pragma once

#include <cstdint>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_IMAGE_CHECKBOX;
class QC_SPRITE;
}  // namespace QOR

class VOLUME_SLIDER;

struct OPTIONS_PARTS {
  static constexpr float kVolumeSilent = 0.08f;  // stored volumes at or below are 0
  static constexpr float kVolumeFull = 0.9f;     // stored volumes at or above are 1
  // The stored volume (0..1) for a slider value: value / 100, 0 at or below kVolumeSilent, 1 at
  // or above kVolumeFull.
  static float SliderToVolume(float value);
  // The value a slider shows for a stored volume: the volume held within kVolumeSilent ..
  // kVolumeFull, times 100.
  static float VolumeToSlider(float volume);

  OPTIONS_PARTS() = default;
  ~OPTIONS_PARTS() { Free(); }
  OPTIONS_PARTS(const OPTIONS_PARTS&) = delete;
  OPTIONS_PARTS& operator=(const OPTIONS_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null afterwards.
  void Free();
  // Adds dy to the y of the panel, its buttons, boxes and sliders.
  void Move(float dy);

  QOR::QC_SPRITE* panel = nullptr;
  QOR::QC_SPRITE* darkBack = nullptr;
  QOR::QC_IMAGE_BUTTON* okButton = nullptr;
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
  QOR::QC_IMAGE_BUTTON* menuButton = nullptr;
};
