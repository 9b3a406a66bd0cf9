// The drawn board over the real Resources on the recording device: switching the tile set, the
// ownership of chips across reloads, flights, dropped chips and destruction (run under the
// address sanitizer too), the effect keys, saving a level file, and the editor's placement.
#include "engine/platform/qc_random.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_game.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"
#include "host/test_doors.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/file_bytes.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/named_pipe.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

int CountLines(const qor_test::LogCapture& log, const std::string& line) {
  const std::vector<std::string> lines = log.lines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

class LayoutTest : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    // The packs the game manager registers.
    QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
    QOR::QC_GAME::fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
    QOR::QC_GAME::fAddPack("data/tiles", MAHJONG_PACKS::kTiles);
    QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
    QOR::QC_GAME::fAddPack("data/btns", MAHJONG_PACKS::kButtons);
    QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
    player = std::make_unique<MAHJONG_PLAYER>((documents() / "player.xml").string(), L"Tester");
    layout = std::make_unique<MAHJONG_LAYOUT>("2", player.get(), false, 0, nullptr);
    layout->SetRandom(&random);
  }
  void TearDown() override {
    layout.reset();
    GameServices::TearDown();
  }
  // Loads and deals a level, free flags fresh.
  void Deal(const std::string& name) {
    layout->LoadLevel(name);
    layout->AlternBuildPath(false);
    layout->UpdateAllFree();
  }

  qor_test::LogCapture log;
  QOR::QC_RANDOM random{2024};
  std::unique_ptr<MAHJONG_PLAYER> player;
  std::unique_ptr<MAHJONG_LAYOUT> layout;
};

// A new tile set keeps every sprite (chips point at the face atlas) and swaps the textures, the
// blocked overlay's too, keeping its colour; the old picture is released.
TEST_F(LayoutTest, TileSetSwitchSwapsTextures) {
  MAHJONG_LAYOUT& board = *layout;
  Deal("pk1lv1.xml");
  QOR::QC_TEXTURE_INFO* classic = board.GetAtlasImage();
  ASSERT_NE(classic, nullptr);
  EXPECT_EQ(tileMetrics.sizeX, 60);
  QOR::QC_SPRITE* const sprites[] = {board.GetFaceAtlas(),     board.m_normalBack,         board.m_bonusBack,
                                     board.m_specialBack,      board.m_shadowSprite,       board.m_blockedOverlay,
                                     board.m_editorFreeSprite, board.m_editorBlockedSprite};
  for (QOR::QC_SPRITE* sprite : sprites) ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(board.m_blockedOverlay->fGetVertexColor(0), 0x00FFFFFFu);
  EXPECT_FLOAT_EQ(board.GetFaceAtlas()->fGetWidth(), static_cast<float>(classic->fGetWidth() / 9));

  QOR::QC_TEXTURE_INFO* cards = board.LoadTilesXml("3");
  ASSERT_NE(cards, nullptr);
  EXPECT_NE(cards, classic);
  EXPECT_TRUE(log.contains("Fully unscribe tiles_classic.png"));
  EXPECT_EQ(board.GetFaceAtlas(), sprites[0]);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sprites[i]->fGetTexture(), cards) << i;
  EXPECT_EQ(board.m_editorFreeSprite, sprites[6]);
  EXPECT_EQ(board.m_editorBlockedSprite, sprites[7]);
  EXPECT_EQ(board.m_blockedOverlay->fGetVertexColor(0), 0x00FFFFFFu);
  EXPECT_FLOAT_EQ(board.m_normalBack->fGetWidth(), 72.0f);
  for (const MAHJONG_CHIP* chip : board.GetChips()) ASSERT_EQ(chip->m_sprite, board.GetFaceAtlas());

  // A set tiles.xml does not list (a profile edited by hand) gives the default set, not blank
  // tiles.
  QOR::QC_TEXTURE_INFO* fallback = board.LoadTilesXml("no such set");
  EXPECT_TRUE(log.hasLine("tile set no such set is not in tiles.xml, the default set 2 is used"));
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(fallback->fGetWidth(), classic->fGetWidth());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sprites[i]->fGetTexture(), fallback) << i;
}

