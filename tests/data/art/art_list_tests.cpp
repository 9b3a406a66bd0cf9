// The art list: names, places and frame layouts as the game looks them up and cuts them.
#include "tools/data/art/art_list.h"
#include "tools/data/resource_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

using QOR::DATA_KIND;
using QOR::QS_DATA_ITEM;

const QS_DATA_ITEM* find(const std::string& entry) {
  for (const QS_DATA_ITEM& item : QOR::fArtList()) {
    if (item.entry == entry) return &item;
  }
  return nullptr;
}

TEST(ArtList, NamesArePlacedAsTheGameLooksThemUp) {
  std::set<std::string> files;
  for (const QS_DATA_ITEM& item : QOR::fArtList()) {
    EXPECT_TRUE(files.insert(item.step + "/" + item.file).second) << "staged twice: " << item.file;
    EXPECT_EQ(item.entry.find(' '), std::string::npos) << item.entry;
    const std::string lookup = item.lookup.empty() ? item.entry : item.lookup;
    const std::size_t blanks = static_cast<std::size_t>(std::count(lookup.begin(), lookup.end(), ' '));
    if (item.location == QOR::kFolderEditor || item.location == QOR::kFolderButtons ||
        item.location == QOR::kFolderLabels) {
      // "pack entry": the folder exactly as registered, one blank, the bare file name.
      EXPECT_EQ(blanks, 1u) << lookup;
      EXPECT_EQ(lookup, std::string(item.location) + " " + item.entry);
    } else {
      EXPECT_EQ(blanks, 0u) << lookup;
    }
    // A name with '/' can only be an archive entry.
    if (item.entry.find('/') != std::string::npos) {
      EXPECT_EQ(item.location, std::string(QOR::kPackSurfaces)) << item.entry;
    }
  }
  // The splash pictures are opened by path from Resources itself.
  ASSERT_NE(find("spl1.jpg"), nullptr);
  EXPECT_EQ(find("spl1.jpg")->location, "");
  // Names that differ only by case are both there ("Board.png" frames the selection, "board.png"
  // marks the tip).
  EXPECT_NE(find("Board.png"), nullptr);
  EXPECT_NE(find("board.png"), nullptr);
}

TEST(ArtList, EveryCountTheGameNamesIsThere) {
  int effects = 0;
  int tracks = 0;
  int levelBacks = 0;
  int trophies = 0;
  for (const QS_DATA_ITEM& item : QOR::fArtList()) {
    effects += item.kind == DATA_KIND::SOUND;
    tracks += item.kind == DATA_KIND::MUSIC;
    levelBacks += item.entry.rfind("bgnd/Levels/", 0) == 0;
    trophies += item.location == std::string(QOR::kPackTrophies);
  }
  EXPECT_EQ(effects, 16);
  EXPECT_EQ(tracks, 6);
  EXPECT_EQ(levelBacks, 120);
  EXPECT_EQ(trophies, 27);  // 26 and the concealed look
  EXPECT_EQ(QOR::fLevelBackground(3, 12), "bgnd/Levels/3/12.png");
  EXPECT_EQ(QOR::fTrophyPicture(7), "trophy_07.png");
}

TEST(ArtList, FrameLayoutsMatchTheWaysTheGameCutsThem) {
  for (const QS_DATA_ITEM& item : QOR::fArtList()) {
    if (item.kind != DATA_KIND::IMAGE || item.width == 0) continue;
    if (item.frames == 2 || item.frames == 5 || item.frames == 20) {
      EXPECT_EQ(item.width % item.frames, 0) << item.entry;
    }
  }
  // Tile atlases: 9 x 6 cells of (size + two layer offsets).
  for (const char* pic : QOR::kTileSetPictures) {
    const QS_DATA_ITEM* atlas = find(pic);
    ASSERT_NE(atlas, nullptr);
    EXPECT_EQ(atlas->width, 9 * QOR::kTileCellX);
    EXPECT_EQ(atlas->height, 6 * QOR::kTileCellY);
  }
  // Ring sheets: 5 x 7 cells of the size the panel gives them.
  EXPECT_EQ(find("mult_back.png")->width, 5 * 66);
  EXPECT_EQ(find("mult_back.png")->height, 7 * 66);
  EXPECT_EQ(find("Bonus_progres.png")->width, 5 * 70);
  EXPECT_EQ(find("Bonus_progres.png")->height, 7 * 70);
  // The title and players buttons are sized to their 207 x 71 hit areas.
  EXPECT_EQ(find("QuitButtin.png")->width, 5 * 207);
  EXPECT_EQ(find("QuitButtin.png")->height, 71);
  // The selection frame and the tip frame follow the tile metrics.
  EXPECT_EQ(find("Board.png")->width, 2 * QOR::kLayerOffsetX + QOR::kTileSizeX);
  EXPECT_EQ(find("board.png")->height, 4 * QOR::kLayerOffsetY + QOR::kTileSizeY);
}

}  // namespace
