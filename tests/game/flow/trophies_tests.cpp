// Trophies and ranks through the real game manager over the real Resources: the award rules on
// board events and experience gains, the award box's confirmation, the rank list of the real
// player file with the experience bar and the opening of packs, and the trophies screen's shelf
// driven by real clicks.
#include "engine/files/qs_resource.h"
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/menu_objects.h"
#include "game/flow/pack_button.h"
#include "game/flow/store_message_box.h"
#include "game/flow/trophy_item.h"
#include "tests/game/flow/flow_driver.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

class TrophiesTest : public flow_test::PlayerDriver {
 protected:
  // Judges the code; when a trophy was awarded, confirms it with Enter, presses Enter again while
  // the box slides away and waits until it has closed. The awarded id, or 0.
  int judge(int code) {
    manager->CheckTrophies(code);
    if (!manager->trophies.awardBox->isInfo()) return 0;
    const int id = manager->trophies.awarded->fGetId();
    tick();
    float x = 0.0f;
    float y = 0.0f;
    manager->trophies.awarded->fGetPosition(x, y);
    const QOR::QS_VEC2 box = manager->trophies.awardBox->fGetPosition();
    EXPECT_EQ(x, box.x - 100.0f);
    EXPECT_EQ(y, box.y + 100.0f);
    tick(flow_test::kEnter);
    tick(flow_test::kEnter);
    EXPECT_TRUE(runWhile([this] { return manager->trophies.awardBox->isOpen(); }));
    return id;
  }
  int owned(int id) const {
    return static_cast<int>(std::count(player->m_trophies.begin(), player->m_trophies.end(), id));
  }
  // The experience a pack's rank starts at, from its button.
  int packXP(int n) const { return pack(n).xp; }
  PACK_BUTTON& pack(int n) const { return *manager->packs.buttons.at(static_cast<std::size_t>(n - 1)); }
  int& result(int packNumber, int level) const {
    return player->m_levels[MAHJONG_PLAYER::LevelIndex(packNumber, level)];
  }
  bool moving() const {
    return manager->sidePanelTween.active || manager->screenSlideTween.active || manager->trophies.pageTween.active ||
           manager->screenFade.active;
  }
};

// The rule table: one trophy per call, the first rule that fires; a removal crossing two score
// thresholds awards the lower one only, the higher on the next removal; the multiplier rules are
// exact; experience awards the packs' trophies in pack order; the star trophies wait for a level
// finished with three stars. Every award plays its sound, shows its item beside the box and is
// recorded and saved once, however often Enter comes while the box slides away.
TEST_F(TrophiesTest, RulesAwardOneTrophyPerCallAndRecordItOnce) {
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 0);
  player->m_totalScore = 500000;
  manager->CheckTrophies(MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_TRUE(played("trophie.ogg"));
  ASSERT_TRUE(manager->trophies.awardBox->isInfo());
  EXPECT_EQ(manager->trophies.awarded->fGetTitle(), manager->GetText("tt1"));
  EXPECT_EQ(manager->trophies.awarded->fGetDescription(), manager->GetText("tr1"));
  tick(flow_test::kEnter);
  tick(flow_test::kEnter);
  ASSERT_TRUE(runWhile([this] { return manager->trophies.awardBox->isOpen(); }));
  manager->RecordAwardedTrophy();  // a late confirmation of the same award
  EXPECT_EQ(player->m_trophies, std::vector<int>{1});
  const MAHJONG_PLAYER saved(MAHJONG_GAME_MANAGER::PlayerFilePath(), L"Ann");
  EXPECT_EQ(saved.m_trophies, std::vector<int>{1});
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 2);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 0);

  // Tiles removed before the multiplier; the multiplier only at exactly 5, 10 and 15.
  manager->board = new MAHJONG_LAYOUT(player->m_tileset, player, false, 1, manager->darkBack1);
  manager->board->GetPanel()->SetMultiplier(5);
  player->m_totalTilesRemoved = 1000;
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 15);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 21);
  manager->board->GetPanel()->SetMultiplier(11);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventPairRemoved), 0);
  player->m_totalBonusUsed = 249;
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventShuffle), 18);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventShuffle), 19);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventShuffle), 0);

  // Experience past packs 2 and 3: pack 2's trophy first.
  player->m_XP = 40.0f;
  EXPECT_EQ(judge(MAHJONG_GAME_MANAGER::kEventXPRaised), 4);
  EXPECT_EQ(judge(MAHJONG_GAME_MANAGER::kEventXPRaised), 5);
  EXPECT_EQ(judge(MAHJONG_GAME_MANAGER::kEventXPRaised), 0);

  // Thirty three-star levels elsewhere, but this level ended with two stars.
  for (int level = 1; level <= 20; ++level) result(2, level) = result(3, level) = 3;
  manager->currentPack = 1;
  manager->currentLevel = 4;
  result(1, 4) = 2;
  manager->board->m_pack = 1;
  manager->board->m_level = 4;
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventLevelComplete), 0);
  result(1, 4) = 3;
  manager->board->m_pack = 3;
  manager->board->m_level = 20;
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventLevelComplete), 11);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventLevelComplete), 24);
  EXPECT_EQ(judge(MAHJONG_LAYOUT::kEventLevelComplete), 0);

  for (int id : {1, 2, 15, 21, 18, 19, 4, 5, 11, 24}) EXPECT_EQ(owned(id), 1) << "trophy " << id;
  EXPECT_EQ(player->m_trophies.size(), 10u);
  // The file keeps the set (read back in ascending order).
  std::vector<int> won = player->m_trophies;
  std::sort(won.begin(), won.end());
  EXPECT_EQ(MAHJONG_PLAYER(MAHJONG_GAME_MANAGER::PlayerFilePath(), L"Ann").m_trophies, won);
}

