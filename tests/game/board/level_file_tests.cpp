// The level file as the board reads and writes it: presence flags, suits by name, tasks with the
// M.SS time rule, the pack number, hostile numbers, reloading, and a save-then-load round trip.
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using board_test::ChipAt;

namespace {

class LevelFile : public ::testing::Test {
 protected:
  void SetUp() override { board_test::UseShippedMetrics(); }
  void Read(const std::string& text, const std::string& name = "pk1lv1.xml") {
    ASSERT_TRUE(board_test::Load(board, text, name));
  }
  qor_test::LogCapture log;
  MAHJONG_BOARD board;
};

TEST_F(LevelFile, ReadingRules) {
  board.SetOrigin(QOR::QS_VEC2(100.0f, 50.0f));
  Read(
      "<!-- a level --><tiles specsTotal=\"2\">"
      "<tile posx=\"4\" posy=\"2\" level=\"1\" fixed=\"false\" type=\"12\" isbonus=\"no\"/>"
      "<stone posx=\" 3\" posy=\"abc\" isspecial=\"false\"/><!-- not a tile -->"
      "<tile posx=\"nan\" posy=\"1e300\" level=\"-3\"/><tile posx=\"0\" posy=\"0\" level=\"1000\"/>"
      "</tiles><suits flowers=\"0\" dragons=\"\" winds=\"true\"/>"
      "<extratask1 val=\"2.3\" type=\"time\"/><extratask2 val=\"1.5\" type=\"moves\"/>",
      "XML/levels/pk12lv3.xml");
  ASSERT_EQ(board.GetChips().size(), 4u);
  EXPECT_EQ(board.m_pack, 12);
  EXPECT_EQ(board.m_specsTotal, 2);
  const MAHJONG_CHIP* fixed = ChipAt(board, 4, 2, 1);
  ASSERT_NE(fixed, nullptr);
  EXPECT_FLOAT_EQ(fixed->m_position.x, 100.0f + 4 * 30);
  EXPECT_FLOAT_EQ(fixed->m_position.y, 50.0f + 2 * 38);
  EXPECT_TRUE(fixed->m_fixed) << "presence, not value, sets a flag";
  EXPECT_TRUE(fixed->m_isBonus);
  EXPECT_EQ(fixed->m_type, 12);
  const MAHJONG_CHIP* stone = ChipAt(board, 3, 0, 0);
  ASSERT_NE(stone, nullptr) << "any child element of tiles is a tile";
  EXPECT_TRUE(stone->m_isSpecial);
  EXPECT_FALSE(stone->m_fixed);
  // Hostile numbers are bounded: not a number reads 0, huge positions and layers are clamped.
  EXPECT_NE(ChipAt(board, 0, static_cast<int>(MAHJONG_BOARD::kMaxGrid), 0), nullptr);
  EXPECT_NE(ChipAt(board, 0, 0, MAHJONG_BOARD::kMaxLayer), nullptr);
  EXPECT_EQ(board.m_topLayer, MAHJONG_BOARD::kMaxLayer);
  // Suits are mapped by name: flowers and seasons lie in opposite order on the board.
  EXPECT_TRUE(board.isSuitEnabled(MAHJONG_FACES::kSuitFlowers));
  EXPECT_FALSE(board.isSuitEnabled(MAHJONG_FACES::kSuitSeasons));
  EXPECT_TRUE(board.isSuitEnabled(MAHJONG_FACES::kSuitDragons));
  EXPECT_FALSE(board.isSuitEnabled(MAHJONG_FACES::kSuitDigits));
  EXPECT_EQ(board.m_suitCapacity, 4 + 12 + 16);
  EXPECT_EQ(board.m_task1Type, kTaskTime);
  EXPECT_EQ(board.m_task1Value, 149) << "2.3 is 2.29999995 as a float";
  EXPECT_EQ(board.m_task2Type, kTaskMoves);
  EXPECT_EQ(board.m_task2Value, 1);
  EXPECT_TRUE(log.contains("LOADED FROM XML/levels/pk12lv3.xml total chips == 4"));

  // Time values exactly as the rule computes them on the 32-bit float; the writer's texts read
  // back as the seconds they were written from.
  const std::tuple<const char*, int> times[] = {{"1.5", 110}, {"2.31", 150}, {"0.59", 58}, {"-1.3", -89}, {"x", 0}};
  for (const auto& [text, seconds] : times) EXPECT_EQ(MAHJONG_BOARD::TimeTaskSeconds(text), seconds) << text;
  for (int seconds = -120; seconds <= 5400; ++seconds) {
    ASSERT_EQ(MAHJONG_BOARD::TimeTaskSeconds(MAHJONG_BOARD::TimeTaskText(seconds).c_str()), seconds);
  }

  // A reload replaces everything of the old level; a file without suits enables all seven, an
  // empty suits element none; an unreadable file leaves an empty board.
  board.m_hoverChip = board.GetChips()[0];
  board.m_tipChipA = board.GetChips()[1];
  Read(
      "<tiles><tile posx=\"0\" posy=\"0\" level=\"0\"/></tiles><extratask1 val=\"500.7\" type=\"money\"/>"
      "<extratask2 val=\"3\" type=\"gold\"/>",
      "pk3");
  EXPECT_EQ(board.GetChips().size(), 1u);
  EXPECT_EQ(board.m_hoverChip, nullptr);
  EXPECT_EQ(board.m_tipChipA, nullptr);
  EXPECT_EQ(board.m_topLayer, 0);
  EXPECT_EQ(board.m_specsTotal, 0);
  EXPECT_EQ(board.m_pack, 3);
  EXPECT_EQ(board.m_task1Type, kTaskMoney);
  EXPECT_EQ(board.m_task1Value, 500);
  EXPECT_EQ(board.m_task2Type, kTaskNone);
  for (int s = 0; s < MAHJONG_FACES::kSuitCount; ++s) EXPECT_TRUE(board.isSuitEnabled(MAHJONG_FACES::SUIT(s)));
  // A special count below 0 reads as 0, every candidate: a level whose first pair would win it
  // otherwise.
  Read(board_test::LevelText({{0, 0, 0, true}, {4, 0, 0, true}, {8, 0, 0, true}, {12, 0, 0}}, -3));
  EXPECT_EQ(board.m_specsTotal, 0);
  board.AlternBuildPath(false);
  EXPECT_EQ(std::count_if(board.GetChips().begin(), board.GetChips().end(),
                          [](const MAHJONG_CHIP* chip) { return chip->m_isSpecial; }),
            3);
  Read("<tiles/><suits/>");
  for (int s = 0; s < MAHJONG_FACES::kSuitCount; ++s) EXPECT_FALSE(board.isSuitEnabled(MAHJONG_FACES::SUIT(s)));
  pugi::xml_document empty;
  board.ReadLevel(empty, "missing.xml");
  EXPECT_TRUE(board.GetChips().empty());
  EXPECT_EQ(board.m_task1Type, kTaskNone);
  EXPECT_TRUE(board.isSuitEnabled(MAHJONG_FACES::kSuitSeasons));
}

// Saving a board and reading the file back keeps every tile (grid cell, layer, fixed flag, face,
// bonus and special flags), the suits, the special count and both tasks.
TEST_F(LevelFile, SaveThenLoadRoundTrip) {
  board.SetOrigin(QOR::QS_VEC2(41.0f, 25.0f));
  const std::vector<board_test::CELL> cells = {{0, 0, 0, true, false, -1},
                                               {3, 1, 0, false, true, 17},
                                               {2, 0, 1, false, false, 40},
                                               {31, 15, 2, true, true, -1},
                                               {-2, 7, 0, false, false, -1}};
  Read(board_test::LevelText(cells, 1, "digits=\"true\" seasons=\"true\" bamboo=\"true\"",
                             "<extratask1 val=\"3.07\" type=\"time\"/><extratask2 val=\"42\" type=\"money\"/>"));
  ChipAt(board, -2, 7, 0)->m_type = 25;  // a dealt face is saved too
  pugi::xml_document saved;
  board.WriteLevel(saved, board.CurrentLevelSettings());
  std::ostringstream text;
  saved.save(text, "\t", pugi::format_indent);
  EXPECT_EQ(std::string(saved.first_child().name()), "tiles");
  EXPECT_EQ(std::string(saved.first_child().next_sibling().name()), "suits");

  MAHJONG_BOARD copy;
  copy.SetOrigin(board.GetOrigin());
  ASSERT_TRUE(board_test::Load(copy, text.str()));
  ASSERT_EQ(copy.GetChips().size(), cells.size());
  for (const board_test::CELL& cell : cells) {
    const MAHJONG_CHIP* before = ChipAt(board, cell.gx, cell.gy, cell.layer);
    const MAHJONG_CHIP* after = ChipAt(copy, cell.gx, cell.gy, cell.layer);
    ASSERT_NE(after, nullptr) << cell.gx << "," << cell.gy;
    EXPECT_EQ(after->m_fixed, before->m_fixed);
    EXPECT_EQ(after->m_type, before->m_type);
    EXPECT_EQ(after->m_isBonus, cell.bonus);
    EXPECT_EQ(after->m_isSpecial, cell.special);
  }
  for (int s = 0; s < MAHJONG_FACES::kSuitCount; ++s) {
    EXPECT_EQ(copy.isSuitEnabled(MAHJONG_FACES::SUIT(s)), board.isSuitEnabled(MAHJONG_FACES::SUIT(s))) << s;
  }
  EXPECT_EQ(copy.m_specsTotal, 1);
  EXPECT_EQ(copy.m_task1Type, kTaskTime);
  EXPECT_EQ(board.m_task1Value, 186) << "3.07 is 3.06999993 as a float";
  EXPECT_EQ(copy.m_task1Value, 186);
  EXPECT_EQ(copy.m_task2Type, kTaskMoney);
  EXPECT_EQ(copy.m_task2Value, 42);
}

}  // namespace
