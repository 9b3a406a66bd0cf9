// One pack of the career on the packs screen: its face button (inactive while the pack is locked),
// the pack picture under it, the texts of its name and of the rank it needs, the experience that
// rank starts at, its price, its stars and the two unlock flashes. The game manager owns the list.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

class PACK_BUTTON {
 public:
  PACK_BUTTON() = default;
  // Deletes the button and the picture and gives their pictures back.
  ~PACK_BUTTON();
  PACK_BUTTON(const PACK_BUTTON&) = delete;
  PACK_BUTTON& operator=(const PACK_BUTTON&) = delete;

  // Locked: the face button is inactive (state 4).
  bool isLocked() const;

  QOR::QC_IMAGE_BUTTON* button = nullptr;  // owned
  QOR::QC_SPRITE* back = nullptr;          // owned
  std::wstring name;
  std::wstring rankTitle;
  int xp = 0;
  int price = 0;
  int stars = 0;  // 0..3: whole-number mean of the pack's played levels
  std::uint8_t lockFlash = 0;
  std::uint8_t buttonFlash = 0;
  // The lock-breaking sound has played for the running lock flash (it plays once, as it starts).
  std::uint8_t lockSoundPlayed = 0;
};
