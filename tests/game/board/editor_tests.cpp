// The level editor driven through the real input state on a board in editor mode with its menu:
// painting and erasing on the half-tile grid, the layer keys, the picker and the kinds, moving
// every tile within the grid's strict bounds, a level made in the editor saved to the user's
// folder, loaded back (texts as the file writes them, levels only), and then dealt and played to
// its end by the bot, and Escape asking before unsaved work is lost.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "game/board/editor_menu.h"
#include "game/board/level_lookup.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "host/test_doors.h"
#include "host/win_window.h"
#include "tests/game/board/play_test_kit.h"
#include "tests/kit/other_user.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using board_test::kMouseLeft;
constexpr int kMouseRight = 2;
constexpr int kKeyEscape = QOR::kKeyEscape;
constexpr int kKeyUp = 38;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyOne = 49;
constexpr int kKeyThree = 51;
constexpr int kKeyLayerUp = 107;
constexpr int kKeyLayerDown = 109;
// The suit boxes are in the level file's order.
constexpr int kDotsBox = 1;
constexpr int kSeasonsBox = 6;

// A tile as the level file and the board see it: grid cell in half tiles, layer, kind, face.
using TILE = std::tuple<int, int, int, bool, bool, bool, int>;

class Editor : public board_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    board = std::make_unique<MAHJONG_LAYOUT>("2", player.get(), true, 0, nullptr);
    board->SetRandom(&random);
    menu = EDITOR_MENU::Attach(*board);
    ASSERT_NE(menu, nullptr);
    halfX = tileMetrics.sizeX / 2;
    halfY = tileMetrics.sizeY / 2;
    // The whole grid lies on the screen, right of the menu.
    ASSERT_GE(board->GetOrigin().x, EDITOR_MENU::kMenuRight);
    ASSERT_GE(board->GetOrigin().y, 0.0f);
  }

  // A mouse position inside the cell's snapping square (a few pixels right of and below the cell).
  int X(int gx) const { return static_cast<int>(board->GetOrigin().x) + gx * halfX + 3; }
  int Y(int gy) const { return static_cast<int>(board->GetOrigin().y) + gy * halfY + 5; }
  void Over(int gx, int gy) { Mouse(X(gx), Y(gy)); }
  // Button down over the first cell, held across the others, released after the last.
  void Drag(int button, const std::vector<std::pair<int, int>>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      Over(cells[i].first, cells[i].second);
      if (i == 0) QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(button));
      Tick();
    }
    QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(button));
    Tick();
  }
  void Paint(const std::vector<std::pair<int, int>>& cells) { Drag(kMouseLeft, cells); }
  void Erase(const std::vector<std::pair<int, int>>& cells) { Drag(kMouseRight, cells); }

  // The board's tiles as (cell, layer, kind, face), in a set.
  std::set<TILE> Tiles() const {
    std::set<TILE> tiles;
    for (const MAHJONG_CHIP* chip : board->GetChips()) {
      const QOR::QS_VEC2 at = chip->m_position;
      const int gx = static_cast<int>(at.x - board->GetOrigin().x) / halfX;
      const int gy = static_cast<int>(at.y - board->GetOrigin().y) / halfY;
      EXPECT_EQ(at.x, board->GetOrigin().x + static_cast<float>(gx * halfX)) << "on the half-tile grid";
      EXPECT_EQ(at.y, board->GetOrigin().y + static_cast<float>(gy * halfY)) << "on the half-tile grid";
      tiles.emplace(gx, gy, chip->m_layer, chip->m_isSpecial, chip->m_isBonus, chip->m_fixed,
                    chip->m_fixed ? chip->m_type : -1);
    }
    return tiles;
  }
  // The name typed over the box's text, then the load button.
  void LoadByName(const char* name) {
    menu->levelNameBox->fClearText();
    menu->levelNameBox->fSetTextA(name);
    log.clear();
    Click(menu->loadButton);
  }
  std::filesystem::path LevelPath(const std::string& name) const {
    return documents() / "Greyfern" / "Lantern Tiles" / "levels" / (name + ".xml");
  }

  EDITOR_MENU* menu = nullptr;
  int halfX = 0;
  int halfY = 0;
};

