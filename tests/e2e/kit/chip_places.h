// The game's log of where its free tiles are, which a run turns on with QOR_LOG_CHIP_PLACES=1
// (fChipPlacesEnvironment): after each change of the free set a block "chip places: count=<n>"
// followed by n lines "chip place: face=<face> x=<x> y=<y>", x and y a point in game pixels that
// picks that tile. A road reads the newest block and clicks a matching pair at its points.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qor_e2e {

struct CHIP_PLACE {
  int face = 0;
  int x = 0;
  int y = 0;
  bool special = false;  // the line ends in " special=1"
};

struct CHIP_PLACES {
  int blocks = 0;                  // complete blocks in the log so far
  std::vector<CHIP_PLACE> chips;   // the newest complete block's tiles
};

// The environment entry that turns the log on, for E2E_SESSION::fStartGame's extra entries.
std::map<std::string, std::string> fChipPlacesEnvironment();

// The complete blocks of log (a block whose lines have not all arrived is not counted).
CHIP_PLACES fReadChipPlaces(const std::string& log);

// Two of the tiles that make a pair (equal faces, or two flowers, or two seasons), or nothing.
// Sparing the special tiles prefers a pair without them, as a player does who keeps the level
// going (taking the last special tiles ends it).
std::optional<std::pair<CHIP_PLACE, CHIP_PLACE>> fMatchingPair(const std::vector<CHIP_PLACE>& chips,
                                                               bool spareSpecials = false);

}  // namespace qor_e2e