// The board owns every chip: a landed flight, a reload, a dropped odd chip, the editor's chip and
// the destructor each delete chips exactly once, and every pointer to a deleted chip is cleared.
TEST_F(LayoutTest, ChipOwnership) {
  MAHJONG_LAYOUT& board = *layout;
  Deal("pk6lv20.xml");
  ASSERT_EQ(board.GetChips().size(), 140u);
  board.FindTipPair();
  ASSERT_NE(board.m_tipChipA, nullptr);
  board.m_hoverChip = board.m_tipChipA;
  board.m_selectedChip = board.m_tipChipB;
  board.m_tipChipA->m_points = 120;
  board.m_tipChipA->StartRemove();
  board.m_tipChipB->StartRemove();
  log.clear();
  // A frame not shorter than the flight leaves it where it is.
  EXPECT_EQ(board.UpdateFlights(board.m_removeCurve.duration).landed, 0);
  int landed = 0;
  for (int frame = 0; frame < 600 && landed < 2; ++frame) landed += board.UpdateFlights(1.0f / 60.0f).landed;
  EXPECT_EQ(landed, 2);
  EXPECT_EQ(board.GetChips().size(), 138u);
  EXPECT_EQ(CountLines(log, "delete chip 0"), 2);
  EXPECT_EQ(board.m_hoverChip, nullptr);
  EXPECT_EQ(board.m_selectedChip, nullptr);
  EXPECT_EQ(board.m_tipChipA, nullptr);
  EXPECT_EQ(board.m_tipChipB, nullptr);

  // The level is complete on the frame the last special tile lands; the walk stops there.
  for (MAHJONG_CHIP* chip : board.GetChips())
    if (chip->m_isSpecial) chip->StartRemove();
  MAHJONG_LAYOUT::FLIGHT_STEP step;
  for (int frame = 0; frame < 600 && !step.levelComplete; ++frame) step = board.UpdateFlights(1.0f / 60.0f);
  EXPECT_TRUE(step.levelComplete);

  // A reload deletes every old chip and resets the level's fields (the level check deals a copy
  // of the new level on a board of its own, and deletes that too).
  const int before = static_cast<int>(board.GetChips().size());
  board.m_hoverChip = board.GetChips().back();
  log.clear();
  board.LoadLevel("pk1lv1.xml");
  EXPECT_EQ(board.GetChips().size(), 26u);
  EXPECT_EQ(CountLines(log, "delete chip 0"), before + 26);
  EXPECT_EQ(board.m_hoverChip, nullptr);
  EXPECT_EQ(board.m_task1Type, kTaskNone);
  EXPECT_EQ(board.m_task2Type, kTaskNone);
  EXPECT_EQ(board.m_topLayer, 2);
  EXPECT_FALSE(board.isSuitEnabled(MAHJONG_FACES::kSuitDigits));
  EXPECT_TRUE(board.isSuitEnabled(MAHJONG_FACES::kSuitSeasons));

  // The odd chip of a row of five leaves the board deleted; only a pointer to it is cleared.
  const std::string row = board_test::LevelText({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {6, 0, 0}, {8, 0, 0}}, 0);
  int cleared = 0;
  for (std::size_t k = 0; k < 5; ++k) {
    ASSERT_TRUE(board_test::Load(board, row));
    random.fSetSeed(3);
    board.m_hoverChip = board.GetChips()[k];
    board.AlternBuildPath(false);
    EXPECT_EQ(board.GetChips().size(), 4u);
    if (board.m_hoverChip == nullptr) {
      ++cleared;
    } else {
      EXPECT_NE(std::find(board.GetChips().begin(), board.GetChips().end(), board.m_hoverChip), board.GetChips().end());
    }
  }
  EXPECT_EQ(cleared, 1);

  // The editor's chip and chips in flight go with the board.
  board.SetEditorChip(new MAHJONG_CHIP(board.m_editorFreeSprite, QOR::QS_VEC2(10.0f, 10.0f), 0, false, false));
  board.SetEditorChip(new MAHJONG_CHIP(board.m_editorFreeSprite, QOR::QS_VEC2(20.0f, 10.0f), 0, false, false));
  board.GetChips().front()->StartRemove();
  log.clear();
  layout.reset();
  EXPECT_EQ(CountLines(log, "delete chip 0"), 5);
}

