// The removal flights: every chip steps each frame; a chip in flight follows the board's curve and
// its points popup ages; a chip whose flight has ended leaves the board and is deleted.
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"

MAHJONG_LAYOUT::FLIGHT_STEP MAHJONG_LAYOUT::UpdateFlights(float dt) {
  FLIGHT_STEP step;
  const float popupLength = 2.0f * m_ptsFadeTime + m_ptsDelayTime;
  for (std::size_t i = 0; i < m_chips.size();) {
    MAHJONG_CHIP* chip = m_chips[i];
    chip->Update(dt);
    if (!chip->m_removing) {
      ++i;
      continue;
    }
    if (chip->m_points != 0) {
      chip->m_popupTime += dt;
      if (chip->m_popupTime >= popupLength) chip->m_points = 0;
    }
    chip->MoveTo(m_removeCurve.GetPoint(chip->m_flightStart, chip->m_flightTime, chip->m_removing, dt));
    if (chip->m_removing) {
      ++i;
      continue;
    }
    // Landed: the walk goes on with the chip that took its place.
    RemoveChipAt(i);
    ++step.landed;
    if (isLevelComplete()) {
      step.levelComplete = true;
      break;
    }
  }
  return step;
}
