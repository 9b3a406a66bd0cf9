// A level loaded from the real pack, dealt and drawn with its panel on real OpenGL (SDL's
// offscreen driver with Mesa), read back and sampled: tile faces show their atlas cell, the blocked
// overlay darkens a blocked tile once faded in, the panel covers its bands and not the board.
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"
#include "tests/game/board/board_gl_kit.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/gl_readback.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

using board_test::Screen;

// The ARGB of a texture's pixel, whichever byte order the texture keeps (0 when unreadable).
std::uint32_t TexturePixel(QOR::QC_TEXTURE_INFO* image, int x, int y) {
  IDirect3DTexture9* texture = image != nullptr ? image->fGetTexture() : nullptr;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &desc)) ||
      FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
    return 0;
  }
  const auto* p = static_cast<const std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(y) * locked.Pitch +
                  static_cast<std::ptrdiff_t>(x) * 4;
  const bool rgba = desc.Format == D3DFMT_A8B8G8R8;
  const std::uint32_t argb = (static_cast<std::uint32_t>(p[3]) << 24) |
                             (static_cast<std::uint32_t>(rgba ? p[0] : p[2]) << 16) |
                             (static_cast<std::uint32_t>(p[1]) << 8) | (rgba ? p[2] : p[0]);
  texture->UnlockRect(0);
  return argb;
}

class BoardGl : public board_test::BoardGlTest {
 protected:
  const wchar_t* playerName() const override { return L"Painter"; }

  qor_test::Picture Frame(MAHJONG_LAYOUT& board, bool withPanel) {
    EXPECT_EQ(render->BeginScene(), 1);
    board.Render(false, nullptr, nullptr);
    if (withPanel) board.RenderHud(board.GetFont());
    EXPECT_EQ(render->EndScene(), 0);
    return qor_test::fReadPicture(render->fGetDevice());
  }
};

TEST_F(BoardGl, DealtLevelAndPanelOnScreen) {
  MAHJONG_LAYOUT board("2", player.get(), false, 0, nullptr);
  board.LoadLevel("pk1lv1.xml");
  board.AlternBuildPath(false);
  board.UpdateAllFree();
  ASSERT_EQ(board.GetChips().size(), 26u);
  board.GetPanel()->SettleOnScreen();

  const qor_test::Picture plain = Frame(board, false);
  // A free tile of the top layer shows the centre of its face cell.
  const MAHJONG_CHIP* top = board_test::ChipAt(board, 14, 8, 2);
  ASSERT_NE(top, nullptr);
  ASSERT_TRUE(top->bFreee);
  QOR::QC_TEXTURE_INFO* atlas = board.GetAtlasImage();
  const int cellW = atlas->fGetWidth() / 9;
  const int cellH = atlas->fGetHeight() / 6;
  const std::uint32_t face =
      TexturePixel(atlas, (top->m_type % 9) * cellW + cellW / 2, (top->m_type / 9) * cellH + cellH / 2);
  ASSERT_EQ(face >> 24, 0xFFu) << "the face cell's centre is opaque";
  const QOR::QS_VEC2 faceAt = top->BackPlace() + QOR::QS_VEC2(6.0f, -6.0f);
  EXPECT_TRUE(qor_test::fPixelNear(plain, Screen(faceAt.x), Screen(faceAt.y), face & 0xFFFFFF));
  // Where no tile lies the clear colour shows.
  EXPECT_TRUE(
      qor_test::fPixelNear(plain, Screen(board.GetOrigin().x + 20.0f), Screen(board.GetOrigin().y + 560.0f), 0));

  // The blocked overlay is invisible until faded in; then a blocked tile is drawn darker.
  const MAHJONG_CHIP* blocked = board_test::ChipAt(board, 16, 8, 2);
  ASSERT_NE(blocked, nullptr);
  ASSERT_FALSE(blocked->bFreee);
  const QOR::QS_VEC2 blockedAt = blocked->BackPlace() + QOR::QS_VEC2(6.0f, -6.0f);
  const std::uint32_t light = plain.fRgb(Screen(blockedAt.x), Screen(blockedAt.y));
  board.m_blockedOverlay->fSetColor(0xFFFFFFFFu);
  const qor_test::Picture darkened = Frame(board, false);
  const std::uint32_t dark = darkened.fRgb(Screen(blockedAt.x), Screen(blockedAt.y));
  const auto sum = [](std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF); };
  EXPECT_LT(sum(dark) + 30, sum(light)) << std::hex << dark << " over " << light;
  EXPECT_TRUE(qor_test::fPixelNear(darkened, Screen(faceAt.x), Screen(faceAt.y), face & 0xFFFFFF))
      << "a free tile stays";
  board.m_blockedOverlay->fSetColor(0x00FFFFFFu);

  // The panel covers its top band and the lower corners; the board between stays as it was.
  const qor_test::Picture withPanel = Frame(board, true);
  const auto changed = [&](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; y += 2)
      for (int x = x0; x < x1; x += 2) count += plain.fRgb(x, y) != withPanel.fRgb(x, y) ? 1 : 0;
    return count;
  };
  EXPECT_GT(changed(0, 0, 1024, 60), 2000) << "top row";
  EXPECT_GT(changed(0, 668, 130, 768), 300) << "skill slot";
  EXPECT_GT(changed(894, 668, 1024, 768), 300) << "bonus slot";
  EXPECT_TRUE(qor_test::fPixelNear(withPanel, Screen(faceAt.x), Screen(faceAt.y), face & 0xFFFFFF));
  EXPECT_EQ(changed(Screen(board.GetOrigin().x + 100.0f), 250, Screen(board.GetOrigin().x + 860.0f), 600), 0);

  if (const char* dump = std::getenv("QOR_BOARD_GL_DUMP")) {
    const auto png = image_bytes::fPng(withPanel.width, withPanel.height, withPanel.rgba);
    std::ofstream(dump, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
}

}  // namespace
