// Every resource of the manifest lies in the built Resources, resolves the way the game looks it
// up, and decodes as what it is.
#include "tests/data/data_fixture.h"

#include "tools/data/levels/level_file.h"
#include "tools/data/manifest.h"
#include "tools/data/pack_step.h"
#include "tools/data/resource_layout.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

using qor_test::fLookup;
using qor_test::fResourceBytes;

bool hasItem(const std::string& location, const std::string& entry) {
  return std::any_of(QOR::fManifest().begin(), QOR::fManifest().end(), [&](const QOR::QS_DATA_ITEM& item) {
    return item.location == location && item.entry == entry;
  });
}

bool hasLookup(const std::string& lookup) {
  return std::any_of(QOR::fManifest().begin(), QOR::fManifest().end(),
                     [&](const QOR::QS_DATA_ITEM& item) { return item.lookup == lookup; });
}

TEST(DataInventory, ManifestHasNoClashes) {
  for (const std::string& problem : QOR::fCheckManifest(QOR::fManifest())) ADD_FAILURE() << problem;
}

TEST(DataInventory, ManifestCheckFindsClashes) {
  const auto item = [](const char* location, const char* entry, const char* lookup) {
    QOR::QS_DATA_ITEM i;
    i.step = "pictures";
    i.file = entry;
    i.location = location;
    i.entry = entry;
    i.lookup = lookup;
    return i;
  };
  EXPECT_TRUE(QOR::fCheckManifest({item("data/surfaces", "bgnd/Levels/1/1.png", "bgnd/Levels/1/1.png"),
                                   item("data/editor/", "circle.png", "data/editor/ circle.png")})
                  .empty());
  // The same one-word name in two packs would depend on the registration order.
  EXPECT_EQ(QOR::fCheckManifest({item("data/surfaces", "a.png", "a.png"), item("data/btns", "a.png", "a.png")}).size(),
            1u);
  EXPECT_FALSE(QOR::fCheckManifest({item("data/editor/", "sub/a.png", "sub/a.png")}).empty());
  EXPECT_FALSE(QOR::fCheckManifest({item("data/surfaces", "a b.png", "a b.png")}).empty());
  EXPECT_FALSE(QOR::fCheckManifest({item("data/editor/", "a.png", "data/buttons/ a.png")}).empty());
}

TEST(DataInventory, ReleaseLayoutRegistersEveryArchiveAndOnlyTheRealFolders) {
  std::map<std::string, std::size_t> registered(fLookup().fRegistered().begin(), fLookup().fRegistered().end());
  for (const std::string& archive : QOR::fArchiveLocations())
    EXPECT_GT(registered[archive], 0u) << archive << " does not open as an archive with its password";
  EXPECT_GT(registered["data"], 0u);
  EXPECT_GT(registered["data/editor/"], 0u);
  // The folder registrations of the archives' names find files, not folders, and stay empty.
  for (const char* folder : {"data/surfaces/options", "data/tiles/", "data/fonts/"})
    EXPECT_EQ(registered.count(folder), 0u) << folder;
  // "data/fonts" and "data/surfaces" are registered twice; only the archive form yields entries.
  for (const auto& [name, count] : fLookup().fRegistered())
    if (name == "data/fonts" || name == "data/surfaces") {
      QOR::QS_RESOURCE* any = fLookup().fFind(name == "data/fonts" ? QOR::kRegularFontFnt : "screen_back.jpg");
      if (any != nullptr) {
        EXPECT_FALSE(any->_sgPass.empty()) << name << " resolved as a folder";
      }
    }
}

TEST(DataInventory, EveryResourceResolvesAndDecodes) {
  ASSERT_GT(QOR::fManifest().size(), 130u);
  for (const QOR::QS_DATA_ITEM& item : QOR::fManifest()) {
    std::string bytes;
    std::string why;
    const bool loose = item.location.empty();
    if (!(loose ? fLookup().fLoadLoose(item.entry, bytes, why) : fLookup().fLoad(item.lookup, bytes, why))) {
      ADD_FAILURE() << item.lookup << ": " << why;
      continue;
    }
    std::string staged;
    std::ifstream in(qor_test::fStagingDir() / item.step / item.file, std::ios::binary);
    staged.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes == staged) << item.lookup << " differs from what its step made";
    switch (item.kind) {
      case QOR::DATA_KIND::IMAGE: {
        qor_test::QS_PICTURE_INFO info;
        if (!qor_test::fDecodePicture(bytes, info, why)) {
          ADD_FAILURE() << item.lookup << ": " << why;
          break;
        }
        if (item.width > 0) {
          EXPECT_EQ(info.width, item.width) << item.lookup;
        }
        if (item.height > 0) {
          EXPECT_EQ(info.height, item.height) << item.lookup;
        }
        break;
      }
      case QOR::DATA_KIND::SOUND:
      case QOR::DATA_KIND::MUSIC: {
        qor_test::QS_SOUND_INFO info;
        if (!qor_test::fDecodeOgg(bytes, info, why)) ADD_FAILURE() << item.lookup << ": " << why;
        break;
      }
      case QOR::DATA_KIND::LEVEL: {
        QOR::QS_LEVEL level;
        EXPECT_TRUE(QOR::fReadLevel(bytes, level, why)) << item.lookup << ": " << why;
        break;
      }
      case QOR::DATA_KIND::XML:
      case QOR::DATA_KIND::FONT: {
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size());
        EXPECT_TRUE(parsed && document.first_child()) << item.lookup << ": " << parsed.description();
        break;
      }
    }
  }
}

