// The "xml" step: the game's configuration documents. The hand-written sources of data/ are
// checked and copied byte for byte; strings.xml is made from data/texts.xml as the spreadsheet
// table the game reads, and tiles.xml from the tile metrics the art side draws with.
#pragma once

#include <filesystem>
#include <string>

namespace QOR {

int fMakeXml(const std::filesystem::path& sourceDir, const std::filesystem::path& stagingDir);

// The sources copied as they are.
inline constexpr const char* kCopiedXml[] = {"consts.xml",          "fx_params.xml",      "balance.xml",
                                             "trophies.xml",        "default_player.xml", "store_settings.xml"};

// data/texts.xml (<texts><text key="..">..</text></texts>) as a SpreadsheetML workbook whose rows
// hold the key in cell 1 and the text in cell 2. False with a reason on a malformed source or a
// repeated key.
bool fMakeStringsSheet(const std::string& textsXml, std::string& sheet, std::string& error);

// tiles.xml: the tile metrics, the three tile sets and the board grid.
std::string fMakeTilesXml();

}  // namespace QOR
