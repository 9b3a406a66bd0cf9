// What the packs screen owns: the six pack buttons (two columns of three), the lock and its flash,
// the face flash, the rank and name plates, the star (also drawn by the levels screen), the pack
// highlight and the pulse it shares with the level highlight. A pack opens by the rank rule (the
// rank's experience reached and the previous pack's last level completed), which sets the pack's
// lockFlash and buttonFlash, or by a purchase, which sets its buttonFlash; the flashes here end
// with the face clickable. The manager holds one; it frees what it holds when the manager goes.
#pragma once

#include "game/board/timed_values.h"

#include <vector>

namespace QOR {
class QC_SPRITE;
}  // namespace QOR

class PACK_BUTTON;

struct PACKS_PARTS {
  PACKS_PARTS() = default;
  ~PACKS_PARTS() { Free(); }
  PACKS_PARTS(const PACKS_PARTS&) = delete;
  PACKS_PARTS& operator=(const PACKS_PARTS&) = delete;

  // Deletes every object and gives its picture back; no buttons and all null afterwards.
  void Free();
  // The x of pack 1's button (0 without one).
  float FirstX() const;
  // Places the pack highlight on pack 1..6.
  void MovePackGlow(int pack);
  // Pack 1's face to x, every other face, picture and the pack highlight by the same amount.
  void Slide(float x);
  // Draws a highlight (the pack's or the level's) with the pulse's alpha in a few steps.
  static void RenderHighlight(QOR::QC_SPRITE* glow);

  std::vector<PACK_BUTTON*> buttons;
  QOR::QC_SPRITE* lockSprite = nullptr;
  QOR::QC_SPRITE* lockFlashSprite = nullptr;
  QOR::QC_SPRITE* packFlashSprite = nullptr;  // the face flash
  QOR::QC_SPRITE* rankPlate = nullptr;        // frame 0 rank not reached, 1 reached
  QOR::QC_SPRITE* namePlate = nullptr;
  QOR::QC_SPRITE* starSprite = nullptr;  // frame 0 lit, 1 unlit
  QOR::QC_SPRITE* glow = nullptr;
  ALPHA_FADER highlightFader;  // the pulse of the pack and the level highlight
  float packFlashTimer = 0.0f;
  float lockFlashTimer = 0.0f;
  // The pack the open "buypack" question offers (list index; -1 none): its confirmation buys it.
  int purchaseIndex = -1;
};