// Loading a level reads the board's effect keys and the panel's flash timings; saving writes a
// level file (replaced whole) that reads back as the same board.
TEST_F(LayoutTest, EffectKeysAndSavedLevel) {
  MAHJONG_LAYOUT& board = *layout;
  EXPECT_EQ(board.m_hoverAlpha, MAHJONG_LAYOUT::kDefaultHoverAlpha);
  board.LoadLevel("pk3lv7.xml");
  EXPECT_EQ(board.m_hoverAlpha, 90);
  EXPECT_FLOAT_EQ(board.m_removeCurve.duration, 0.6f);
  EXPECT_FLOAT_EQ(board.m_removeCurve.end.x, 880.0f);
  EXPECT_FLOAT_EQ(board.m_removeCurve.mid.y, 420.0f);
  EXPECT_EQ(board.m_ptsHeight, 40);
  EXPECT_EQ(board.GetPanel()->multFlash.cycles, 2);
  EXPECT_EQ(board.GetPanel()->bonusFlash.cycles, 3);
  EXPECT_EQ(board.GetPanel()->flashColor.fGetARGB(), 0xFF00FF00u);
  EXPECT_EQ(board.m_task1Type, kTaskTime);
  EXPECT_EQ(board.m_task1Value, 170) << "2.50 is 2 minutes 50 seconds";

  const std::string path = (documents() / "saved.xml").string();
  ASSERT_TRUE(board.SaveLevel(path));
  EXPECT_TRUE(log.contains("SAVED TO " + path));
  pugi::xml_document file;
  ASSERT_TRUE(file.load_file(path.c_str()));
  MAHJONG_BOARD copy;
  copy.SetTileMetrics(board.GetTileMetrics());
  copy.SetOrigin(board.GetOrigin());
  copy.ReadLevel(file, path);
  ASSERT_EQ(copy.GetChips().size(), board.GetChips().size());
  for (std::size_t i = 0; i < copy.GetChips().size(); ++i) {
    const MAHJONG_CHIP* a = board.GetChips()[i];
    const MAHJONG_CHIP* b = copy.GetChips()[i];
    EXPECT_TRUE(a->m_position.x == b->m_position.x && a->m_position.y == b->m_position.y && a->m_layer == b->m_layer);
    EXPECT_EQ(a->m_isSpecial, b->m_isSpecial);
    EXPECT_EQ(a->m_isBonus, b->m_isBonus);
  }
  EXPECT_EQ(copy.m_task1Value, 170);
  EXPECT_EQ(copy.m_task2Type, board.m_task2Type);
  EXPECT_EQ(copy.m_task2Value, board.m_task2Value);
  EXPECT_EQ(copy.m_specsTotal, board.m_specsTotal);
  for (int s = 0; s < MAHJONG_FACES::kSuitCount; ++s) {
    EXPECT_EQ(copy.isSuitEnabled(MAHJONG_FACES::SUIT(s)), board.isSuitEnabled(MAHJONG_FACES::SUIT(s)));
  }
}