TEST_F(Editor, PaintingPlacesOneTilePerCellOnTheLayerWhereTheDragBegan) {
  MAHJONG_LAYOUT& b = *board;
  // A press held over one cell places one tile; the cursor is snapped to the cell.
  Over(4, 2);
  QOR::qcCurrentInput->fKeyDown(kMouseLeft);
  for (int n = 0; n < 5; ++n) Tick();
  QOR::qcCurrentInput->fKeyUp(kMouseLeft);
  Tick();
  EXPECT_EQ(Tiles(), (std::set<TILE>{{4, 2, 0, false, false, false, -1}}));
  ASSERT_NE(b.m_editorChip, nullptr);
  EXPECT_EQ(b.m_editorChip->m_position.x, b.GetOrigin().x + static_cast<float>(4 * halfX));
  EXPECT_EQ(b.m_editorChip->m_layer, 1) << "the cursor stands on the tile it painted";

  // Across cells: one tile per cell where the cursor stands on layer 0; where it stands on a tile
  // (half a tile off (2, 6), or over (4, 2)) it is on layer 1 and the drag places nothing.
  Paint({{2, 6}, {3, 6}, {4, 6}, {6, 6}, {4, 3}, {8, 6}});
  EXPECT_EQ(Tiles(), (std::set<TILE>{{4, 2, 0, false, false, false, -1},
                                     {2, 6, 0, false, false, false, -1},
                                     {4, 6, 0, false, false, false, -1},
                                     {6, 6, 0, false, false, false, -1},
                                     {8, 6, 0, false, false, false, -1}}));
  EXPECT_EQ(b.m_dropTopLayer, 0);

  // A drag that begins on a tile paints the layer above it; the current and top layers follow.
  // Half a tile on, the cursor stands on the tile just painted, so that cell is skipped.
  Paint({{2, 6}, {3, 6}, {4, 6}});
  EXPECT_EQ(b.m_dropTopLayer, 1);
  EXPECT_EQ(b.m_topLayer, 1);
  EXPECT_EQ(Tiles().count({2, 6, 1, false, false, false, -1}), 1u);
  EXPECT_EQ(Tiles().count({4, 6, 1, false, false, false, -1}), 1u);
  EXPECT_EQ(Tiles().count({3, 6, 1, false, false, false, -1}), 0u);
  EXPECT_EQ(b.GetChips().size(), 7u);

  // The layer keys stay within 0..top layer; layer 1 hidden, the cursor over its tile is on 1.
  Key(kKeyLayerDown);
  Key(kKeyLayerDown);
  EXPECT_EQ(b.m_dropTopLayer, 0);
  Over(3, 6);
  Tick();
  EXPECT_EQ(b.m_editorChip->m_layer, 1);
  Key(kKeyLayerUp);
  Key(kKeyLayerUp);
  EXPECT_EQ(b.m_dropTopLayer, 1);
  Tick();
  EXPECT_EQ(b.m_editorChip->m_layer, 2);

  // The kinds: keys 1 and 3 (and the marker follows), the picker gives a fixed face.
  Key(kKeyOne);
  EXPECT_TRUE(b.m_editorBonus && !b.m_editorSpecial);
  EXPECT_EQ(menu->modeMarker->fGetPosition().x, menu->bonusModeButton->fGetPosition().x - 1.0f);
  Paint({{10, 2}});
  Key(kKeyThree);
  EXPECT_TRUE(!b.m_editorBonus && b.m_editorSpecial);
  Paint({{12, 2}});
  Click(menu->pickerButton);
  ASSERT_TRUE(menu->pickerOpen);
  const std::size_t before = b.GetChips().size();
  Click(menu->pickerSlots[17]);
  EXPECT_FALSE(menu->pickerOpen);
  EXPECT_EQ(menu->pickedType, 17);
  EXPECT_EQ(b.GetChips().size(), before) << "a click on the picker paints nothing";
  Click(menu->normalModeButton);
  EXPECT_TRUE(!b.m_editorBonus && !b.m_editorSpecial);
  Paint({{14, 2}});
  const std::set<TILE> tiles = Tiles();
  EXPECT_EQ(tiles.count({10, 2, 0, false, true, false, -1}), 1u);
  EXPECT_EQ(tiles.count({12, 2, 0, true, false, false, -1}), 1u);
  EXPECT_EQ(tiles.count({14, 2, 0, false, false, true, 17}), 1u);

  // Off the grid there is no cursor and nothing is painted.
  Mouse(static_cast<int>(b.GetOrigin().x) - 5, Y(2));
  QOR::qcCurrentInput->fKeyDown(kMouseLeft);
  Tick();
  QOR::qcCurrentInput->fKeyUp(kMouseLeft);
  Tick();
  EXPECT_EQ(b.m_editorChip, nullptr);
  EXPECT_EQ(b.GetChips().size(), before + 1);
}

