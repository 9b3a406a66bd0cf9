#include "tools/data/levels/level_model.h"

namespace QOR {

int fSuitCapacity(const std::array<bool, SUIT_COUNT>& suits) {
  int capacity = 0;
  for (int s = 0; s < SUIT_COUNT; ++s)
    if (suits[s]) capacity += kSuitCapacity[s];
  return capacity;
}

}  // namespace QOR
