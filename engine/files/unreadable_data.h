// Game data that cannot be read, told once: a pack that cannot be opened and an entry (or a loose
// resource) that cannot be read are each logged once, naming the pack, the entry and the cause,
// and the first failure of each pack is told to the player in a message box naming the three.
// Once damage has been told, the loader's boxes about resources it then cannot find become log
// lines: the damage box already said why.
#pragma once

#include <string>

namespace QOR {

// An entry of the pack at packPath (pack as the game names it; empty for the Resources folder's
// loose files) cannot be read. True the first time for that entry: its lines are logged (the
// fixed line first, when given) and the pack's box shown if it is the pack's first failure.
bool fReportUnreadable(const std::string& packPath, const std::string& pack, const std::string& entry,
                       const std::string& cause, const std::string& fixedLine = std::string());
// The pack at packPath cannot be opened. True the first time: logged and told.
bool fReportUnopenedPack(const std::string& packPath, const std::string& pack, const std::string& cause);
// The box's text for a Resources folder that is missing or empty: the folder, the folders the
// file system looked for Resources in, how the game is started, and that installing it again
// mends it.
std::string fMissingDataText(const std::string& folder);
// True once any damage has been reported.
bool isDataDamageReported();
// A resource the loader was asked for and cannot give: a box with that caption and name, or a
// log line when damaged data has already been told.
void fTellMissingResource(const std::string& caption, const std::string& name);
// Forgets every report, so the same damage is told again (tests).
void fForgetReportedDamage();

}  // namespace QOR