// A level is played from the designer's folder only when that copy is a regular file that parses
// and can be played: every tile's face seen on the game's screen but for a quarter at an edge, an
// even number of tiles within the limit, a layout some order pairs to the end; the game then deals
// it to its end. Any other copy is passed over with its cause for the shipped level. A level found
// nowhere is refused, its board left empty, and told.
TEST_F(LayoutTest, LevelsArePlayedFromPlayableRegularFiles) {
  MAHJONG_LAYOUT& board = *layout;
  QOR::fForgetReportedDamage();
  ASSERT_TRUE(board.LoadLevel("pk1lv1.xml"));
  const std::size_t shipped = board.GetChips().size();
  const std::string copy = MAHJONG_LEVELS::Folder() + "pk1lv1.xml";
  std::filesystem::create_directories(MAHJONG_LEVELS::Folder());
  const auto tile = [](int x, int y, int level = 0, const std::string& more = "") {
    return "<tile posx=\"" + std::to_string(x) + "\" posy=\"" + std::to_string(y) + "\" level=\"" +
           std::to_string(level) + "\" " + more + "/>";
  };
  const auto tiles = [](const std::string& inside, const std::string& attributes = "") {
    return "<tiles " + attributes + ">" + inside + "</tiles>";
  };
  const auto stack = [&](int x, int y, int height) {
    std::string text;
    for (int level = 0; level < height; ++level) text += tile(x, y, level);
    return text;
  };
  const auto fixed = [](int face) { return "fixed=\"true\" type=\"" + std::to_string(face) + "\""; };
  const std::string tower = stack(10, 6, 4);
  const auto stacks = [&](int count) {  // stacks of four on 84 cells, every tile seen
    std::string text;
    for (int n = 0; n < count; ++n) text += tile(4 + n % 14 * 2, 2 + n % 84 / 14 * 2, n / 84);
    return text;
  };
  // Layouts the deal's greedy passes cannot pair, and some order can: blocks two and three layers
  // high, towers beside as many single tiles as they are high.
  std::string blocks[2];
  for (int n = 0; n < 12; ++n) blocks[0] += tile(8 + n % 2 * 2, 4 + n / 2 % 2 * 2, n / 4);
  for (int n = 0; n < 24; ++n) blocks[1] += tile(8 + n % 4 * 2, 4 + n / 4 % 3 * 2, n / 12);
  const std::string besides[2] = {stack(8, 6, 3) + tile(12, 6) + tile(16, 6) + tile(20, 6),
                                  stack(8, 6, 4) + tile(12, 6) + tile(16, 6) + tile(20, 6) + tile(24, 6)};
  // 28 stacks of two whose faces pair across stacks, and a stack of the only two fives: no order
  // clears it, which the search cannot tell within its bound.
  std::string undecided;
  for (int k = 0; k < 29; ++k) {
    undecided += tile(2 + k % 8 * 4, 2 + k / 8 * 2, 0, fixed(k < 28 ? 14 + k / 2 : 30)) +
                 tile(2 + k % 8 * 4, 2 + k / 8 * 2, 1, fixed(k < 28 ? k / 2 : 30));
  }
  std::string huge;  // 100 full layers: refused at once, nothing dealt
  for (int n = 0; n < 12800; ++n) huge += "<tile/>";
  const std::string a = tile(2, 2);
  const std::tuple<std::string, std::string, std::size_t> cases[] = {  // the copy, why not played, tiles
      {tiles(a + tile(4, 2)), "", 2},
      {tiles(blocks[0]), "", 12},
      {tiles(blocks[1]), "", 24},
      {tiles(besides[0]), "", 6},
      {tiles(besides[1]), "", 8},
      // Faces the player sees but for an edge: ending at x 1020 (its shadow beyond the screen), 9 px
      // below the top bar's band, 6 px left of and 15 px above the bottom-right corner piece.
      {tiles(a + tile(31, 8, 3)), "", 2},
      {tiles(a + tile(4, 1, 4)), "", 2},
      {tiles(a + tile(26, 13, 3)), "", 2},
      // The panel covers what its pictures show: the top of a face 17 px under the top bar's band
      // (its picture's clear rim below it), a face beside the round multiplier ring's box corner.
      {tiles(a + tile(6, 0, 2)), "", 2},
      {tiles(a + tile(30, 0, 1)), "", 2},
      {tiles(stacks(MAHJONG_BOARD::kMaxDealTiles)), "", 300},
      {tiles(a + tile(4, 2, 0, "fixed=\"true\" type=\"5\"") + tile(8, 2, 0, "fixed=\"true\" type=\"5\"") +
             tile(12, 2, 0, "fixed=\"true\" type=\"35\"")),
       "", 4},
      {"<tiles><tile posx=", ": Error parsing", shipped},
      {"<tiles/><suits/>", ": no tiles", shipped},
      {tiles(a + "<tile posx=\"-2\" posy=\"2\"/>"), ": tile 2 (posx -2, posy 2, level 0) outside the 16", shipped},
      {tiles(a + "<tile posx=\"2\" posy=\"16.5\"/>"), "outside the 16 x 8 grid", shipped},
      {tiles(a + "<tile posx=\"2.2\" posy=\"2\" level=\"-1\"/>"), "level 0) on a cell taken already", shipped},
      {tiles(a + "<stone posx=\"6\" posy=\"2\"/>"), ": a <stone> element among the tiles", shipped},
      // Tiles the player cannot see or click: lifted off the screen by their layer, under the eye
      // button's corner, their faces a third under the top bar.
      {tiles(tile(15, 7, 99) + tile(17, 7, 99)), ": tile 1 (posx 15, posy 7, level 99) off the screen", shipped},
      {tiles(a + tile(1, 15)), ": tile 2 (posx 1, posy 15, level 0) under the panel", shipped},
      {tiles(tile(6, 0, 3) + a), ": tile 1 (posx 6, posy 0, level 3) under the panel", shipped},
      // Odd counts: one tile would stay for ever.
      {tiles(a), ": an odd number of tiles (1)", shipped},
      {tiles(a + tile(4, 2) + tile(6, 2)), ": an odd number of tiles (3)", shipped},
      // No deal can finish: two tiles on one another, a single tower, fixed faces without a match.
      {tiles(a + tile(2, 2, 1)), ": the deal cannot pair 2 of its 2 tiles", shipped},
      {tiles(tower), ": the deal cannot pair 4 of its 4 tiles", shipped},
      {tiles(tile(2, 2, 0, "fixed=\"true\" type=\"3\"") + tile(4, 2, 0, "fixed=\"true\" type=\"4\"") +
             tile(8, 2, 0, "fixed=\"true\" type=\"5\"") + tile(12, 2, 0, "fixed=\"true\" type=\"5\"")),
       ": the deal cannot pair 2 of its 4 tiles", shipped},
      {tiles(a + tile(4, 2, 0, "isspecial=\"true\""), "specsTotal=\"2\""),
       ": 2 special tiles asked for, but only 1 tiles may be special", shipped},
      {tiles(undecided), "unpaired, and whether another order pairs them all could not be decided", shipped},
      {tiles(stacks(MAHJONG_BOARD::kMaxDealTiles + 1)), ": 301 tiles, more than the 300 a level may have", shipped},
      {tiles(huge), ": 12800 tiles, more than the 300", shipped}};
  for (const auto& [text, cause, chips] : cases) {
    SCOPED_TRACE(text.substr(0, 200));
    qor_test::fWriteBytes(copy, text);
    ASSERT_TRUE(board.LoadLevel("pk1lv1.xml"));
    EXPECT_EQ(board.GetChips().size(), chips);
    EXPECT_TRUE(log.contains("Level pk1lv1.xml " + std::string(cause.empty() ? "" : "not ") + "read from " + copy));
    EXPECT_TRUE(log.contains(cause)) << cause;
    // A level of too many tiles is refused before it is read for a deal.
    EXPECT_FALSE(log.contains("total chips == 301") || log.contains("total chips == 12800"));
    if (cause.empty()) {
      // The game deals a level the check accepts to its end.
      board.AlternBuildPath(false);
      const board_test::REPLAY replay = board_test::Replay(board);
      EXPECT_TRUE(!board.isDealDegraded() && replay.complete && replay.illegalPairs == 0) << replay.firstProblem;
    }
    log.clear();
  }
  // A pipe in the copy's place is passed over at once, never opened; so is a folder.
  std::filesystem::remove(copy);
  for (const char* cause : {": not a regular file", ": a folder"}) {
    std::optional<qor_test::NamedPipe> pipe;
    if (cause[2] == 'n') pipe.emplace(copy);
    if (cause[2] == 'a') std::filesystem::create_directory(copy);
    ASSERT_TRUE(board.LoadLevel("pk1lv1.xml"));
    EXPECT_EQ(board.GetChips().size(), shipped);
    EXPECT_TRUE(log.contains("Level pk1lv1.xml not read from " + copy + cause));
    EXPECT_EQ(pipe ? pipe->readersHeld.load() : 0, 0);
  }
  // A playable copy in a levels folder other users can write to is never read.
  std::filesystem::remove(copy);
  qor_test::fWriteBytes(copy, tiles(a + tile(4, 2)));
  const auto othersWrite = std::filesystem::perms::group_write | std::filesystem::perms::others_write;
  std::filesystem::permissions(MAHJONG_LEVELS::Folder(), othersWrite, std::filesystem::perm_options::add);
  ASSERT_TRUE(board.LoadLevel("pk1lv1.xml"));
  std::filesystem::permissions(MAHJONG_LEVELS::Folder(), othersWrite, std::filesystem::perm_options::remove);
  EXPECT_EQ(board.GetChips().size(), shipped);
  EXPECT_TRUE(log.contains("Level pk1lv1.xml not read from " + copy + ": other users can write to "));
  host_test::fResetMessageBoxCount();
  EXPECT_FALSE(board.LoadLevel("pk9lv1.xml"));
  EXPECT_TRUE(board.GetChips().empty());
  EXPECT_TRUE(log.contains("Level pk9lv1.xml cannot be played: not in the pack"));
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  // Level names are plain file names that stay short enough with ".xml" and a save's suffix.
  EXPECT_TRUE(MAHJONG_LEVELS::isPlainName(std::string(244, 'a')));
  EXPECT_FALSE(MAHJONG_LEVELS::isPlainName(std::string(245, 'a')));
}