// The rank walk over the real rank list and the pack unlock: one pack per call, the first locked
// one whose rank's experience is reached and whose predecessor's last level is completed; it is
// marked for its flashes, becomes the last pack at level 1 and is saved; a pack already opening is
// not taken again, and without unlock nothing opens. The bar never divides by an empty or
// negative span: full at the top rank, empty when the thresholds are equal or out of order.
TEST_F(TrophiesTest, RankWalkOpensOnePackAtATimeAndTheBarStaysInRange) {
  const int barWidth = manager->leftPanel.experienceBar->fGetPageWidth();
  ASSERT_GT(barWidth, 0);
  player->m_XP = 50.0f;  // packs 2 and 3 by experience, not pack 4
  result(1, 20) = 2;
  result(2, 20) = 0;
  manager->loadMenus();
  ASSERT_EQ(manager->packs.buttons.size(), 6u);

  manager->UpdateRank(0);
  EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(L"Experienced"));
  EXPECT_EQ(manager->nextRankXP, 75);
  EXPECT_EQ(manager->leftPanel.experienceBar->fGetWidth(), static_cast<float>(barWidth * 10 / 35));
  EXPECT_TRUE(pack(2).isLocked());
  EXPECT_EQ(pack(2).buttonFlash, 0);

  const auto openFlags = [](const MAHJONG_PLAYER& p) { return std::vector<int>(p.m_packs, p.m_packs + 6); };
  manager->UpdateRank(1);
  EXPECT_EQ(openFlags(*player), (std::vector<int>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(pack(2).buttonFlash + pack(2).lockFlash, 2);
  EXPECT_EQ(pack(3).buttonFlash + pack(3).lockFlash, 0);
  EXPECT_EQ(player->m_lastPack, 2);
  EXPECT_EQ(player->m_lastLevel, 1);
  EXPECT_EQ(manager->leftPanel.rankFlash, 1);
  const MAHJONG_PLAYER saved(MAHJONG_GAME_MANAGER::PlayerFilePath(), L"Ann");
  EXPECT_EQ(openFlags(saved), openFlags(*player));
  EXPECT_EQ(saved.m_lastPack, 2);

  manager->UpdateRank(1);  // pack 3 waits for pack 2's last level
  EXPECT_EQ(openFlags(*player), (std::vector<int>{0, 1, 0, 0, 0, 0}));
  result(2, 20) = 1;
  manager->UpdateRank(0);
  EXPECT_EQ(pack(3).buttonFlash, 0);
  manager->UpdateRank(1);
  manager->UpdateRank(1);
  EXPECT_EQ(openFlags(*player), (std::vector<int>{0, 1, 1, 0, 0, 0}));
  EXPECT_EQ(player->m_lastPack, 3);

  player->m_XP = 1000.0f;
  manager->UpdateRank(0);
  EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(L"Grand Master"));
  EXPECT_EQ(manager->nextRankXP, 0);
  EXPECT_EQ(manager->leftPanel.experienceBar->fGetWidth(), static_cast<float>(barWidth));

  // Equal thresholds, then a first rank above the second.
  const auto writeRanks = [](std::vector<std::pair<int, const char*>> ranks) {
    pugi::xml_document file = playerFile();
    pugi::xml_node list = file.child("ranks");
    while (list.first_child()) list.remove_child(list.first_child());
    for (const auto& [xp, title] : ranks) {
      pugi::xml_node rank = list.append_child("rank");
      rank.append_attribute("xp") = xp;
      rank.append_attribute("title") = title;
    }
    ASSERT_TRUE(file.save_file(MAHJONG_GAME_MANAGER::PlayerFilePath().c_str()));
  };
  player->m_XP = 10.0f;
  writeRanks({{15, "Candidate"}, {15, "Novice"}, {40, "Expert"}});
  manager->UpdateRank(0);
  EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(L"Candidate"));
  EXPECT_EQ(manager->nextRankXP, 15);
  EXPECT_EQ(manager->leftPanel.experienceBar->fGetWidth(), 0.0f);
  writeRanks({{50, "Candidate"}, {15, "Novice"}});
  manager->UpdateRank(0);
  EXPECT_EQ(manager->leftPanel.experienceBar->fGetWidth(), 0.0f);
  player->m_XP = 20.0f;
  manager->UpdateRank(0);
  EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(L"Novice"));
  EXPECT_EQ(manager->leftPanel.experienceBar->fGetWidth(), static_cast<float>(barWidth));
}

