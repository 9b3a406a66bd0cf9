// A player for tests: it looks at the board, picks a free matching pair and clicks its two tiles
// through the real input state (mouse position, button 1 down on one tick and up on the next),
// and uses the shuffle bonus when the board reports no moves but a usable bonus. It never touches
// the board itself; whoever owns the ticks (the board alone, or the game manager) calls
// BeforeTick before each tick and AfterTick with the board's event after it.
#pragma once

#include "engine/platform/qc_input.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_metrics.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace board_test {

constexpr int kMouseLeft = QOR::kMouseLeft;

// One tick of the game screen for the board alone, in the game screen's order, then the input
// ageing of the game loop. Returns the play step's event.
inline int PlayTick(MAHJONG_LAYOUT& board) {
  board.UpdateEffects();
  board.UpdateDropIn();
  board.ShuffleChips();
  const int event = board.Update();
  QOR::qcCurrentInput->fUpdate();
  return event;
}

// The face rectangle the play step hit-tests a chip by (edges included).
struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// inset 0 is the rectangle itself; 1 keeps whole pixels strictly inside it.
inline RECT FaceRect(const MAHJONG_CHIP& chip, int inset) {
  const float left =
      chip.m_position.x + static_cast<float>(chip.m_layer * tileMetrics.layer_offsetX - tileMetrics.sizeX / 2);
  const float top =
      chip.m_position.y - static_cast<float>(chip.m_layer * tileMetrics.layer_offsetY + tileMetrics.sizeY / 2);
  RECT rect;
  rect.left = static_cast<int>(std::floor(left)) + inset;
  rect.top = static_cast<int>(std::floor(top)) + inset;
  rect.right = static_cast<int>(std::ceil(left)) + tileMetrics.sizeX - inset;
  rect.bottom = static_cast<int>(std::ceil(top)) + tileMetrics.sizeY - inset;
  return rect;
}

// A mouse position on the chip, where the board takes clicks, that no other free tile's rectangle
// covers (so the hover walk can only find this chip there). False when there is none.
inline bool ClickPoint(const MAHJONG_LAYOUT& board, const MAHJONG_CHIP& chip, int& x, int& y) {
  const RECT face = FaceRect(chip, 1);
  const int cx = (face.left + face.right) / 2;
  const int cy = (face.top + face.bottom) / 2;
  // From the centre outward.
  for (int ring = 0; ring <= std::max(tileMetrics.sizeX, tileMetrics.sizeY); ring += 2) {
    for (int dy = -ring; dy <= ring; dy += 2) {
      for (int dx = -ring; dx <= ring; dx += 2) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
        const int px = cx + dx;
        const int py = cy + dy;
        if (!face.contains(px, py) || !board.TakesClicksAt(static_cast<float>(px), static_cast<float>(py))) continue;
        bool alone = true;
        for (const MAHJONG_CHIP* other : board.GetChips()) {
          if (other != &chip && other->isAvailable() && FaceRect(*other, 0).contains(px, py)) alone = false;
        }
        if (!alone) continue;
        x = px;
        y = py;
        return true;
      }
    }
  }
  return false;
}

class BOARD_BOT {
 public:
  enum STRATEGY {
    kSolution,   // the next free pair of the deal's own order: always clears the level
    kFirstFree,  // the first free pair, special tiles first, with no look ahead
  };
  struct PAIR {
    int points = 0;            // the points its popup showed
    int multiplierBefore = 1;  // the panel's multiplier on the tick before the pair
    bool special = false;      // both tiles special
  };

  explicit BOARD_BOT(MAHJONG_LAYOUT& board, STRATEGY strategy = kSolution) : board_(board), strategy_(strategy) {}