TEST_F(Editor, ErasingTakesOnlyTheTileExactlyBelowTheCursor) {
  MAHJONG_LAYOUT& b = *board;
  Paint({{2, 1}, {4, 1}, {6, 1}, {8, 1}});
  Paint({{4, 1}});  // layer 1 on the second tile
  ASSERT_EQ(b.GetChips().size(), 5u);
  MAHJONG_CHIP* top = board_test::ChipAt(b, 4, 1, 1);
  ASSERT_NE(top, nullptr);
  // The cursor over the stack is on layer 2: the drag erases the layer-1 tile and stays on layer
  // 2, so the row below it is kept.
  b.m_hoverChip = top;
  Erase({{4, 1}, {6, 1}, {8, 1}});
  EXPECT_EQ(Tiles(), (std::set<TILE>{{2, 1, 0, false, false, false, -1},
                                     {4, 1, 0, false, false, false, -1},
                                     {6, 1, 0, false, false, false, -1},
                                     {8, 1, 0, false, false, false, -1}}));
  EXPECT_EQ(b.m_hoverChip, nullptr) << "no pointer is left to the erased tile";
  // A cursor half a tile off a tile stands on it but no tile lies exactly below: nothing goes.
  Erase({{7, 1}});
  EXPECT_EQ(b.GetChips().size(), 4u);
  // Exactly over them: the row goes, one per cell; the free flags follow.
  Erase({{8, 1}, {6, 1}});
  EXPECT_EQ(Tiles(),
            (std::set<TILE>{{2, 1, 0, false, false, false, -1}, {4, 1, 0, false, false, false, -1}}));
  EXPECT_TRUE(board_test::ChipAt(b, 4, 1, 0)->bFreee);
  // The clear button empties the board and the layers.
  Paint({{4, 1}});
  Click(menu->clearButton);
  EXPECT_TRUE(b.GetChips().empty());
  EXPECT_EQ(b.m_dropTopLayer, 0);
  EXPECT_EQ(b.m_topLayer, 0);
}

TEST_F(Editor, MovingEveryTileByHalfTilesIsRefusedWholeAtTheGridsEdge) {
  Paint({{2, 2}, {4, 2}});
  Paint({{3, 2}});
  const std::set<TILE> start = Tiles();
  Over(20, 10);
  Key(kKeyRight);
  Key(kKeyDown);
  std::set<TILE> moved;
  for (const TILE& tile : start) {
    TILE shifted = tile;
    std::get<0>(shifted) += 1;
    std::get<1>(shifted) += 1;
    moved.insert(shifted);
  }
  EXPECT_EQ(Tiles(), moved);
  // Two steps left bring the leftmost tile to the grid's first cell; a third would put it on the
  // grid's edge, half off the board, so none moves.
  Key(kKeyLeft);
  Key(kKeyLeft);
  log.clear();
  Key(kKeyLeft);
  EXPECT_TRUE(log.contains("OUT OF BORDERS"));
  std::set<TILE> left;
  for (const TILE& tile : start) {
    TILE shifted = tile;
    std::get<0>(shifted) -= 1;
    std::get<1>(shifted) += 1;
    left.insert(shifted);
  }
  EXPECT_EQ(Tiles(), left);
  // Keys typed into a text box are the box's: the arrows move nothing while one has the focus.
  menu->levelNameBox->fSetActive(true);
  Key(kKeyRight);
  EXPECT_EQ(Tiles(), left);
  menu->levelNameBox->fSetActive(false);
  for (int n = 0; n < 2; ++n) Key(kKeyRight);
  EXPECT_EQ(Tiles(), moved);
}