// Every rule of the table approached from one step below and then met at its edge, the lower
// trophies of its group owned already: nothing one step below, the rule's trophy at the edge (and
// for the exact multipliers nothing one step above). Ranks turn at exactly their experience.
TEST_F(TrophiesTest, EachRuleAwardsAtItsEdgeAndNotOneStepBelow) {
  manager->board = new MAHJONG_LAYOUT(player->m_tileset, player, false, 1, manager->darkBack1);
  MAHJONG_HUD_PANEL& panel = *manager->board->GetPanel();
  const auto threeStars = [this](int count) {
    std::fill(std::begin(player->m_levels), std::end(player->m_levels), 1);
    for (int i = 0; i < count; ++i) player->m_levels[i] = 3;
  };
  struct EDGE {
    int code;
    int id;
    std::vector<int> owned;  // the lower trophies of the group
    std::function<void(int)> set;
    int below;
    int edge;
    int above;  // for the exact rules: a value past the edge that awards nothing (0: none checked)
  };
  const auto score = [this](int v) { player->m_totalScore = v; };
  const auto tiles = [this](int v) { player->m_totalTilesRemoved = v; };
  const auto bonuses = [this](int v) { player->m_totalBonusUsed = v; };
  const auto multiplier = [&panel](int v) { panel.SetMultiplier(v); };
  const auto xp = [this](int v) { player->m_XP = static_cast<float>(v); };
  const auto lastLevel = [this](int pack) {
    return [this, pack](int level) {
      manager->board->m_pack = pack;
      manager->board->m_level = level;
    };
  };
  const auto stars = [&, this](int count) {
    manager->board->m_level = 4;
    manager->currentPack = 1;
    manager->currentLevel = 1;
    threeStars(count);
  };
  std::vector<EDGE> edges = {
      {MAHJONG_LAYOUT::kEventPairRemoved, 1, {}, score, 99999, 100000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 2, {1}, score, 499999, 500000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 3, {1, 2}, score, 999999, 1000000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 15, {1, 2, 3}, tiles, 999, 1000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 16, {1, 2, 3, 15}, tiles, 4999, 5000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 17, {1, 2, 3, 15, 16}, tiles, 9999, 10000, 0},
      {MAHJONG_LAYOUT::kEventPairRemoved, 21, {1, 2, 3, 15, 16, 17}, multiplier, 4, 5, 6},
      {MAHJONG_LAYOUT::kEventPairRemoved, 22, {1, 2, 3, 15, 16, 17, 21}, multiplier, 9, 10, 11},
      {MAHJONG_LAYOUT::kEventPairRemoved, 23, {1, 2, 3, 15, 16, 17, 21, 22}, multiplier, 14, 15, 16},
      {MAHJONG_LAYOUT::kEventShuffle, 18, {}, bonuses, 49, 50, 0},
      {MAHJONG_LAYOUT::kEventShuffle, 19, {18}, bonuses, 99, 100, 0},
      {MAHJONG_LAYOUT::kEventShuffle, 20, {18, 19}, bonuses, 249, 250, 0},
      {MAHJONG_LAYOUT::kEventLevelComplete, 24, {}, stars, 29, 30, 0},
      {MAHJONG_LAYOUT::kEventLevelComplete, 25, {24}, stars, 59, 60, 0},
      {MAHJONG_LAYOUT::kEventLevelComplete, 26, {24, 25}, stars, 119, 120, 0},
  };
  for (int pack = 2; pack <= 6; ++pack) {
    std::vector<int> lower;
    for (int id = 4; id < pack + 2; ++id) lower.push_back(id);
    edges.push_back({MAHJONG_GAME_MANAGER::kEventXPRaised, pack + 2, lower, xp, packXP(pack) - 1, packXP(pack), 0});
  }
  for (int pack = 1; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
    edges.push_back({MAHJONG_LAYOUT::kEventLevelComplete, 8 + pack, {}, lastLevel(pack), 19, 20, 0});
  }

  for (const EDGE& e : edges) {
    SCOPED_TRACE("trophy " + std::to_string(e.id));
    player->m_trophies = e.owned;
    player->m_totalScore = player->m_totalTilesRemoved = player->m_totalBonusUsed = 0;
    player->m_XP = 0.0f;
    panel.SetMultiplier(1);
    threeStars(0);
    manager->board->m_pack = manager->board->m_level = 1;
    e.set(e.below);
    EXPECT_EQ(judge(e.code), 0);
    if (e.above != 0) {
      e.set(e.above);
      EXPECT_EQ(judge(e.code), 0);
    }
    e.set(e.edge);
    EXPECT_EQ(judge(e.code), e.id);
  }

  // The rank list of the real file: each rank starts at exactly its experience.
  const std::pair<int, const wchar_t*> ranks[] = {{15, L"Novice"}, {40, L"Experienced"}, {75, L"Expert"},
                                                  {115, L"Master"}, {160, L"Grand Master"}};
  const wchar_t* before = L"Candidate";
  for (const auto& [at, title] : ranks) {
    SCOPED_TRACE(title);
    player->m_XP = static_cast<float>(at) - 0.5f;
    manager->UpdateRank(0);
    EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(before));
    EXPECT_EQ(manager->nextRankXP, at);
    player->m_XP = static_cast<float>(at);
    manager->UpdateRank(0);
    EXPECT_EQ(manager->rankTitle, manager->rankTitles.at(title));
    before = title;
  }
}