// The editor places tiles on the half-tile grid inside the board only, with a face of its own or
// one for the deal; the drop-in lifts every tile a screen height above its cell.
TEST_F(LayoutTest, EditorPlacementAndDropIn) {
  MAHJONG_LAYOUT& board = *layout;
  board.LoadLevel("no_such_level.xml");
  ASSERT_TRUE(board.GetChips().empty());
  const QOR::QS_VEC2 origin = board.GetOrigin();
  board.PlaceChip(origin + QOR::QS_VEC2(-30.0f, 0.0f), 0, false, false, 42);
  EXPECT_TRUE(log.contains("OUT OF BORDERS"));
  board.PlaceChip(origin + QOR::QS_VEC2(45.0f, 38.0f), 0, false, false, 42);
  EXPECT_TRUE(log.contains("BAD POS"));
  board.PlaceChip(origin + QOR::QS_VEC2(60.0f, 38.0f), 0, false, false, 43);
  EXPECT_TRUE(log.contains("BAD TYPE"));
  EXPECT_TRUE(board.GetChips().empty());
  board.PlaceChip(origin + QOR::QS_VEC2(60.0f, 38.0f), 0, false, true, 42);
  board.PlaceChip(origin + QOR::QS_VEC2(90.0f, 76.0f), 2, true, false, 7);
  ASSERT_EQ(board.GetChips().size(), 2u);
  const MAHJONG_CHIP* loose = board_test::ChipAt(board, 2, 1, 0);
  const MAHJONG_CHIP* fixed = board_test::ChipAt(board, 3, 2, 2);
  ASSERT_NE(loose, nullptr);
  ASSERT_NE(fixed, nullptr);
  EXPECT_FALSE(loose->m_fixed);
  EXPECT_EQ(loose->m_sprite, board.m_editorFreeSprite);
  EXPECT_TRUE(fixed->m_fixed);
  EXPECT_EQ(fixed->m_type, 7);
  EXPECT_EQ(fixed->m_sprite, board.GetFaceAtlas());
  EXPECT_EQ(board.m_specsTotal, 1);
  EXPECT_EQ(board.m_topLayer, 2);

  board.StartDropIn();
  EXPECT_FLOAT_EQ(fixed->GetHomePosition().y, origin.y + 76.0f - 768.0f);
  EXPECT_FLOAT_EQ(board.m_dropTween.start, board.GetChips().front()->GetPosition().y);
  EXPECT_FLOAT_EQ(board.m_dropTween.end, board.m_dropTween.start + 768.0f);
}

}  // namespace