// Names that the game's documents and code hand to the loader must be resources of the manifest.
TEST(DataInventory, NamesTheDocumentsGiveAreResources) {
  pugi::xml_document tiles;
  const std::string tilesText = fResourceBytes("tiles.xml");
  ASSERT_TRUE(tiles.load_buffer(tilesText.data(), tilesText.size()));
  for (pugi::xml_node set : tiles.child("tiles").children("set"))
    EXPECT_TRUE(hasLookup(set.attribute("pic").value())) << set.attribute("pic").value();
  pugi::xml_document trophies;
  const std::string trophiesText = fResourceBytes("trophies.xml");
  ASSERT_TRUE(trophies.load_buffer(trophiesText.data(), trophiesText.size()));
  for (pugi::xml_node trophy : trophies.children("trophy"))
    EXPECT_TRUE(hasItem(QOR::kPackTrophies, trophy.attribute("pic").value())) << trophy.attribute("pic").value();
  for (const char* name : {"concealed.png", "TrebuchetMSREGULAR.fnt", "TrebuchetMSREGULAR_0.png", QOR::kRegularFontFnt,
                           QOR::kRegularFontPng, QOR::kBoldFontFnt, QOR::kBoldFontPng, QOR::kBoldFontStrokePng,
                           QOR::kBigFontFnt, QOR::kBigFontPng})
    EXPECT_TRUE(hasLookup(name)) << name;
  for (const char* name : {"spl1.jpg", "spl2.jpg", "store_settings.xml"}) EXPECT_TRUE(hasItem("", name)) << name;
  for (int pack = 1; pack <= 6; ++pack)
    for (int level = 1; level <= 20; ++level) {
      const std::string background = "bgnd/Levels/" + std::to_string(pack) + "/" + std::to_string(level) + ".png";
      EXPECT_TRUE(hasItem(QOR::kPackSurfaces, background)) << background;
    }
}

TEST(DataInventory, SoundsAreTheSixteenEffectsAndSixTracks) {
  const char* effects[] = {"button_click.ogg",    "button_play_click.ogg", "button_level_click.ogg",
                           "button_pack_click.ogg", "error.ogg",           "trophie.ogg",
                           "inc_multiplier.ogg",  "bonus_ready.ogg",       "use_bonus_shuffle.ogg",
                           "tile_collapse.ogg",   "tile_select.ogg",       "level_normal.ogg",
                           "level_good.ogg",      "level_excellent.ogg",   "pack_lock_broken.ogg",
                           "money.ogg"};
  for (const char* name : effects) {
    ASSERT_TRUE(hasItem(QOR::kPackAudio, name)) << name;
    qor_test::QS_SOUND_INFO info;
    std::string why;
    ASSERT_TRUE(qor_test::fDecodeOgg(fResourceBytes(name), info, why)) << name << ": " << why;
    EXPECT_GT(info.seconds, 0.03) << name;
    EXPECT_LT(info.seconds, 4.0) << name << " is no short effect";
    EXPECT_GT(info.peak, 0.05f) << name << " is silent";
  }
  for (int track = 1; track <= 6; ++track) {
    const std::string name = "track0" + std::to_string(track) + ".ogg";
    ASSERT_TRUE(hasItem(QOR::kPackAudio, name)) << name;
    qor_test::QS_SOUND_INFO info;
    std::string why;
    ASSERT_TRUE(qor_test::fDecodeOgg(fResourceBytes(name), info, why)) << name << ": " << why;
    EXPECT_GE(info.seconds, 60.0) << name;
    EXPECT_GT(info.peak, 0.05f) << name << " is silent";
  }
}

}  // namespace