TEST_F(Editor, ASavedLevelLoadsBackAndDealsAndPlaysToItsEnd) {
  MAHJONG_LAYOUT& b = *board;
  // A pyramid: 4 x 3 tiles, 2 x 1 on them, with two special and two bonus tiles and a fixed pair.
  Paint({{2, 2}, {4, 2}, {6, 2}, {8, 2}});
  Paint({{2, 4}, {4, 4}, {6, 4}, {8, 4}});
  Paint({{2, 6}, {4, 6}, {6, 6}, {8, 6}});
  Paint({{3, 3}, {5, 3}});
  Click(menu->pickerButton);
  Click(menu->pickerSlots[3]);
  Paint({{12, 2}, {14, 2}});
  Click(menu->pickerButton);
  Click(menu->pickerSlots[EDITOR_MENU::kFreeFace]);
  Key(kKeyThree);
  Paint({{12, 6}, {14, 6}});
  Key(kKeyOne);
  Paint({{16, 6}});
  Paint({{18, 6}});
  const std::set<TILE> made = Tiles();
  ASSERT_EQ(made.size(), 20u);

  // The settings: name, two tasks (one kind each), the special count, a background, one suit off.
  menu->levelNameBox->fSetTextA("pyramid");
  menu->taskValueBoxes[0]->fSetTextA("30");
  menu->taskValueBoxes[1]->fSetTextA("2.45");
  Mouse(0, 0);
  Tick();
  // A box takes a press only once the mouse is over it: hover for a tick, then click.
  const auto clickBox = [&](QOR::QC_IMAGE_CHECKBOX* box) {
    const QOR::QS_VEC2 at = box->fGetPosition();
    Mouse(static_cast<int>(at.x), static_cast<int>(at.y));
    Tick();
    ClickAt(static_cast<int>(at.x), static_cast<int>(at.y));
  };
  clickBox(menu->taskKindBoxes[0][EDITOR_MENU::kKindMoney]);
  clickBox(menu->taskKindBoxes[0][EDITOR_MENU::kKindMoves]);
  EXPECT_TRUE(menu->taskKindBoxes[0][EDITOR_MENU::kKindMoves]->isChecked());
  EXPECT_FALSE(menu->taskKindBoxes[0][EDITOR_MENU::kKindMoney]->isChecked()) << "one kind per row";
  EXPECT_FALSE(menu->taskKindBoxes[0][EDITOR_MENU::kKindTime]->isChecked());
  clickBox(menu->taskKindBoxes[1][EDITOR_MENU::kKindTime]);
  clickBox(menu->suitBoxes[kSeasonsBox]);
  EXPECT_FALSE(menu->suitBoxes[kSeasonsBox]->isChecked());
  menu->specialsBox->fSetTextA("2");
  menu->backgroundBox->fSetTextA("bgnd/pyramid");

  // Saved into the user's levels folder, as a level file of the board's tiles and the settings.
  Click(menu->saveButton);
  ASSERT_TRUE(std::filesystem::is_regular_file(LevelPath("pyramid")));
  pugi::xml_document saved;
  ASSERT_TRUE(saved.load_file(LevelPath("pyramid").c_str()));
  EXPECT_EQ(saved.child("tiles").attribute("specsTotal").as_int(), 2);
  EXPECT_STREQ(saved.child("tiles").attribute("background").value(), "data/surfaces/bgnd/pyramid.png");
  EXPECT_EQ(b.m_targetMoves, 30) << "target moves from the task-1 box";
  std::ostringstream text;
  saved.save(text);

  // Cleared, then loaded back by name: the same tiles and the same settings in the boxes.
  Click(menu->clearButton);
  menu->taskValueBoxes[0]->fClearText();
  menu->specialsBox->fClearText();
  menu->suitBoxes[kSeasonsBox]->fSetState(3);
  ASSERT_TRUE(b.GetChips().empty());
  Click(menu->loadButton);
  EXPECT_EQ(Tiles(), made);
  EXPECT_EQ(EDITOR_MENU::TextOf(menu->taskValueBoxes[0]), "30");
  EXPECT_EQ(EDITOR_MENU::TextOf(menu->taskValueBoxes[1]), "2.45");
  EXPECT_TRUE(menu->taskKindBoxes[0][EDITOR_MENU::kKindMoves]->isChecked());
  EXPECT_TRUE(menu->taskKindBoxes[1][EDITOR_MENU::kKindTime]->isChecked());
  EXPECT_EQ(EDITOR_MENU::TextOf(menu->specialsBox), "2");
  EXPECT_EQ(EDITOR_MENU::TextOf(menu->backgroundBox), "bgnd/pyramid");
  EXPECT_FALSE(menu->suitBoxes[kSeasonsBox]->isChecked());
  EXPECT_TRUE(menu->suitBoxes[kDotsBox]->isChecked());
  // Saved again unchanged: the same file.
  Click(menu->saveButton);
  pugi::xml_document again;
  ASSERT_TRUE(again.load_file(LevelPath("pyramid").c_str()));
  std::ostringstream againText;
  again.save(againText);
  EXPECT_EQ(againText.str(), text.str());

  // A name nowhere: the board stays as it is.
  LoadByName("nowhere");
  EXPECT_TRUE(log.contains("File doesn't exist "));
  EXPECT_EQ(Tiles(), made);

  // The level plays: dealt by the game's reader and finished by the bot.
  board = std::make_unique<MAHJONG_LAYOUT>("2", player.get(), false, 0, nullptr);
  board->SetRandom(&random);
  Begin(text.str());
  ASSERT_EQ(board->GetChips().size(), 20u);
  EXPECT_FALSE(board->isDealDegraded());
  board_test::BOARD_BOT bot(*board);
  bot.PlayOut(20000);
  EXPECT_TRUE(board->isLevelFinished());
  EXPECT_FALSE(bot.stuck);
  EXPECT_GE(bot.pairs.size(), 1u);
}

TEST_F(Editor, AnEmptyNameSavesAsDefaultAndAnEmptyTaskGivesTenTargetMoves) {
  Paint({{2, 2}, {4, 2}});
  Click(menu->saveButton);
  ASSERT_TRUE(std::filesystem::is_regular_file(LevelPath("default")));
  EXPECT_EQ(board->m_targetMoves, EDITOR_MENU::kDefaultTargetMoves);
  pugi::xml_document saved;
  ASSERT_TRUE(saved.load_file(LevelPath("default").c_str()));
  EXPECT_FALSE(saved.child("tiles").attribute("specsTotal")) << "an empty box leaves the item out";
  // Loading needs a name; a shipped level of the name is read from the pack.
  Click(menu->loadButton);
  EXPECT_EQ(board->GetChips().size(), 2u);
  // A name is a file of the levels folder: one with a folder part is refused.
  menu->levelNameBox->fSetTextA("../escape");
  log.clear();
  Click(menu->saveButton);
  EXPECT_TRUE(log.contains("level name refused"));
  EXPECT_FALSE(std::filesystem::exists(LevelPath("default").parent_path().parent_path() / "escape.xml"));
  LoadByName("pk1lv1");
  MAHJONG_LAYOUT shipped("2", player.get(), false, 0, nullptr);
  shipped.LoadLevel("pk1lv1.xml");
  EXPECT_EQ(board->GetChips().size(), shipped.GetChips().size());
}

