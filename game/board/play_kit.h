// Small helpers the board, the editor and the screens share: a button's click, a key or mouse
// button released this tick, and an effect of the game's sound list.
#pragma once

namespace QOR {
class QC_IMAGE_BUTTON;
}

namespace PLAY_KIT {

// True when the button exists and its update reports a click.
bool isClicked(QOR::QC_IMAGE_BUTTON* button);
// The key or mouse button (QOR::kKey..., QOR::kMouse...) was released this tick: the game acts on
// releases. False without an input state.
bool isKeyReleased(int key);
// Plays an effect of the game's list (nothing without one).
void PlaySound(const char* effect);

}  // namespace PLAY_KIT