  // Sets the mouse and button 1 for the coming tick.
  void BeforeTick() {
    QOR::QC_INPUT& input = *QOR::qcCurrentInput;
    multiplierBefore_ = board_.GetPanel()->GetMultiplier();
    if (pressed_) {
      input.fKeyUp(kMouseLeft);
      pressed_ = false;
      return;
    }
    clicked_ = nullptr;
    if (board_.isLevelFinished() || stuck || board_.m_dropTween.active || board_.m_slideTween.active ||
        board_.m_shuffleRequested || board_.GetPanel()->isPaused()) {
      return;
    }
    if (lastEvent_ == MAHJONG_LAYOUT::kEventNoMovesBonus) {
      QOR::QC_IMAGE_BUTTON* button = board_.GetPanel()->bonusSlot.button;
      const QOR::QS_VEC2 at = button->fGetPosition();
      press(static_cast<int>(at.x), static_cast<int>(at.y));
      ++bonusClicks;
      return;
    }
    MAHJONG_CHIP* first = nullptr;
    MAHJONG_CHIP* second = nullptr;
    if (!pickPair(first, second)) return;
    // The first tile selected already: the second one completes the pair.
    MAHJONG_CHIP* target = board_.m_selectedChip == first ? second : first;
    int x = 0;
    int y = 0;
    if (!ClickPoint(board_, *target, x, y)) {
      ++hiddenTargets;
      return;
    }
    clicked_ = target;
    press(x, y);
  }

  // Reads the play step's event of the tick.
  void AfterTick(int event) {
    if (event != 0) events.push_back(event);
    lastEvent_ = event;
    if (event == MAHJONG_LAYOUT::kEventPairRemoved && clicked_ != nullptr) {
      PAIR pair;
      pair.points = clicked_->m_points;
      pair.multiplierBefore = multiplierBefore_;
      pair.special = partnerSpecial_ && clicked_->m_isSpecial;
      pairs.push_back(pair);
    }
    if (event == MAHJONG_LAYOUT::kEventNoMoves) stuck = true;
  }

  // Ticks the board alone until the level ends, the bot is stuck or the budget runs out; returns
  // the ticks used.
  int PlayOut(int budget) {
    int ticks = 0;
    while (ticks < budget && !board_.isLevelFinished() && !stuck) {
      BeforeTick();
      AfterTick(PlayTick(board_));
      ++ticks;
    }
    return ticks;
  }

  std::vector<int> events;  // every non-zero event, in order
  std::vector<PAIR> pairs;
  int bonusClicks = 0;
  int hiddenTargets = 0;  // targets with no place to click (none on the shipped levels)
  bool stuck = false;     // the board reported no moves and no usable bonus

 private:
  void press(int x, int y) {
    QOR::qcCurrentInput->fSetMousePosition(x, y);
    QOR::qcCurrentInput->fKeyDown(kMouseLeft);
    pressed_ = true;
  }

  bool pickPair(MAHJONG_CHIP*& first, MAHJONG_CHIP*& second) {
    const auto& chips = board_.GetChips();
    const auto onBoard = [&](const MAHJONG_CHIP* chip) {
      return std::find(chips.begin(), chips.end(), chip) != chips.end();
    };
    // Keep going with a pair begun, while both tiles are still free.
    if (board_.m_selectedChip != nullptr && board_.m_selectedChip == plan_[0] && onBoard(plan_[1]) &&
        plan_[0]->isAvailable() && plan_[1]->isAvailable()) {
      first = plan_[0];
      second = plan_[1];
      return true;
    }
    std::vector<MAHJONG_CHIP*> order;
    if (strategy_ == kSolution) {
      for (MAHJONG_CHIP* chip : board_.GetDealOrder()) order.push_back(chip);
    } else {
      for (MAHJONG_CHIP* chip : chips) {
        if (chip->m_isSpecial) order.push_back(chip);
      }
      for (MAHJONG_CHIP* chip : chips) {
        if (!chip->m_isSpecial) order.push_back(chip);
      }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (!onBoard(order[i]) || !order[i]->isAvailable()) continue;
      for (std::size_t j = i + 1; j < order.size(); ++j) {
        if (!onBoard(order[j]) || !order[j]->isAvailable() || !order[i]->isMatch(order[j])) continue;
        plan_[0] = first = order[i];
        plan_[1] = second = order[j];
        partnerSpecial_ = first->m_isSpecial;
        return true;
      }
    }
    return false;
  }

  MAHJONG_LAYOUT& board_;
  STRATEGY strategy_;
  bool pressed_ = false;
  int lastEvent_ = 0;
  int multiplierBefore_ = 1;
  MAHJONG_CHIP* clicked_ = nullptr;
  MAHJONG_CHIP* plan_[2] = {nullptr, nullptr};
  bool partnerSpecial_ = false;
};

}  // namespace board_test
