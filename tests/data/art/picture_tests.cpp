// The picture steps: every listed picture is drawn at its listed size, the tile atlas and the
// strips have the shapes the game draws them with, and a second run gives the same bytes.
#include "tests/data/art/image_probe.h"
#include "tests/kit/scratch_folder.h"
#include "tools/data/art/art_list.h"
#include "tools/data/art/art_steps.h"
#include "tools/data/resource_layout.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using qor_test::fReadImage;
using qor_test::QS_IMAGE;

class PictureSteps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = std::make_unique<qor_test::ScratchDir>();
    ASSERT_TRUE(folder->fCreate("qor_art_pictures_"));
    results[0] = QOR::fMakeTiles(folder->fPath() / QOR::kStepTiles);
    results[1] = QOR::fMakePictures(folder->fPath() / QOR::kStepPictures);
    results[2] = QOR::fMakeLevelBackgrounds(folder->fPath() / QOR::kStepLevelBacks);
  }
  static void TearDownTestSuite() { folder.reset(); }

  static QS_IMAGE image(const char* step, const std::string& file) {
    return fReadImage(folder->fPath() / step / file);
  }

  static inline std::unique_ptr<qor_test::ScratchDir> folder;
  static inline int results[3] = {-1, -1, -1};
};

TEST_F(PictureSteps, EveryListedPictureIsDrawnAtItsSize) {
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 0);
  EXPECT_EQ(results[2], 0);
  int checked = 0;
  for (const QOR::QS_DATA_ITEM& item : QOR::fArtList()) {
    if (item.step != QOR::kStepTiles && item.step != QOR::kStepPictures && item.step != QOR::kStepLevelBacks) continue;
    const QS_IMAGE picture = image(item.step.c_str(), item.file);
    ASSERT_TRUE(picture.isValid()) << item.file;
    EXPECT_EQ(picture.width, item.width) << item.file;
    EXPECT_EQ(picture.height, item.height) << item.file;
    ++checked;
  }
  EXPECT_GT(checked, 250);
}

TEST_F(PictureSteps, TileAtlasPutsFacesOnTheTopSurfaceOfTheBacks) {
  const int cw = QOR::kTileCellX;
  const int ch = QOR::kTileCellY;
  const int lox = QOR::kLayerOffsetX;
  const int loy = QOR::kLayerOffsetY;
  for (const char* pic : QOR::kTileSetPictures) {
    const QS_IMAGE atlas = image(QOR::kStepTiles, pic);
    ASSERT_TRUE(atlas.isValid()) << pic;
    for (int face = 0; face < 42; ++face) {
      const int x0 = (face % 9) * cw;
      const int y0 = (face / 9) * ch;
      // The face sits centred in its cell: the margins the game shifts away stay clear.
      EXPECT_EQ(atlas.fAlpha(x0 + 1, y0 + 1), 0) << pic << " face " << face;
      EXPECT_EQ(atlas.fAlpha(x0 + cw - 2, y0 + ch - 2), 0) << pic << " face " << face;
      int ink = 0;
      for (int y = loy; y < ch - loy; ++y) {
        for (int x = lox; x < cw - lox; ++x) ink += atlas.fAlpha(x0 + x, y0 + y) > 128;
      }
      EXPECT_GT(ink, 40) << pic << " face " << face << " is nearly empty";
    }
    for (int back = 42; back <= 44; ++back) {
      const int x0 = (back % 9) * cw;
      const int y0 = (back / 9) * ch;
      // The top surface at the top right is opaque and light; the cell's bottom-left corner,
      // beyond the body, is clear.
      EXPECT_EQ(atlas.fAlpha(x0 + 2 * lox + QOR::kTileSizeX / 2, y0 + QOR::kTileSizeY / 2), 255);
      EXPECT_GT(atlas.fChannel(x0 + 2 * lox + QOR::kTileSizeX / 2, y0 + QOR::kTileSizeY / 2, 0), 200);
      EXPECT_EQ(atlas.fAlpha(x0 + 1, y0 + ch - 2), 0);
    }
    // The shadow is a translucent silhouette.
    const int sx = (45 % 9) * cw + cw / 2;
    const int sy = (45 / 9) * ch + ch / 2;
    EXPECT_GT(atlas.fAlpha(sx, sy), 40);
    EXPECT_LT(atlas.fAlpha(sx, sy), 220);
  }
}

