// Where a level file is read from. A designer's levels live loose in the user's documents folder
// ("Greyfern/Lantern Tiles/levels/"), where the level editor saves them; the shipped ones are
// entries of the pack "XML/levels". A level of the folder is read before the shipped one of the
// same name, so a level saved as "pk1lv1" is played as level 1 of pack 1.
#pragma once

#include "game/board/tile_metrics.h"

#include <pugixml.hpp>

#include <string>

namespace MAHJONG_LEVELS {

// The designer's folder, with a trailing '/': the documents folder's "Greyfern/Lantern Tiles/
// levels/"; empty when there is no documents folder (no copy is read, none can be saved).
std::string Folder();

// A level name names a file of that folder: not empty, no folder part, not "." or "..", no control
// character, and short enough for a file name once ".xml" is added.
bool isPlainName(const std::string& name);

// Why the level of the document cannot be played on a board of that grid (the tile metrics'
// columns and rows): no tiles; an element among them that is not a `tile`; a tile outside the
// grid (posx beyond 0 .. 2 x columns, posy beyond 0 .. 2 x rows, in half tiles); two tiles on
// one cell of a layer (their positions rounded to whole half tiles). Empty when it can be played.
std::string PlayProblem(const pugi::xml_node& document, const TILE_METRICS& grid);

// The level file (a plain file name such as "pk1lv1.xml") for play on a board of that grid: the
// folder's copy when it is a regular file that parses and can be played, else the shipped entry;
// a copy passed over is logged with the cause. Logs which one is read. Null when the shipped
// level is missing or cannot be played: logged, and told once as damaged game data.
const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own, const TILE_METRICS& grid);

// The same for the editor, which must not take the shipped level for a designer's copy that does
// not parse (or is no regular file): null, with a log line, when the copy does not parse or the
// level is found nowhere ("File doesn't exist " and the folder's path).
const pugi::xml_document* ReadForEditing(const std::string& file, pugi::xml_document& own);

}  // namespace MAHJONG_LEVELS