// What the trophies screen and the award box load they give back: rebuilding the shelf and
// showing awards again and again leaves the subscriptions of trophies.xml and of the header
// font's description and page where one build left them.
TEST_F(TrophiesTest, RebuildsAndAwardsHoldNoMoreThanOneBuild) {
  QOR::QC_RESOURCE_LOADER& loader = *QOR::qcRESOURCE_LOADER;
  const auto subscriptions = [&loader](const std::string& name) {
    const QOR::QS_RESOURCE* record = loader.fFindResource(name, true);
    return record != nullptr ? record->fGetSubscribers() : -1;
  };
  const std::string fontDescription = manager->locman->fGetValue("big_font_fnt");
  const std::string fontPage = manager->locman->fGetValue("big_font_png");
  manager->BuildTrophies();
  const int trophies = subscriptions("trophies.xml");
  const int description = subscriptions(fontDescription);
  const int page = subscriptions(fontPage);
  ASSERT_GE(trophies, 0);
  ASSERT_GE(description, 0);
  ASSERT_GE(page, 1);
  for (int n = 0; n < 5; ++n) {
    manager->BuildTrophies();
    manager->AwardTrophy(1 + n);
  }
  EXPECT_EQ(subscriptions("trophies.xml"), trophies);
  EXPECT_EQ(subscriptions(fontDescription), description);
  EXPECT_EQ(subscriptions(fontPage), page);
  EXPECT_LE(trophies, 0) << "the shelf keeps no document";
}

