// The level editor program through its own hooks, driven as its loop drives it (update hook, input
// ageing, a frame drawn on the recording device): it starts without a message box, keeps long
// names and backgrounds typed through input events whole, and a level it saves as pk1lv1 is the
// level 1 the real game manager deals.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/editor_menu.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_metrics.h"
#include "game/editor/editor_hooks.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr int kMouseLeft = 1;
constexpr int kSlashKey = 0xBF;  // '/' on a US layout

using CELLS = std::set<std::pair<int, int>>;

// One pass of the editor's loop: the update hook, the input's ageing, a frame.
void Tick() {
  EditorUpdate(0);
  QOR::qcCurrentInput->fUpdate();
  if (QOR::qcRENDER->BeginScene() == 1) {
    EditorRender(0);
    QOR::qcRENDER->EndScene();
  }
}

void ClickAt(float x, float y) {
  QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(x), static_cast<int>(y));
  QOR::qcCurrentInput->fKeyDown(kMouseLeft);
  Tick();
  QOR::qcCurrentInput->fKeyUp(kMouseLeft);
  Tick();
}

void Click(const QOR::QC_IMAGE_BUTTON* button) { ClickAt(button->fGetPosition().x, button->fGetPosition().y); }

// A click at the box's right end (the caret goes behind its text), then each character as its
// key, one tick each.
void TypeInto(QOR::QC_GUI_TEXTBOX* box, const std::string& text) {
  ClickAt(box->fGetPosition().x + box->fGetWidth() / 2.0f - 3.0f, box->fGetPosition().y);
  for (char c : text) {
    const int key = c == '/' ? kSlashKey : (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(key));
    Tick();
    QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(key));
  }
  Tick();
}

// Paints one tile per cell (half tiles from the board's origin).
void Paint(MAHJONG_LAYOUT& board, const CELLS& cells) {
  const QOR::QS_VEC2 origin = board.GetOrigin();
  for (const auto& [gx, gy] : cells) {
    ClickAt(origin.x + static_cast<float>(gx * (tileMetrics.sizeX / 2) + 3),
            origin.y + static_cast<float>(gy * (tileMetrics.sizeY / 2) + 3));
  }
}

// The board's tiles as grid cells (half tiles from the board's origin).
CELLS Cells(const MAHJONG_LAYOUT& board) {
  CELLS cells;
  for (const MAHJONG_CHIP* chip : board.GetChips()) {
    const QOR::QS_VEC2 at = chip->GetCell();
    cells.emplace(static_cast<int>(at.x - board.GetOrigin().x) / (tileMetrics.sizeX / 2),
                  static_cast<int>(at.y - board.GetOrigin().y) / (tileMetrics.sizeY / 2));
  }
  return cells;
}

std::filesystem::path LevelFile(const std::string& name) { return MAHJONG_LEVELS::Folder() + name + ".xml"; }

class EditorProgram : public qor_test::GameServices {
 protected:
  void TearDown() override {
    EditorRelease();
    GameServices::TearDown();
  }
};

TEST_F(EditorProgram, StartsWithoutAMessageBoxAndKeepsLongTypedTextsWhole) {
  qor_test::LogCapture log;
  host_test::fResetMessageBoxCount();
  ASSERT_EQ(EditorInit(0), 1);
  for (int n = 0; n < 3; ++n) Tick();
  EXPECT_EQ(host_test::fMessageBoxCount(), 0);
  EXPECT_FALSE(log.contains("No resource"));
  MAHJONG_LAYOUT* board = EditorBoard();
  ASSERT_NE(board, nullptr);
  EDITOR_MENU* menu = board->m_editorMenu;
  ASSERT_NE(menu, nullptr);

  // Names longer than their boxes scroll in them and are saved whole: two names alike in their
  // first eleven characters are two files.
  Paint(*board, {{4, 4}, {6, 4}});
  TypeInto(menu->levelNameBox, "abcdefghijklmnop");
  TypeInto(menu->backgroundBox, "bgnd/lotusroomwithlanterns");
  Click(menu->saveButton);
  TypeInto(menu->levelNameBox, "q");
  Click(menu->saveButton);
  pugi::xml_document saved;
  ASSERT_TRUE(saved.load_file(LevelFile("abcdefghijklmnop").c_str()));
  EXPECT_STREQ(saved.child("tiles").attribute("background").value(), "data/surfaces/bgnd/lotusroomwithlanterns.png");
  EXPECT_TRUE(std::filesystem::is_regular_file(LevelFile("abcdefghijklmnopq")));
  EXPECT_FALSE(std::filesystem::exists(LevelFile("abcdefghijk")));
  EXPECT_EQ(host_test::fMessageBoxCount(), 0);
}

// The game manager over the same scratch documents folder, after the editor has saved pk1lv1 there.
class EditorToGame : public flow_test::FlowDriver {
 protected:
  void beforeLoad() override {
    ASSERT_EQ(EditorInit(0), 1);
    MAHJONG_LAYOUT* board = EditorBoard();
    ASSERT_NE(board, nullptr);
    Paint(*board, {{2, 2}, {4, 2}, {6, 2}, {8, 2}, {3, 4}, {5, 4}});
    designed = Cells(*board);
    ASSERT_EQ(designed.size(), 6u);
    TypeInto(board->m_editorMenu->levelNameBox, "pk1lv1");
    Click(board->m_editorMenu->saveButton);
    ASSERT_TRUE(std::filesystem::is_regular_file(LevelFile("pk1lv1")));
    EditorRelease();
    QOR::qcGAME->fSetResolution(1024, 768, 0);
  }

  CELLS designed;
};

TEST_F(EditorToGame, ALevelSavedAsPk1lv1IsTheLevelOneTheGameDeals) {
  manager->SavePlayerFile(L"Ann");
  ASSERT_NE(manager->player, nullptr);
  manager->player->m_tutorialShow = false;
  manager->currentPack = 1;
  qor_test::LogCapture log;
  manager->EnterLevel(1);
  EXPECT_TRUE(log.contains("Level pk1lv1.xml read from " + LevelFile("pk1lv1").string()));
  ASSERT_NE(manager->board, nullptr);
  EXPECT_EQ(Cells(*manager->board), designed);
  EXPECT_FALSE(manager->board->isDealDegraded());
}

}  // namespace
