// The manifest: one table of every resource the game names, with where it is made and where it
// goes. The packs step lays out Resources from it; the inventory test checks every item.
#pragma once

#include "tools/data/data_item.h"

#include <string>
#include <vector>

namespace QOR {

// The whole table: the XML side's items followed by the art list. The art side provides
//   tools/data/art/art_list.h:  const std::vector<QS_DATA_ITEM>& fArtList();
// with every picture, font (description and pages) and sound it makes.
const std::vector<QS_DATA_ITEM>& fManifest();

// The items a given step makes.
std::vector<QS_DATA_ITEM> fManifestOfStep(const std::string& step);

}  // namespace QOR
