// Telling the player about a failure they must know of (their progress is not saved, the game's
// data is damaged): a message box, shown at most once per subject in a process, so a failure
// that repeats on every save or every read is told once. Without an interactive display the box
// is a log line (the stand-in's rule for every message box).
#pragma once

#include <string>

namespace QOR {

// Shows the box the first time subject is told; true when it was shown now.
bool fTellPlayerOnce(const std::string& subject, const std::string& caption, const std::string& text);
// True when subject has been told.
bool isToldToPlayer(const std::string& subject);
// Forgets every subject told, so they are told again (tests).
void fForgetToldSubjects();

}  // namespace QOR
