// The screen states the game logs with QOR_LOG_SCREEN_STATES=1 that the roads wait for, as
// E2E_SESSION::fWaitForRest takes them: the screen's number (the game's SCREEN_TYPE), the help and
// options overlays and whether a message box is open.
#pragma once

namespace qor_e2e::screen_state {

constexpr char kComic[] = "screen=1 help=0 options=0 box=0";
constexpr char kTitle[] = "screen=4 help=0 options=0 box=0";
constexpr char kTitleWithBox[] = "screen=4 help=0 options=0 box=1";
constexpr char kPlayers[] = "screen=5 help=0 options=0 box=0";
constexpr char kPlayersWithBox[] = "screen=5 help=0 options=0 box=1";
constexpr char kPacks[] = "screen=6 help=0 options=0 box=0";
constexpr char kLevelIntro[] = "screen=10 help=0 options=0";
constexpr char kLevelEnd[] = "screen=11 help=0 options=0 box=0";
constexpr char kLevels[] = "screen=12 help=0 options=0 box=0";

}  // namespace qor_e2e::screen_state
