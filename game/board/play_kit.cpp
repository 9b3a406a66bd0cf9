#include "game/board/play_kit.h"

#include "engine/platform/qc_input.h"
#include "game/board/mahjong_sounds.h"
#include "gui/widgets/qc_image_button.h"

namespace PLAY_KIT {

bool isClicked(QOR::QC_IMAGE_BUTTON* button) {
  return button != nullptr && button->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked;
}

bool isKeyReleased(int key) { return QOR::qcCurrentInput != nullptr && QOR::qcCurrentInput->isReleased(key); }

void PlaySound(const char* effect) {
  if (gameSounds != nullptr) gameSounds->Play(effect);
}

}  // namespace PLAY_KIT
