// The second half of each start-up bench run: a player is named at the title of the first start,
// then a second start of the same program plays into level 1 of pack 1 as that player (without the
// tutorial, the start comic seen). On the way the bench measures processor use at the packs
// screen and at the levels screen at rest (only their highlights pulse), then in the level while
// only the clock moves and while the hint pair blinks, then paused with the hint due, then with
// its window minimised, and resident memory in the level.
#pragma once

#include "bench/startup/process_stats.h"
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/road_checks.h"

#include <optional>
#include <string>

namespace qor_bench {

struct LEVEL_RUN {
  CPU_USE packs;   // the packs screen at rest
  CPU_USE levels;  // the levels screen of pack 1 at rest
  CPU_USE clock;  // the level with only its clock moving
  CPU_USE blink;  // the hint pair blinking
  CPU_USE paused;  // paused with the hint due (the pause panel up, nothing moving)
  CPU_USE away;    // paused, the window minimised
  std::optional<double> rssMiB;
  // Picture changes a second seen in the window just before each measure (a check that the
  // stretch measured is the one meant: about 1 with the clock alone, many while the pair blinks).
  std::optional<double> clockChanges;
  std::optional<double> blinkChanges;
  std::optional<double> pausedChanges;
  std::string note;
};

// At the title of the session's running first start: names a new player through the title's box,
// then closes the window. False (with note) when the name was not taken.
bool fNamePlayer(qor_e2e::E2E_SESSION& session, const qor_e2e::TITLE_LAYOUT& title, std::string& note);

// Starts program again in the session, as the player named before, and measures in level 1.
LEVEL_RUN fMeasureLevel(qor_e2e::E2E_SESSION& session, const std::string& program, const qor_e2e::TITLE_LAYOUT& title);

}  // namespace qor_bench
