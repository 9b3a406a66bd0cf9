// strings.xml read the way the engine's localisation table reads it: the first Worksheet's Table,
// from its first Row on, cell 1 the key and cell 2 the text (first row with a key wins).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace qor_test {

struct QS_STRINGS_TABLE {
  std::vector<std::pair<std::string, std::string>> rows;
  bool has(const std::string& key) const;
  std::string value(const std::string& key) const;  // "not found" like the game
};

bool fReadStringsTable(const std::string& bytes, QS_STRINGS_TABLE& table);

// Every key the game looks up in strings.xml.
std::vector<std::string> fGameTextKeys();

// The keys whose text the game prints as a format with arguments, and the conversions it passes.
const std::map<std::string, std::string>& fFormattedKeys();

}  // namespace qor_test