// A name no file can have (told with its reason, the length for one too long), a save that cannot
// be written and a load that finds nothing are told in a box; the log claims no save that did not
// happen. Blanks at either end are no part of a name, as for player names: a name of blanks alone
// is the empty name, which saves as "default" and loads nothing.
TEST_F(Editor, EveryRefusedNameAndFailedSaveOrLoadIsToldOnScreen) {
  Paint({{2, 2}, {4, 2}});  // a level the game plays
  std::filesystem::create_directories(LevelPath("blocked"));  // a folder where the file would go
  const std::wstring longest(MAHJONG_LEVELS::kLongestName, L'n');
  const struct {
    std::wstring typed;
    bool load;
    bool told;         // in a box
    const char* said;  // in the log (the box's text when told)
    std::string file;  // the file saved, empty for none
  } cases[] = {{L"esc", false, false, "SAVED TO ", "esc"},
               {L"esc\x1b", false, true, "a level name must not be empty", ""},
               {L"a/b", false, true, "nor hold / \\ :", ""},
               {L"blocked", false, true, "could not be written", ""},
               {longest + L"n", false, true, "a level name may be at most 244 bytes long, and this one has 245", ""},
               {L"\u00e9" + longest.substr(1), false, true, "and this one has 245", ""},
               {longest, false, false, "SAVED TO ", pugi::as_utf8(longest)},
               {L" \u3000pk1lv9\t\u200b", false, false, "pk1lv9.xml", "pk1lv9"},
               {L"\u00a0 ", false, false, "default.xml", "default"},
               {L"", true, true, "a level name must not be empty", ""},
               {L" \t", true, true, "a level name must not be empty", ""},
               {L"nowhere", true, true, "Level not loaded: no level nowhere could be read", ""},
               {L" esc ", true, false, "Level esc.xml read from", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(pugi::as_utf8(c.typed));
    if (!c.file.empty()) std::filesystem::remove(LevelPath(c.file));
    menu->levelNameBox->fSetText(c.typed);
    host_test::fResetMessageBoxCount();
    log.clear();
    Click(c.load ? menu->loadButton : menu->saveButton);
    EXPECT_EQ(host_test::fMessageBoxCount(), c.told ? 1 : 0);
    EXPECT_TRUE(log.contains(c.said));
    EXPECT_EQ(log.contains("SAVED TO "), !c.file.empty());
    EXPECT_TRUE(c.file.empty() || std::filesystem::is_regular_file(LevelPath(c.file)));
  }
  EXPECT_EQ(board->GetChips().size(), 2u);
}

// Tiles go only where the game counts them as seen: strictly inside the grid ("OUT OF BORDERS"),
// and with three quarters of the face's width and height on the screen and clear of the panel on
// their layer ("OUT OF VIEW"). The cursor tile shows only where a tile can go; moves keep every
// tile there too.
TEST_F(Editor, TilesStayInsideTheGridAndTheGamesViewWhenPaintedOrMoved) {
  MAHJONG_LAYOUT& b = *board;
  const int lastX = tileMetrics.columns * 2 - 1;
  const int lastY = tileMetrics.rows * 2 - 1;
  // The grid's four outer lines (the mouse exactly on the right or bottom one is still over the
  // grid) are no place for a tile: it would hang half off the board.
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{X(0), Y(5)}, {X(5), Y(0)}, {X(lastX + 1) - 3, Y(5)},
                                                              {X(5), Y(lastY + 1) - 5}}) {
    log.clear();
    ClickAt(x, y);
    EXPECT_TRUE(log.contains("OUT OF BORDERS")) << x << ", " << y;
  }
  // Cells of the grid whose tile's face the game would hide by more than a quarter under the eye
  // and the shuffle buttons' corners; a stack in the top row whose tenth tile's face would reach
  // under the top bar.
  for (const auto& [gx, gy] : std::vector<std::pair<int, int>>{{1, lastY}, {3, 14}, {lastX, lastY}, {28, 14}}) {
    log.clear();
    Paint({{gx, gy}});
    EXPECT_TRUE(log.contains("OUT OF VIEW")) << gx << ", " << gy;
    EXPECT_EQ(b.m_editorChip, nullptr) << "no cursor tile over " << gx << ", " << gy;
  }
  EXPECT_TRUE(b.GetChips().empty());
  log.clear();
  for (int n = 0; n < 11; ++n) Paint({{6, 1}});
  EXPECT_EQ(Tiles().size(), 9u);
  EXPECT_TRUE(log.contains("OUT OF VIEW"));
  for (int n = 0; n < 9; ++n) Erase({{6, 1}});
  EXPECT_TRUE(b.GetChips().empty());
  // The outermost cells the game shows take tiles, and then no move is possible in any direction.
  Paint({{1, 1}});
  Paint({{lastX, 13}});
  const std::set<TILE> corners = Tiles();
  ASSERT_EQ(corners.size(), 2u);
  Over(10, 5);
  for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown}) {
    log.clear();
    Key(key);
    EXPECT_TRUE(log.contains("OUT OF BORDERS") || log.contains("OUT OF VIEW")) << key;
    EXPECT_EQ(Tiles(), corners) << key;
  }
  // One tile a cell in from the corner moves to the first cell and no further.
  Erase({{lastX, 13}});
  Erase({{1, 1}});
  ASSERT_TRUE(b.GetChips().empty());
  Paint({{2, 2}});
  Over(10, 5);
  for (int key : {kKeyLeft, kKeyLeft, kKeyUp, kKeyUp}) Key(key);
  EXPECT_EQ(Tiles(), (std::set<TILE>{{1, 1, 0, false, false, false, -1}}));

  // Clicks on one cell stack one tile per layer, as long as the game shows the top one whole: 135
  // clicks never put two tiles on one cell of a layer, nor one the game would hide.
  Erase({{1, 1}});
  for (int n = 0; n < 135; ++n) Paint({{15, 7}});
  const BOARD_VIEW view = b.PlayView();
  const std::set<TILE> stack = Tiles();
  ASSERT_GT(stack.size(), 20u);
  int layer = 0;
  for (const TILE& tile : stack) {
    EXPECT_EQ(std::get<0>(tile), 15);
    EXPECT_EQ(std::get<1>(tile), 7);
    EXPECT_EQ(std::get<2>(tile), layer++) << "one tile per layer, from the bottom up";
    EXPECT_TRUE(view.isSeen(15, 7, std::get<2>(tile)));
  }
  EXPECT_FALSE(view.isSeen(15, 7, layer)) << "the next tile would have been hidden";
  EXPECT_EQ(b.m_dropTopLayer, layer - 1);
}

