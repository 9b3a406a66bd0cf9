// The packs step: lays out Resources from the staging folders by the manifest. Archive locations
// become password packs (files without an extension), folder locations real folders of loose
// files, and the empty location the Resources folder itself (resource_layout.h has the layout).
#pragma once

#include "tools/data/data_item.h"

#include <filesystem>
#include <string>
#include <vector>

namespace QOR {

// The password of an archive location, or null when the location is a folder.
const char* fArchivePassword(const std::string& location);
// Every archive location in the order the game registers them.
const std::vector<std::string>& fArchiveLocations();

// Checks the manifest for clashes: an empty or blank-holding name, a '/' in a folder entry, the
// same entry twice in one place, or one name found in two places. Empty when it is sound.
std::vector<std::string> fCheckManifest(const std::vector<QS_DATA_ITEM>& items);

// Writes Resources under resourcesDir from stagingRoot/<step>/<file>. Files the previous run
// wrote and this one does not are removed (the list is kept in stagingRoot); anything else in
// Resources is left alone. 0 on success.
int fAssembleResources(const std::vector<QS_DATA_ITEM>& items, const std::filesystem::path& stagingRoot,
                       const std::filesystem::path& resourcesDir);

}  // namespace QOR
