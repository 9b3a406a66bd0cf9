#include "tools/data/manifest.h"

#include "tools/data/levels/level_designer.h"
#include "tools/data/levels/level_file.h"
#include "tools/data/resource_layout.h"
#include "tools/data/xml/xml_step.h"

#ifdef QOR_DATA_ART
#include "tools/data/art/art_list.h"
#endif

namespace QOR {

namespace {

std::vector<QS_DATA_ITEM> xmlItems() {
  std::vector<QS_DATA_ITEM> items;
  const auto add = [&](const char* step, const std::string& name, const char* location, DATA_KIND kind) {
    QS_DATA_ITEM item;
    item.step = step;
    item.file = name;
    item.location = location;
    item.entry = name;
    item.lookup = name;
    item.kind = kind;
    items.push_back(item);
  };
  for (const char* name : {"consts.xml", "fx_params.xml", "balance.xml", "tiles.xml", "strings.xml", "trophies.xml",
                           "default_player.xml"})
    add("xml", name, kPackConfig, DATA_KIND::XML);
  add("xml", "store_settings.xml", kLoose, DATA_KIND::XML);
  for (int pack = 1; pack <= kPackCount; ++pack)
    for (int level = 1; level <= kLevelsPerPack; ++level)
      add("levels", fLevelFileName(pack, level), kPackLevels, DATA_KIND::LEVEL);
  return items;
}

}  // namespace

const std::vector<QS_DATA_ITEM>& fManifest() {
  static const std::vector<QS_DATA_ITEM> kManifest = [] {
    std::vector<QS_DATA_ITEM> items = xmlItems();
#ifdef QOR_DATA_ART
    const std::vector<QS_DATA_ITEM>& art = fArtList();
    items.insert(items.end(), art.begin(), art.end());
#endif
    for (QS_DATA_ITEM& item : items)
      if (item.lookup.empty()) item.lookup = item.entry;
    return items;
  }();
  return kManifest;
}

std::vector<QS_DATA_ITEM> fManifestOfStep(const std::string& step) {
  std::vector<QS_DATA_ITEM> items;
  for (const QS_DATA_ITEM& item : fManifest())
    if (item.step == step) items.push_back(item);
  return items;
}

}  // namespace QOR