TEST_F(Editor, LoadingShowsTheFilesOwnTextsAndReadsOnlyLevels) {
  Paint({{2, 2}, {4, 2}});
  // A time of "1.30" (89 whole seconds on the board) and a background beyond ASCII come back in
  // the boxes as they were typed, so a second save writes the same file.
  menu->levelNameBox->fSetTextA("timed");
  menu->taskValueBoxes[0]->fSetTextA("1.30");
  menu->taskKindBoxes[0][EDITOR_MENU::kKindTime]->fSetState(3);
  menu->backgroundBox->fSetText(L"bgnd/Zimmer_\u00e4");
  Click(menu->saveButton);
  const auto bytes = [&](const std::string& name) {
    std::ifstream file(LevelPath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  };
  const std::string first = bytes("timed");
  ASSERT_NE(first.find("val=\"1.30\""), std::string::npos);
  ASSERT_NE(first.find("bgnd/Zimmer_\xc3\xa4.png"), std::string::npos);
  Click(menu->clearButton);
  menu->taskValueBoxes[0]->fClearText();
  menu->backgroundBox->fClearText();
  Click(menu->loadButton);
  EXPECT_EQ(EDITOR_MENU::TextOf(menu->taskValueBoxes[0]), "1.30");
  EXPECT_EQ(menu->backgroundBox->fGetText(), L"bgnd/Zimmer_\u00e4");
  Click(menu->saveButton);
  EXPECT_EQ(bytes("timed"), first);

  // Load looks at levels only: a name of another resource of the game's data finds nothing.
  const std::set<TILE> kept = Tiles();
  ASSERT_EQ(kept.size(), 2u);
  LoadByName("consts");
  EXPECT_TRUE(log.contains("File doesn't exist "));
  EXPECT_EQ(Tiles(), kept);
  // A designer's copy that does not parse is refused, not passed over for the shipped level.
  std::ofstream(LevelPath("pk1lv2"), std::ios::binary) << "<tiles><tile posx=";
  LoadByName("pk1lv2");
  EXPECT_TRUE(log.contains("Level pk1lv2.xml not read from "));
  EXPECT_EQ(Tiles(), kept);
}

TEST_F(Editor, EscapeAndLoadAskBeforeUnsavedWorkIsLost) {
  MAHJONG_LAYOUT& b = *board;
  // Nothing made yet: Escape quits at once.
  QOR::qcGAME->_running = 1;
  host_test::fResetMessageBoxCount();
  Key(kKeyEscape);
  EXPECT_EQ(QOR::qcGAME->_running, 0);
  EXPECT_EQ(host_test::fMessageBoxCount(), 0);
  // Tiles painted: Escape asks; Cancel keeps the editor and its board.
  QOR::qcGAME->_running = 1;
  Paint({{4, 4}, {6, 4}});
  host_test::fSetMessageBoxAnswer(IDCANCEL);
  log.clear();
  Key(kKeyEscape);
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_TRUE(log.contains("not saved"));
  EXPECT_EQ(QOR::qcGAME->_running, 1);
  EXPECT_EQ(b.GetChips().size(), 2u);
  // Saved, Escape quits without asking; a setting changed since is unsaved work too, and OK
  // leaves without saving it.
  Click(menu->saveButton);
  Key(kKeyEscape);
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_EQ(QOR::qcGAME->_running, 0);
  QOR::qcGAME->_running = 1;
  menu->specialsBox->fSetTextA("1");
  host_test::fSetMessageBoxAnswer(IDOK);
  Key(kKeyEscape);
  EXPECT_EQ(host_test::fMessageBoxCount(), 2);
  EXPECT_EQ(QOR::qcGAME->_running, 0);

  // Load asks as well before another level takes the board's place: Cancel keeps the board and
  // its unsaved work (Escape still asks); OK loads, and the loaded level counts as unchanged.
  QOR::qcGAME->_running = 1;
  menu->specialsBox->fClearText();
  Paint({{8, 4}, {10, 4}});
  host_test::fSetMessageBoxAnswer(IDCANCEL);
  LoadByName("default");
  EXPECT_EQ(host_test::fMessageBoxCount(), 3);
  EXPECT_TRUE(log.contains("level default not loaded: the changes are kept"));
  EXPECT_EQ(b.GetChips().size(), 4u);
  Key(kKeyEscape);
  EXPECT_EQ(host_test::fMessageBoxCount(), 4);
  EXPECT_EQ(QOR::qcGAME->_running, 1);
  host_test::fSetMessageBoxAnswer(IDOK);
  LoadByName("default");
  EXPECT_EQ(host_test::fMessageBoxCount(), 5);
  EXPECT_EQ(b.GetChips().size(), 2u);
  LoadByName("default");
  Key(kKeyEscape);
  EXPECT_EQ(host_test::fMessageBoxCount(), 5) << "nothing changed since the load: no question";
  EXPECT_EQ(QOR::qcGAME->_running, 0);
}

// The save tells in a box what the game would refuse of the level, and saves it all the same:
// the designer's work is kept, and learns what to mend. A level the game plays is saved silently.
TEST_F(Editor, ASaveTellsWhyTheGameWouldRefuseTheLevelAndSavesItAllTheSame) {
  constexpr int kPlain = EDITOR_MENU::kFreeFace;
  const struct {
    std::vector<std::pair<int, int>> cells;  // painted in turn (a cell again stacks a tile on it)
    std::vector<int> faces;                  // the picked face of each, plain when missing
    int specials;                            // the first tiles painted as special
    const char* specialsBox;
    const char* said;  // the box's text, empty for none
  } cases[] = {
      {{{2, 2}, {4, 2}}, {}, 0, "", ""},
      {{{2, 2}, {4, 2}, {6, 2}, {8, 2}}, {kPlain, 5, kPlain, 5}, 1, "1", ""},
      {{{2, 2}}, {}, 0, "", "an odd number of tiles (1)"},
      {{{2, 2}, {4, 2}, {6, 2}}, {}, 0, "", "an odd number of tiles (3)"},
      {{{8, 4}, {8, 4}}, {}, 0, "", "the deal cannot pair 2 of its 2 tiles"},
      {{{2, 2}, {4, 2}}, {3, 4}, 0, "", "the deal cannot pair 2 of its 2 tiles"},
      {{{2, 2}, {6, 2}}, {}, 1, "2", "2 special tiles asked for, but only 1 tiles may be special"},
      {{}, {}, 0, "", "no tiles"}};
  int number = 0;
  for (const auto& c : cases) {
    const std::string name = "made" + std::to_string(++number);
    SCOPED_TRACE(name);
    Click(menu->clearButton);
    for (std::size_t i = 0; i < c.cells.size(); ++i) {
      Key(static_cast<int>(i) < c.specials ? kKeyThree : '2');
      menu->pickedType = i < c.faces.size() ? c.faces[i] : kPlain;
      Paint({c.cells[i]});
    }
    ASSERT_EQ(board->GetChips().size(), c.cells.size());
    menu->specialsBox->fSetTextA(c.specialsBox);
    menu->levelNameBox->fSetTextA(name.c_str());
    host_test::fResetMessageBoxCount();
    log.clear();
    Click(menu->saveButton);
    EXPECT_TRUE(std::filesystem::is_regular_file(LevelPath(name)));
    EXPECT_EQ(host_test::fMessageBoxCount(), *c.said != '\0' ? 1 : 0);
    EXPECT_TRUE(log.contains("Level saved to " + LevelPath(name).string() + ", but the game will not play it: " +
                             c.said) ||
                *c.said == '\0');
    // The game's check of the saved file says the same.
    pugi::xml_document saved;
    ASSERT_TRUE(saved.load_file(LevelPath(name).c_str()));
    const std::string problem = MAHJONG_LEVELS::PlayProblem(saved, board->PlayView());
    EXPECT_EQ(problem.substr(0, std::strlen(c.said)), c.said);
    EXPECT_EQ(problem.empty(), *c.said == '\0');
  }
}

TEST_F(Editor, TheMenusCaptionsStayInsideItsColumnAndOverlapNothing) {
  // Each caption's ink box, measured through the menu font's own metrics.
  struct BOX {
    float left, top, right, bottom;
    std::wstring what;
  };
  std::vector<BOX> boxes;
  for (const EDITOR_MENU::CAPTION& caption : menu->Captions()) {
    int top = 1 << 20;
    int bottom = -(1 << 20);
    for (wchar_t c : caption.text) {
      const QOR::QC_GLYPH* glyph = menu->font->fFindGlyph(static_cast<int>(c));
      ASSERT_NE(glyph, nullptr) << "the font draws every character of " << pugi::as_utf8(caption.text);
      top = std::min(top, glyph->_yOffset);
      bottom = std::max(bottom, glyph->_yOffset + glyph->_height);
    }
    const float width = static_cast<float>(menu->font->fGetLineWidthW(caption.text.c_str())) * caption.scale;
    boxes.push_back({caption.x, caption.y + static_cast<float>(top) * caption.scale, caption.x + width,
                     caption.y + static_cast<float>(bottom) * caption.scale, caption.text});
    EXPECT_GE(caption.scale, 0.5f) << "readable: " << pugi::as_utf8(caption.text);
    EXPECT_LE(caption.x + width, EDITOR_MENU::kMenuRight) << pugi::as_utf8(caption.text);
    EXPECT_GE(caption.x, EDITOR_MENU::kMenuLeft) << pugi::as_utf8(caption.text);
  }
  // Seven suit names, two task captions, the background's, and the specials caption's two lines.
  ASSERT_EQ(boxes.size(), 12u);
  for (QOR::QC_GUI_TEXTBOX* box : {menu->levelNameBox, menu->taskValueBoxes[0], menu->taskValueBoxes[1],
                                   menu->backgroundBox, menu->specialsBox}) {
    const QOR::QS_VEC2 at = box->fGetPosition();
    boxes.push_back({at.x - box->fGetWidth() / 2.0f, at.y - box->fGetHeight() / 2.0f, at.x + box->fGetWidth() / 2.0f,
                     at.y + box->fGetHeight() / 2.0f, L"a text box"});
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const BOX& a = boxes[i];
      const BOX& b = boxes[j];
      const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
      EXPECT_TRUE(apart) << pugi::as_utf8(a.what) << " overlaps " << pugi::as_utf8(b.what);
    }
  }
  // The board's grid lies beyond the column.
  EXPECT_GE(board->GetOrigin().x, EDITOR_MENU::kMenuRight);
}

