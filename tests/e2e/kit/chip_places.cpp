#include "tests/e2e/kit/chip_places.h"

#include "game/board/tile_faces.h"

#include <cstdio>
#include <cstdlib>

namespace qor_e2e {

std::map<std::string, std::string> fChipPlacesEnvironment() { return {{"QOR_LOG_CHIP_PLACES", "1"}}; }

CHIP_PLACES fReadChipPlaces(const std::string& log) {
  static constexpr char kHead[] = "chip places: count=";
  static constexpr char kLine[] = "chip place: ";
  CHIP_PLACES result;
  std::vector<CHIP_PLACE> block;
  int expected = -1;  // lines the open block still lacks; -1 when none is open
  // The engine starts each line with its newline, so the last line is whole without one (each
  // line is one small write to the pipe, which arrives whole).
  for (std::size_t start = 0; start <= log.size();) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    start = end + 1;
    if (line.rfind(kHead, 0) == 0) {
      block.clear();
      expected = std::atoi(line.c_str() + sizeof(kHead) - 1);
    } else if (line.rfind(kLine, 0) == 0 && expected > 0) {
      CHIP_PLACE chip;
      if (std::sscanf(line.c_str(), "chip place: face=%d x=%d y=%d", &chip.face, &chip.x, &chip.y) != 3) {
        expected = -1;  // a damaged block is never taken
        continue;
      }
      chip.special = line.find(" special=1") != std::string::npos;
      block.push_back(chip);
      --expected;
    } else {
      continue;
    }
    if (expected == 0) {
      result.blocks += 1;
      result.chips = block;
      expected = -1;
    }
  }
  return result;
}

std::optional<std::pair<CHIP_PLACE, CHIP_PLACE>> fMatchingPair(const std::vector<CHIP_PLACE>& chips,
                                                               bool spareSpecials) {
  for (const bool spare : {spareSpecials, false}) {
    for (std::size_t a = 0; a < chips.size(); ++a) {
      for (std::size_t b = a + 1; b < chips.size(); ++b) {
        if (spare && (chips[a].special || chips[b].special)) continue;
        if (MAHJONG_FACES::isMatch(chips[a].face, chips[b].face)) return std::make_pair(chips[a], chips[b]);
      }
    }
  }
  return std::nullopt;
}

}  // namespace qor_e2e
