// The chip order: by layer, then within a layer from the farthest to the nearest chip from a
// point far off the screen's bottom left. Both sorts are bubble sorts on neighbours, so chips that
// compare equal keep their order.
#include "engine/math/qs_point.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"

#include <cmath>
#include <utility>

namespace {

template <typename SWAP>
void BubbleSort(MAHJONG_BOARD::CHIP_LIST& list, SWAP outOfOrder) {
  // Passes over the whole list until one swaps nothing.
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
      if (outOfOrder(*list[i], *list[i + 1])) {
        std::swap(list[i], list[i + 1]);
        swapped = true;
      }
    }
  }
}

}  // namespace

void MAHJONG_BOARD::SortChips(int order, bool distance, CHIP_LIST* list) {
  CHIP_LIST& chips = list != nullptr ? *list : m_chips;
  if (chips.empty()) return;
  if (order == 1) {
    BubbleSort(chips, [](const MAHJONG_CHIP& a, const MAHJONG_CHIP& b) { return a.m_layer > b.m_layer; });
  } else if (order == -1) {
    BubbleSort(chips, [](const MAHJONG_CHIP& a, const MAHJONG_CHIP& b) { return a.m_layer < b.m_layer; });
  }
  if (!distance) return;
  const QOR::QS_POINT screen = GetLayoutScreen();
  const float fromX = -1.5f * static_cast<float>(screen.x);
  const float fromY = 2.0f * static_cast<float>(screen.y);
  const auto far = [fromX, fromY](const MAHJONG_CHIP& chip) {
    const float dx = chip.m_cell.x - fromX;
    const float dy = chip.m_cell.y - fromY;
    return std::sqrt(dx * dx + dy * dy);
  };
  BubbleSort(chips, [&far](const MAHJONG_CHIP& a, const MAHJONG_CHIP& b) {
    return a.m_layer == b.m_layer && far(b) > far(a);
  });
}