// Its folders are made as the game's are: where another user's link stands at Greyfern or at
// Lantern Tiles, nothing is made where it points, and the box says why the level was not saved.
TEST_F(Editor, ASaveMakesNothingThroughAnotherUsersLink) {
  namespace fs = std::filesystem;
  const fs::path greyfern = documents() / "Greyfern";
  const fs::path theirs = documents() / "theirs";
  fs::create_directory(theirs);
  fs::permissions(documents(), fs::perms::all | fs::perms::sticky_bit);
  for (const fs::path& link : {greyfern, greyfern / "Lantern Tiles"}) {
    fs::remove_all(greyfern);
    // The player's own Greyfern is open to the other user only while the link is planted.
    if (link != greyfern) {
      fs::create_directory(greyfern);
      fs::permissions(greyfern, fs::perms::all);
    }
    qor_test::OtherUser other;
    ASSERT_EQ(other.fRun([&] { return ::symlink(theirs.c_str(), link.c_str()); }), 0);
    if (link != greyfern) fs::permissions(greyfern, fs::perms::owner_all);
    host_test::fResetMessageBoxCount();
    Click(menu->saveButton);
    EXPECT_EQ(host_test::fMessageBoxCount(), 1);
    // Played by this user, another's folder is found before the link.
    const std::string cause = qor_test::OtherUser::isReal() || link == greyfern
                                  ? link.string() + " is a link another user owns"
                                  : greyfern.string() + " belongs to another user";
    EXPECT_TRUE(log.contains(" could not be written: " + cause)) << log.text();
    EXPECT_TRUE(fs::is_empty(theirs)) << link;
  }
}

}  // namespace