// The trophies screen entered by the left panel: each place shows the highest owned trophy of its
// group or the concealed look of the group's lowest, at its place once the shelf has slid in to
// exactly the screen width; the arrow turns the pages (a click during a turn does nothing), each
// turn landing exactly and carrying the places along; career slides it out to the packs.
TEST_F(TrophiesTest, ShelfShowsOwnedOrConcealedTrophiesOverTwoPages) {
  player->m_trophies = {2, 5, 15};
  manager->requestedScreen = PACKS_SCREEN;
  manager->ChangeScreen();
  ASSERT_TRUE(runWhile([this] { return moving(); }));
  click(manager->leftPanel.trophiesButton);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != TROPHIES_SCREEN || moving(); }));
  ASSERT_EQ(manager->currentScreen, TROPHIES_SCREEN);
  EXPECT_EQ(manager->trophies.shelf->fGetPosition().x, 1024.0f);

  QOR::QC_TEXTURE_INFO* concealed = QOR::QC_GAME::fSubscribeImage("concealed.png");
  MENU_OBJECTS::GiveBack(concealed);
  struct SHOWN {
    int place, id;
    bool concealed;
    float x, y;
  };
  const int x1 = 512 - 188;
  const int x2 = 512 + 188;
  for (const SHOWN& s : std::vector<SHOWN>{{0, 2, false, x1, 252},
                                           {1, 5, false, x2, 252},
                                           {2, 9, true, x1, 452},
                                           {8, 15, false, x1 + 1425, 452},
                                           {9, 18, true, x2 + 1425, 452},
                                           {11, 24, true, x2 + 1425, 652}}) {
    const TROPHY_ITEM* item = manager->trophies.slots[s.place];
    EXPECT_EQ(item->fGetId(), s.id) << "place " << s.place;
    EXPECT_EQ(item->isConcealed(), s.concealed) << "place " << s.place;
    EXPECT_EQ(item->fGetPicture()->fGetTexture() == concealed, s.concealed) << "place " << s.place;
    EXPECT_EQ(item->fGetTitle(), manager->GetText(("tt" + std::to_string(s.id)).c_str()));
    float x = 0.0f;
    float y = 0.0f;
    item->fGetPosition(x, y);
    EXPECT_EQ(x, s.x) << "place " << s.place;
    EXPECT_EQ(y, s.y) << "place " << s.place;
  }

  // An id the file does not hold is still made: no picture name, "not found" texts, no place.
  {
    const TROPHY_ITEM unknown(27, *QOR::QC_GAME::fLoadXml("trophies.xml"), manager->locman);
    EXPECT_EQ(unknown.fGetTitle(), L"not found");
    EXPECT_EQ(unknown.fGetDescription(), L"not found");
    float x = 0.0f;
    float y = 0.0f;
    unknown.fGetPosition(x, y);
    EXPECT_EQ(x, -1000.0f);
    EXPECT_EQ(y, -1000.0f);
  }

  const auto placeX = [this] {
    float x = 0.0f;
    float y = 0.0f;
    manager->trophies.slots[0]->fGetPosition(x, y);
    return x;
  };
  click(manager->pageArrow);
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_TRUE(manager->trophies.pageTween.active);
  EXPECT_EQ(manager->page, 2);
  click(manager->pageArrow);
  EXPECT_EQ(manager->page, 2);
  ASSERT_TRUE(runWhile([this] { return moving(); }));
  EXPECT_EQ(manager->trophies.shelf->fGetPosition().x, 1024.0f - 1425.0f);
  EXPECT_NEAR(placeX(), x1 - 1425.0f, 0.01f);
  float x = 0.0f, y = 0.0f;
  manager->trophies.slots[6]->fGetPosition(x, y);
  EXPECT_EQ(x, x1);  // page 2's places stand where page 1's stood
  EXPECT_EQ(manager->pageArrow->fGetImage()->fGetTexture(), manager->leftArrow);
  click(manager->pageArrow);
  ASSERT_TRUE(runWhile([this] { return moving(); }));
  EXPECT_EQ(manager->page, 1);
  EXPECT_EQ(manager->trophies.shelf->fGetPosition().x, 1024.0f);
  EXPECT_NEAR(placeX(), x1, 0.01f);
  EXPECT_EQ(manager->pageArrow->fGetImage()->fGetTexture(), manager->rightArrow);

  click(manager->leftPanel.careerButton);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN || moving(); }));
  EXPECT_EQ(manager->trophies.shelf->fGetPosition().x, 1024.0f + MAHJONG_GAME_MANAGER::kShelfOutBeyond);
  EXPECT_EQ(manager->packs.FirstX(), MAHJONG_GAME_MANAGER::kPacksInX);
}

}  // namespace