TEST_F(PictureSteps, StripsShowTheirStatesAndFramesShowThroughTheMiddle) {
  // A pack button is a frame: its picture shows through the middle, darkened when locked.
  const QS_IMAGE pack = image(QOR::kStepPictures, "Pack_button.png");
  ASSERT_TRUE(pack.isValid());
  const int cell = pack.width / 5;
  EXPECT_EQ(pack.fAlpha(cell / 2, pack.height / 2 + 30), 0);
  EXPECT_GT(pack.fAlpha(4 * cell + cell / 2, pack.height / 2 + 30), 100);
  EXPECT_GT(pack.fAlpha(3, pack.height / 2), 200);
  // Hovered cells are brighter than normal ones, inactive ones greyer.
  const QS_IMAGE play = image(QOR::kStepPictures, "PlayButton.png");
  ASSERT_TRUE(play.isValid());
  const int pc = play.width / 5;
  auto green = [&](int state) { return play.fChannel(state * pc + pc / 2, play.height / 2 + pc / 3, 1); };
  auto red = [&](int state) { return play.fChannel(state * pc + pc / 2, play.height / 2 + pc / 3, 0); };
  EXPECT_GT(green(1), green(0));
  EXPECT_LT(green(2), green(0));
  EXPECT_LT(green(4) - red(4), green(0) - red(0));
  // A checked tile-set box is drawn over its normal cell: its middle is clear.
  const QS_IMAGE box = image(QOR::kStepTiles, "classic.png");
  ASSERT_TRUE(box.isValid());
  EXPECT_EQ(box.fAlpha(3 * (box.width / 5) + box.width / 10, box.height / 2), 0);
  EXPECT_GT(box.fAlpha(box.width / 10, box.height / 2), 200);
}

TEST_F(PictureSteps, RingSheetsFillFromEmptyToFull) {
  const QS_IMAGE ring = image(QOR::kStepPictures, "mult_back.png");
  ASSERT_TRUE(ring.isValid());
  const int cell = ring.width / 5;
  // The top of the ring (where filling starts) is lit at frame 32 and not at frame 0; frame 16
  // lights the right side but not the left.
  auto lit = [&](int frame, int dx, int dy) {
    const int x = (frame % 5) * cell + cell / 2 + dx;
    const int y = (frame / 5) * cell + cell / 2 + dy;
    return ring.fChannel(x, y, 1) > 150;
  };
  const int r = cell / 2 - 5;
  EXPECT_FALSE(lit(0, 3, -r));
  EXPECT_TRUE(lit(32, 3, -r));
  EXPECT_TRUE(lit(16, r, 0));
  EXPECT_FALSE(lit(16, -r, 0));
}

TEST_F(PictureSteps, ASecondRunGivesTheSameBytes) {
  qor_test::ScratchDir again;
  ASSERT_TRUE(again.fCreate("qor_art_pictures_again_"));
  ASSERT_EQ(QOR::fMakeTiles(again.fPath()), 0);
  for (const QOR::QS_DATA_ITEM& item : QOR::fArtList()) {
    if (item.step != QOR::kStepTiles) continue;
    const auto first = qor_test::fFileBytes(folder->fPath() / QOR::kStepTiles / item.file);
    EXPECT_FALSE(first.empty()) << item.file;
    EXPECT_EQ(first, qor_test::fFileBytes(again.fPath() / item.file)) << item.file;
  }
}

}  // namespace
