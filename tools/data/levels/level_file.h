// Level files: the builder writes them in the layout of the game's level writer (tiles, suits,
// extra tasks side by side at the top level) and reads them back by the game's reading rules, so
// that the checks see what the game will see.
#pragma once

#include "tools/data/levels/level_model.h"

#include <string>

namespace QOR {

// The file's text: UTF-8, one tab per indentation level.
std::string fWriteLevel(const QS_LEVEL& level);

// Reads a level as the game does: presence decides the tile flags and the suits (no suits element
// enables all seven), positions and layers parse as numbers (a missing one reads 0), tasks by
// their type text with the time rule below. False with a reason when the text is no XML document
// or a tile position is not a whole grid number (our files never write fractions).
bool fReadLevel(const std::string& text, QS_LEVEL& level, std::string& error);

// Time task values are minutes and seconds, M.SS. The game parses the text as a 32-bit float and
// takes whole part x 60 + fraction x 100, truncated; fTimeTaskSeconds does exactly that, and
// fTimeTaskText writes a text that reads back as the given number of seconds (adding half a second
// in a third decimal where the float rounding would otherwise lose one).
int fTimeTaskSeconds(const std::string& text);
std::string fTimeTaskText(int seconds);

// The level's file name in the pack "XML/levels": "pk" + pack + "lv" + level + ".xml".
std::string fLevelFileName(int pack, int level);

}  // namespace QOR
