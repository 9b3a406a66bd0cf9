// Where a level file is read from. A designer's levels live loose in the user's documents folder
// ("Greyfern/Lantern Tiles/levels/"), where the level editor saves them; the shipped ones are
// entries of the pack "XML/levels". A level of the folder is read before the shipped one of the
// same name, so a level saved as "pk1lv1" is played as level 1 of pack 1.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace MAHJONG_LEVELS {

// The designer's folder, with a trailing '/': the documents folder's "Greyfern/Lantern Tiles/
// levels/" (the game's own folder stands in when there is no documents folder).
std::string Folder();

// A level name names a file of that folder: not empty, no folder part, not "." or "..", no control
// character, and short enough for a file name once ".xml" is added.
bool isPlainName(const std::string& name);

// The level file (a plain file name such as "pk1lv1.xml") for play: the folder's copy when it
// parses, else the shipped entry; a copy that does not parse is logged and passed over. Logs which
// one is read. Never null: a level found nowhere reads as an empty document, with the loader's
// own report.
const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own);

// The same for the editor, which must not take the shipped level for a designer's copy that does
// not parse: null, with a log line, when the copy does not parse or the level is found nowhere
// ("File doesn't exist " and the folder's path).
const pugi::xml_document* ReadForEditing(const std::string& file, pugi::xml_document& own);

}  // namespace MAHJONG_LEVELS
