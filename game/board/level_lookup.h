// Where a level file is read from. A designer's levels live loose in the user's documents folder
// ("Greyfern/Lantern Tiles/levels/"), where the level editor saves them; the shipped ones are
// entries of the pack "XML/levels". A level of the folder is read before the shipped one of the
// same name, so a level saved as "pk1lv1" is played as level 1 of pack 1.
#pragma once

#include "game/board/board_view.h"
#include "game/board/playable_level.h"

#include <pugixml.hpp>

#include <cstddef>
#include <string>

namespace MAHJONG_LEVELS {

// The longest level name, in bytes: a file name of the folder once ".xml" is added and the
// save's temporary file beside it (QOR::fReplaceFile) has its suffix.
constexpr std::size_t kLongestName = 244;

// The designer's folder, with a trailing '/': the documents folder's "Greyfern/Lantern Tiles/
// levels/"; empty when there is no documents folder (no copy is read, none can be saved).
std::string Folder();

// Why a level name names no file of that folder, for the designer: empty, "." or "..", a folder
// part (/ \ :) or a control character, or longer than kLongestName bytes (the length told).
// Empty when it does.
std::string NameProblem(const std::string& name);
bool isPlainName(const std::string& name);

// The level file (a plain file name such as "pk1lv1.xml") for play on that view (PlayProblem): the
// folder's copy when it is a regular file that parses and can be played, else the shipped entry;
// a copy passed over is logged with the cause. Logs which one is read. Null when the shipped
// level is missing or cannot be played: logged, and told once as damaged game data.
const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own, const BOARD_VIEW& view);

// The same for the editor, which must not take the shipped level for a designer's copy that does
// not parse (or is no regular file): null, with a log line, when the copy does not parse or the
// level is found nowhere ("File doesn't exist " and the folder's path).
const pugi::xml_document* ReadForEditing(const std::string& file, pugi::xml_document& own);

}  // namespace MAHJONG_LEVELS
