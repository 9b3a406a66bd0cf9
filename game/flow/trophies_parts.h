// What the trophies screen and the trophy award own: the shelf with its twelve trophy places, the
// header font, the page turn, and the award box with the trophy it shows. Awards are shown one at
// a time; the award records and saves the trophy, and the box's OK only closes it. The page
// number and the page arrow are the manager's, shared with the levels screen (never shown
// together). The manager holds one; it frees what it holds when the manager goes.
#pragma once

#include "game/board/timed_values.h"

#include <vector>

namespace QOR {
class QC_FONT;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class STORE_MESSAGE_BOX;
class TROPHY_ITEM;

struct TROPHIES_PARTS {
  static constexpr int kSlots = 12;

  TROPHIES_PARTS() = default;
  ~TROPHIES_PARTS() { Free(); }
  TROPHIES_PARTS(const TROPHIES_PARTS&) = delete;
  TROPHIES_PARTS& operator=(const TROPHIES_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null afterwards.
  void Free();
  // The shelf to x, the twelve places by the same amount.
  void Slide(float x);

  QOR::QC_SPRITE* shelf = nullptr;
  TROPHY_ITEM* slots[kSlots] = {};
  QOR::QC_FONT* font = nullptr;              // the screen's header font
  QOR::QC_TEXTURE_INFO* fontPage = nullptr;  // its page image (subscribed)
  VALUE_TWEEN pageTween;                     // the shelf's x while a page turns
  STORE_MESSAGE_BOX* awardBox = nullptr;     // shows a newly won trophy
  TROPHY_ITEM* awarded = nullptr;            // the trophy the award box shows
  // The shown award has been recorded: a later confirmation of the same box records nothing.
  bool awardRecorded = true;
  // Trophies won (and recorded) while another award was on show, in the order won: shown next.
  std::vector<int> pending;
};
