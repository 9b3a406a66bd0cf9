// The level editor's view drawn on real OpenGL (SDL's offscreen driver with Mesa) and read back:
// the grid in white from the board's origin, a tile with a fixed face drawn with that face, a tile
// whose face the deal gives showing the editor's marker whole, the menu column, and the open
// picker showing each face's cell of the 9 x 6 atlas.
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"
#include "gui/widgets/qc_image_button.h"
#include "tests/game/board/board_gl_kit.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/gl_readback.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

using board_test::Screen;

class EditorGl : public board_test::BoardGlTest {
 protected:
  const wchar_t* playerName() const override { return L"Designer"; }
  bool withScreenPacks() const override { return false; }

  qor_test::Picture Frame(MAHJONG_LAYOUT& board) {
    EXPECT_EQ(render->BeginScene(), 1);
    board.RenderEditor();
    EXPECT_EQ(render->EndScene(), 0);
    return qor_test::fReadPicture(render->fGetDevice());
  }
};

TEST_F(EditorGl, GridTilesMenuAndPickerOnScreen) {
  MAHJONG_LAYOUT board("2", player.get(), true, 0, nullptr);
  EDITOR_MENU* menu = EDITOR_MENU::Attach(board);
  ASSERT_NE(menu, nullptr);
  const QOR::QS_VEC2 origin = board.GetOrigin();
  const int halfX = tileMetrics.sizeX / 2;
  const int halfY = tileMetrics.sizeY / 2;
  const auto cell = [&](int gx, int gy) {
    return QOR::QS_VEC2(origin.x + static_cast<float>(gx * halfX), origin.y + static_cast<float>(gy * halfY));
  };
  board.PlaceChip(cell(4, 4), 0, false, false, 5);
  board.PlaceChip(cell(10, 4), 0, false, false, EDITOR_MENU::kFreeFace);
  ASSERT_EQ(board.GetChips().size(), 2u);
  // Pixels of the rectangle w x h centred on the place that differ between two pictures.
  const auto differing = [](const qor_test::Picture& a, const qor_test::Picture& b, const QOR::QS_VEC2& at, int w,
                             int h) {
    int count = 0;
    for (int y = Screen(at.y) - h / 2; y <= Screen(at.y) + h / 2; ++y) {
      for (int x = Screen(at.x) - w / 2; x <= Screen(at.x) + w / 2; ++x) count += a.fRgb(x, y) != b.fRgb(x, y) ? 1 : 0;
    }
    return count;
  };

  // The menu's back fills its column.
  const qor_test::Picture withMenu = Frame(board);
  int covered = 0;
  for (int y = 10; y < 760; y += 10) covered += withMenu.fRgb(Screen(160.0f), y) != 0 ? 1 : 0;
  EXPECT_GT(covered, 70);

  // The open picker: each slot shows its face's cell of the 9 x 6 atlas, the picture it gives
  // when framed so by hand, and not the one a 9 x 5 framing gives.
  menu->pickerOpen = true;
  const qor_test::Picture shown = Frame(board);
  for (int face : {10, 22, 40}) {
    QOR::QC_SPRITE* image = menu->pickerSlots[face]->fGetImage();
    const QOR::QS_VEC2 at = menu->pickerSlots[face]->fGetPosition();
    image->fSetFrame(MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, face);
    EXPECT_EQ(differing(shown, Frame(board), at, 22, 36), 0) << "slot " << face;
    image->fSetFrame(MAHJONG_FACES::kAtlasColumns, 5, face);
    EXPECT_GT(differing(shown, Frame(board), at, 22, 36), 40) << "slot " << face;
    image->fSetFrame(MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, face);
  }
  menu->pickerOpen = false;

  // The rest is the board's own part of the view.
  board.m_editorMenuRelease(menu);
  board.m_editorMenu = nullptr;

  const qor_test::Picture picture = Frame(board);

  // A grid line in white where no tile lies (within a pixel of its place), the clear colour
  // inside the cell below it.
  const int lineY = Screen(origin.y + static_cast<float>(6 * tileMetrics.sizeY));
  const int lineX = Screen(origin.x + static_cast<float>(tileMetrics.sizeX) * 2.5f);
  bool white = false;
  for (int dy = -1; dy <= 1; ++dy) white = white || qor_test::fPixelNear(picture, lineX, lineY + dy, 0xFFFFFF, 40);
  EXPECT_TRUE(white) << "horizontal line at y " << lineY;
  const int columnX = Screen(origin.x + static_cast<float>(3 * tileMetrics.sizeX));
  white = false;
  for (int dx = -1; dx <= 1; ++dx) white = white || qor_test::fPixelNear(picture, columnX + dx, lineY + 20, 0xFFFFFF, 40);
  EXPECT_TRUE(white) << "vertical line at x " << columnX;
  EXPECT_TRUE(qor_test::fPixelNear(picture, lineX, lineY + tileMetrics.sizeY / 2, 0));

  // The fixed tile covers its place and is drawn with its own face.
  const QOR::QS_VEC2 layerShift(static_cast<float>(tileMetrics.layer_offsetX),
                                -static_cast<float>(tileMetrics.layer_offsetY));
  MAHJONG_CHIP* fixed = board_test::ChipAt(board, 4, 4, 0);
  ASSERT_NE(fixed, nullptr);
  const QOR::QS_VEC2 fixedAt = fixed->BackPlace() + layerShift;
  EXPECT_GT(differing(picture, qor_test::Picture{}, fixedAt, tileMetrics.sizeX - 4, tileMetrics.sizeY - 4),
            tileMetrics.sizeX * tileMetrics.sizeY / 2)
      << "the tile covers its place";
  fixed->m_type = 6;
  EXPECT_GT(differing(picture, Frame(board), fixedAt, tileMetrics.sizeX - 4, tileMetrics.sizeY - 4), 20)
      << "the face follows the tile's type";
  fixed->m_type = 5;
  EXPECT_EQ(differing(picture, Frame(board), fixedAt, tileMetrics.sizeX - 4, tileMetrics.sizeY - 4), 0);
  // The other shows the free marker, or the blocked one once blocked, over its whole place.
  MAHJONG_CHIP* open = board_test::ChipAt(board, 10, 4, 0);
  ASSERT_NE(open, nullptr);
  ASSERT_TRUE(open->bFreee);
  const QOR::QS_VEC2 openAt = open->BackPlace() + layerShift;
  EXPECT_GT(differing(picture, qor_test::Picture{}, openAt, tileMetrics.sizeX - 4, tileMetrics.sizeY - 4),
            tileMetrics.sizeX * tileMetrics.sizeY / 2);
  open->bFreee = false;
  EXPECT_GT(differing(picture, Frame(board), openAt, tileMetrics.sizeX - 4, tileMetrics.sizeY - 4), 200);
  open->bFreee = true;

}

}  // namespace
