// The first level of the career through the real window, driven only by real pointer and key
// events: a new player named at the title and the start comic lead to the packs; pack 1 opens its
// levels, level 1 its intro and its tutorial. The level is played by clicking pairs of free tiles
// at the places the game's chip-place log gives (a log this road alone turns on), the tutorial's
// steps followed as they come: only the pair a step shows is free, and its slot step is answered
// by a click on the slot it points at. The last pair brings the completion panel, whose OK leads
// back to the levels screen with the level's stars lit and the money counted up; level 2 follows
// at once, a pair is played there and the pause panel's main menu leads back; the options store
// a dragged sound volume in player.xml. Back, back and Quit confirmed end the run with
// status 0. A second start shows the same player with the same stars and money, in the picture
// and in player.xml, and ends with status 0 too. Neither run logs a missing resource; each screen
// passed is kept as a PNG under e2e_screenshots/ of the build folder.
#include "game/board/pack_passwords.h"
#include "tests/e2e/kit/chip_places.h"
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/pack_images.h"
#include "tests/e2e/kit/road_checks.h"
#include "tests/e2e/kit/screen_states.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using qor_e2e::CHIP_PLACES;
using qor_e2e::E2E_SESSION;
using qor_e2e::PACK_IMAGE;
using qor_e2e::PICTURE;
using qor_e2e::TITLE_LAYOUT;

const std::string kResources = std::filesystem::path(QOR_E2E_GAME).parent_path().string() + "/Resources/";
constexpr int kWidth = 1024;  // the game's resolution
constexpr int kHeight = 768;
constexpr float kMiddleX = kWidth / 2;
constexpr float kMiddleY = kHeight / 2;

// Game points of the screens on the way (their layout code places them there).
constexpr float kMenuColumn = 110.0f;  // the left panel's buttons, slid in
constexpr float kOptionsY = 509.0f;
constexpr float kBackX = 145.0f;  // the left panel's back button
constexpr float kBackY = 45.0f;
constexpr float kPack1X = 450.0f;  // pack 1 on the packs screen
constexpr float kPack1Y = 192.0f;
constexpr float kLevel1X = 390.0f;  // level 1 on page 1 of the levels screen
constexpr float kLevel1Y = 130.0f;
constexpr float kLevel2X = kLevel1X + 220.0f;  // level 2 beside it
constexpr float kMainMenuX = 37.0f;  // the pause panel's main menu button
constexpr float kMainMenuY = 88.0f;
constexpr float kStarsDx = 90.0f;  // a level's stars: right edges 90 right of its centre,
constexpr float kStarsDy = 42.0f;  // 42 apart around its centre line
constexpr float kMoneyX = 110.0f;  // the left panel's money
constexpr float kMoneyY = 235.0f;
constexpr float kSkillSlotX = 60.0f;  // the board's two slots
constexpr float kBonusSlotX = kWidth - 60.0f;
constexpr float kSlotY = kHeight - 70.0f;
constexpr float kCompletionOkY = kMiddleY + 155.0f;  // the completion panel's OK, panel at rest
constexpr float kSoundSliderX = kMiddleX + 35.0f;    // the options' sound slider (bar centre)
constexpr float kSoundSliderY = kMiddleY - 145.0f;
constexpr float kComicNextX = kWidth - 50.0f;  // the start comic's button
constexpr float kComicNextY = kHeight - 60.0f;
// The tutorial's slot steps: the skill slot at step 3, the bonus slot at step 7.
constexpr int kSkillStep = 3;
constexpr int kBonusStep = 7;
constexpr int kTutorialSteps = 10;

// Screen states the road waits for, at rest (kPacks, kTitleWithBox, ...).
using namespace qor_e2e::screen_state;

class LevelRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string surfaces = kResources + "data/surfaces";
    layout = std::make_unique<TITLE_LAYOUT>(
        qor_e2e::fReadPackImage(surfaces, "TitleScreenButtun_back.png", MAHJONG_PACKS::kSurfaces), kWidth, kHeight);
    ASSERT_TRUE(layout->panel.fValid()) << layout->panel.error;
    introPanel = qor_e2e::fReadPackImage(surfaces, "FinishPanel_back.png", MAHJONG_PACKS::kSurfaces);
    ASSERT_TRUE(introPanel.fValid()) << introPanel.error;
    slider = qor_e2e::fReadPackImage(surfaces, "sound_slider.png", MAHJONG_PACKS::kSurfaces);
    ASSERT_TRUE(slider.fValid()) << slider.error;
    stars = qor_e2e::fReadPackImage(surfaces, "star_active_passive.png", MAHJONG_PACKS::kSurfaces);
    ASSERT_TRUE(stars.fValid()) << stars.error;
    session = std::make_unique<E2E_SESSION>(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                                            QOR_E2E_ARTEFACTS);
    ASSERT_TRUE(session->fStartDisplay()) << session->fError();
  }

  PICTURE inGame(const PICTURE& window) { return qor_e2e::fInGame(window, session->fInput().fSpace()); }
  // The picture in game pixels now, kept as step.png.
  PICTURE shot(const std::string& step) {
    const PICTURE picture = inGame(session->fWindow().fGrab());
    session->fShot(step);
    return picture;
  }
  void clickAt(float x, float y) { EXPECT_TRUE(session->fInput().fClickAt(x, y)) << "xdotool failed (scripts/setup)"; }
  void key(const std::string& keysym) { EXPECT_TRUE(session->fInput().fKey(keysym)) << "xdotool failed"; }
  // Clicks, then waits until the game logs its screen at rest in state; false when it never does.
  bool clickToRest(float x, float y, const std::string& state) {
    const std::size_t mark = session->fGame().fLogSize();
    clickAt(x, y);
    return session->fWaitForRest(mark, state);
  }

  // Starts the game with the chip-place log on and waits until its title stands still with the
  // panel at rest; that picture in game pixels (empty when the title is never reached).
  PICTURE startToTitle(const std::string& step) {
    if (!session->fStartGame(QOR_E2E_GAME, qor_e2e::fChipPlacesEnvironment())) {
      ADD_FAILURE() << session->fError();
      return PICTURE();
    }
    PICTURE title = session->fWaitForPicture([&](const PICTURE& p) { return layout->fPanelAtRest(inGame(p)); }, 60s);
    if (!title.fEmpty()) title = inGame(session->fWaitStill());
    if (title.fEmpty() || !layout->fPanelAtRest(title)) {
      session->fShot(step + "_not_reached");
      ADD_FAILURE() << "the title's panel never came to rest; log:\n" << session->fGame().fLog();
      return PICTURE();
    }
    session->fShot(step);
    return title;
  }

  std::string playerFile() const { return session->fDocuments() + "/Greyfern/Lantern Tiles/player.xml"; }
  // player.xml once test holds for its first player (polled for up to limit); empty when it never
  // does.
  pugi::xml_document waitForFile(const std::function<bool(const pugi::xml_node&)>& test,
                                 std::chrono::milliseconds limit = 60s) {
    for (int n = 0; n * 100ms < limit; ++n) {
      pugi::xml_document document;
      if (document.load_file(playerFile().c_str()) && test(document.child("player"))) return document;
      std::this_thread::sleep_for(100ms);
    }
    return pugi::xml_document();
  }

  // The number of the tutorial's step shown last (0 before the first).
  int tutorialStep() const {
    const std::string log = session->fGame().fLog();
    const std::size_t at = log.rfind("tut_curr_msg= ");
    return at == std::string::npos ? 0 : std::atoi(log.c_str() + at + 14);
  }
  // Whether the current step passes without its panel: the line just before the step's says so.
  bool tutorialStepPasses() const {
    const std::string log = session->fGame().fLog();
    const std::size_t at = log.rfind("tut_curr_msg= ");
    if (at == std::string::npos) return false;
    const std::string told = "tutorial step " + std::to_string(std::atoi(log.c_str() + at + 14)) +
                             " passes: no pair to show\n";
    return at >= told.size() && log.compare(at - told.size(), told.size(), told) == 0;
  }
  // Waits for a chip-place block after the first `after` ones; the places read then.
  CHIP_PLACES waitForChipPlaces(int after, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    CHIP_PLACES places = qor_e2e::fReadChipPlaces(session->fGame().fLog());
    while (places.blocks <= after && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(100ms);
      places = qor_e2e::fReadChipPlaces(session->fGame().fLog());
    }
    return places;
  }

  // The newest block once no other has come for quiet (at most ten seconds of them).
  CHIP_PLACES settledChipPlaces(std::chrono::milliseconds quiet) {
    CHIP_PLACES places = qor_e2e::fReadChipPlaces(session->fGame().fLog());
    for (int n = 0; n * quiet < 10s; ++n) {
      std::this_thread::sleep_for(quiet);
      CHIP_PLACES now = qor_e2e::fReadChipPlaces(session->fGame().fLog());
      if (now.blocks == places.blocks) return now;
      places = std::move(now);
    }
    return places;
  }

  // How many of a level's three stars the picture shows lit: a spot shows the lit star when its
  // pixels match the lit frame of the star picture (the left of its two frames) where that frame
  // is opaque; the unlit frame is half transparent and lets the level's picture through.
  int litStars(const PICTURE& picture, float levelX, float levelY) const {
    const int frameWidth = stars.width / 2;
    int lit = 0;
    for (int k = 1; k <= 3; ++k) {
      // Anchored at the right centre: the right edge 90 right of the level's centre.
      const int left = static_cast<int>(levelX + kStarsDx) - frameWidth;
      const int top = static_cast<int>(levelY + kStarsDy * static_cast<float>(k - 2)) - stars.height / 2;
      long difference = 0;
      long compared = 0;
      for (int y = 0; y < stars.height; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
          const std::uint32_t star = stars.fAt(x, y);
          if ((star >> 24) != 0xFF) continue;
          const std::uint32_t shown = picture.fAt(left + x, top + y);
          for (int c = 0; c < 3; ++c) {
            difference += std::abs(static_cast<int>((shown >> (8 * c)) & 0xFF) - static_cast<int>((star >> (8 * c)) & 0xFF));
          }
          compared += 3;
        }
      }
      // A lit star differs by a few levels per channel (scaling), an unlit one by sixty and more.
      if (compared > 0 && difference < 25 * compared) ++lit;
    }
    return lit;
  }

  // The left panel's money in the picture (the text over its plate).
  static int moneyChanged(const PICTURE& a, const PICTURE& b) {
    return a.fChangedPixels(b, static_cast<int>(kMoneyX) - 70, static_cast<int>(kMoneyY) - 20, 140, 40);
  }

  std::unique_ptr<TITLE_LAYOUT> layout;
  PACK_IMAGE introPanel;
  PACK_IMAGE slider;
  PACK_IMAGE stars;
  std::unique_ptr<E2E_SESSION> session;
};

TEST_F(LevelRoad, FirstLevelWithItsTutorialKeepsStarsAndMoney) {
  // First run: a new player by typed name, the start comic page by page, the packs.
  ASSERT_FALSE(startToTitle("01_title").fEmpty());
  ASSERT_TRUE(clickToRest(static_cast<float>(layout->playX), static_cast<float>(layout->buttonsY), kTitleWithBox))
      << "Play asked no name";
  // The keys go to the game in order: the name is whole when its Return comes.
  ASSERT_TRUE(session->fInput().fType("Ann Lee")) << "xdotool failed";
  std::size_t mark = session->fGame().fLogSize();
  key("Return");
  ASSERT_TRUE(session->fGame().fWaitForLog("newname== Ann Lee", 30s)) << session->fGame().fLog();
  // The start comic: its button answers once it has fully appeared; the second page, then the
  // packs screen, which records that the comic was seen.
  ASSERT_TRUE(session->fWaitForRest(mark, kComic)) << "the comic did not come";
  ASSERT_TRUE(clickToRest(kComicNextX, kComicNextY, kComic)) << "the comic did not turn its page";
  ASSERT_TRUE(clickToRest(kComicNextX, kComicNextY, kPacks)) << "the packs screen did not come to rest";
  EXPECT_FALSE(waitForFile([](const pugi::xml_node& p) {
                 return std::string(p.attribute("seen_start_comics").value()) == "true";
               }).child("player").empty())
      << "the comic was not recorded as seen";
  const PICTURE packs = shot("02_packs");
  EXPECT_FALSE(packs.fIsDark(40)) << "the packs screen did not come";

  // Pack 1 slides the packs out and the levels in.
  ASSERT_TRUE(clickToRest(kPack1X, kPack1Y, kLevels)) << "pack 1 did not open its levels";
  const PICTURE levels = shot("03_levels");
  EXPECT_GT(packs.fChangedPixels(levels, 250, 0, kWidth - 250, kHeight), kWidth * kHeight / 8)
      << "pack 1 did not open its levels";
  EXPECT_EQ(litStars(levels, kLevel1X, kLevel1Y), 0) << "level 1 shows stars before it was played";

  // Level 1: the board drops in, the intro panel comes down, then the tutorial's first step rises
  // (the intro answers once it is up).
  clickAt(kLevel1X, kLevel1Y);
  ASSERT_TRUE(session->fGame().fWaitForLog("tut_curr_msg= 1", 60s)) << "no tutorial at the intro";
  ASSERT_TRUE(session->fWaitForRest(session->fGame().fLog().rfind("tut_curr_msg= 1"), kLevelIntro))
      << "level 1's intro did not come to rest";
  const PICTURE intro = shot("04_level_intro");
  EXPECT_GT(levels.fChangedPixels(intro), kWidth * kHeight / 4) << "the level did not start";

  // The intro's start button (10 above the panel's lower edge) begins play: the first block of
  // free tiles is logged once the board stands still.
  clickAt(kMiddleX, kMiddleY + static_cast<float>(introPanel.height) / 2.0f - 10.0f);
  CHIP_PLACES places = waitForChipPlaces(0, 30s);
  ASSERT_GT(places.blocks, 0) << "no chip places logged (QOR_LOG_CHIP_PLACES); log:\n" << session->fGame().fLog();
  shot("05_game");

  // Play: each settled block of free tiles gives a pair to take; the tutorial's steps free only
  // the pair they show, or none while they point at a slot, which is then clicked. A new step is
  // acted on once its panel has come up, as a player waits to read it.
  int pairs = 0;
  int slotClicks = 0;
  int shownStep = 0;
  int stalls = 0;
  const auto end = std::chrono::steady_clock::now() + 240s;
  while (!session->fGame().fLogHas("LevelComplete end") && std::chrono::steady_clock::now() < end) {
    // While the tutorial runs, a removal is followed by its next step's own block.
    const bool tutorialOn = !session->fGame().fLogHas("player->tutorial_show= 0");
    places = settledChipPlaces(tutorialOn ? 1200ms : 300ms);
    const int step = tutorialStep();
    if (step != shownStep) {
      shownStep = step;
      // The step's panel rises: acted on once it has come up (or the level has ended with it). A
      // step whose pair the board does not hold passes without it, told just before the step.
      const bool passes = tutorialStepPasses();
      if (tutorialOn && step >= 1 && step <= kTutorialSteps && !passes) {
        ASSERT_TRUE(session->fWaitForRest(session->fGame().fLog().rfind("tut_curr_msg= "), "screen="))
            << "step " << step << "'s panel did not come to rest";
      }
      places = qor_e2e::fReadChipPlaces(session->fGame().fLog());
      if (tutorialOn && step >= 2 && step <= kTutorialSteps && !passes) {
        session->fShot("06_tutorial_step_" + std::to_string(step));
        // A step that shows any pair leaves only that pair free; a slot step leaves none.
        if (step == 2 || step == 4) {
          EXPECT_EQ(places.chips.size(), 2u) << "step " << step << " frees more than its pair";
          EXPECT_TRUE(qor_e2e::fMatchingPair(places.chips)) << "step " << step << " shows no pair";
        }
        if (step == kSkillStep || step == kBonusStep) {
          EXPECT_TRUE(places.chips.empty()) << "step " << step << " leaves tiles free";
        }
      }
    }
    const auto pair = qor_e2e::fMatchingPair(places.chips, tutorialOn);
    if (pair) {
      clickAt(static_cast<float>(pair->first.x), static_cast<float>(pair->first.y));
      clickAt(static_cast<float>(pair->second.x), static_cast<float>(pair->second.y));
      ++pairs;
    } else if (tutorialOn && (step == kSkillStep || step == kBonusStep)) {
      clickAt(step == kSkillStep ? kSkillSlotX : kBonusSlotX, kSlotY);
      ++slotClicks;
    } else {
      // No pair among the free tiles: the game's own message (a shuffle or a restart) answers it.
      key("Return");
    }
    const CHIP_PLACES next = waitForChipPlaces(places.blocks, 10s);
    if (next.blocks == places.blocks && !session->fGame().fLogHas("LevelComplete end")) {
      ASSERT_LT(++stalls, 5) << "the board stopped answering at step " << step << "; log:\n"
                             << session->fGame().fLog();
      continue;
    }
    stalls = 0;
  }
  ASSERT_TRUE(session->fGame().fLogHas("LevelComplete end")) << pairs << " pairs taken; log:\n"
                                                             << session->fGame().fLog();
  // The tutorial's ten steps came one after the other, both its slots were clicked, and it ended
  // with the level.
  EXPECT_GE(slotClicks, 2) << "a slot step was not reached";
  for (int step = 1; step <= kTutorialSteps; ++step) {
    EXPECT_TRUE(session->fGame().fLogHas("tut_curr_msg= " + std::to_string(step))) << "tutorial step " << step;
  }
  EXPECT_TRUE(session->fGame().fLogHas("player->tutorial_show= 0")) << "the tutorial did not end";

  // The completion panel with its stars; the result and the money are saved with it.
  ASSERT_TRUE(session->fWaitForRest(session->fGame().fLog().rfind("LevelComplete end"), kLevelEnd))
      << "the completion panel did not come to rest";
  const PICTURE completion = shot("07_completion");
  EXPECT_GT(levels.fChangedPixels(completion, static_cast<int>(kMiddleX) - 200, static_cast<int>(kMiddleY) - 150, 400,
                                  300),
            10000)
      << "no completion panel";
  const pugi::xml_document won = waitForFile([](const pugi::xml_node& p) {
    return p.child("levels").attribute("lvl11").as_int(-1) >= 1;
  });
  const pugi::xml_node winner = won.child("player");
  ASSERT_TRUE(winner) << "level 1's result was not saved";
  EXPECT_STREQ(winner.attribute("tutorial_show").value(), "false") << "the finished tutorial would start over";
  const int starsWon = winner.child("levels").attribute("lvl11").as_int();
  const int money = winner.attribute("money").as_int();
  EXPECT_LE(starsWon, 3);
  EXPECT_GT(money, 0) << "the level's points did not become money";

  // Its OK returns to the levels screen: level 1 shows its stars, the money is counted up.
  ASSERT_TRUE(clickToRest(kMiddleX, kCompletionOkY, kLevels)) << "OK did not lead to the levels";
  const PICTURE levelsAfter = shot("08_levels_with_stars");
  EXPECT_EQ(litStars(levelsAfter, kLevel1X, kLevel1Y), starsWon);
  EXPECT_GT(moneyChanged(levels, levelsAfter), 20) << "the left panel does not show the money earned";

  // Level 2 follows straight on: its intro takes the start (the tutorial ended with level 1 and
  // leaves nothing behind), a pair is played there, and the pause panel's main menu, confirmed,
  // leads back to the levels screen.
  const int blocksOfLevel1 = qor_e2e::fReadChipPlaces(session->fGame().fLog()).blocks;
  ASSERT_TRUE(clickToRest(kLevel2X, kLevel1Y, kLevelIntro)) << "level 2's intro did not come to rest";
  shot("08b_level2_intro");
  clickAt(kMiddleX, kMiddleY + static_cast<float>(introPanel.height) / 2.0f - 10.0f);
  places = waitForChipPlaces(blocksOfLevel1, 30s);
  ASSERT_GT(places.blocks, blocksOfLevel1) << "level 2 never started; log:\n" << session->fGame().fLog();
  places = settledChipPlaces(300ms);
  const auto level2Pair = qor_e2e::fMatchingPair(places.chips);
  ASSERT_TRUE(level2Pair) << "level 2 shows no free pair";
  clickAt(static_cast<float>(level2Pair->first.x), static_cast<float>(level2Pair->first.y));
  clickAt(static_cast<float>(level2Pair->second.x), static_cast<float>(level2Pair->second.y));
  const CHIP_PLACES afterPair = waitForChipPlaces(places.blocks, 60s);
  ASSERT_GT(afterPair.blocks, places.blocks) << "the pair on level 2 was not taken";
  for (const qor_e2e::CHIP_PLACE& chip : afterPair.chips) {
    for (const qor_e2e::CHIP_PLACE& taken : {level2Pair->first, level2Pair->second}) {
      EXPECT_FALSE(chip.x == taken.x && chip.y == taken.y) << "a taken tile is still free";
    }
  }
  shot("08c_level2_pair");
  key("Escape");
  session->fWaitStill();  // the pause panel over the darkened board
  ASSERT_TRUE(clickToRest(kMainMenuX, kMainMenuY, "screen=0 help=0 options=0 box=1"))
      << "the pause panel's main menu asked nothing";
  const std::size_t quitMark = session->fGame().fLogSize();
  key("Return");
  ASSERT_TRUE(session->fWaitForRest(quitMark, kLevels)) << "the confirmed main menu did not lead to the levels";
  shot("08d_levels_after_level2");

  // The options: the sound knob (at the bar's middle for the default volume of one half) dragged
  // a fifth of the bar to the right; OK stores about 0.7. The bar picture holds the empty and the
  // full bar side by side; the bar is one of them wide.
  ASSERT_TRUE(clickToRest(kMenuColumn, kOptionsY, "screen=12 help=0 options=1")) << "Options did not open";
  const PICTURE options = shot("09_options");
  EXPECT_GT(levelsAfter.fChangedPixels(options, static_cast<int>(kMiddleX) - 200, static_cast<int>(kMiddleY) - 250, 400,
                                       500),
            3000)
      << "Options opened nothing";
  const float barWidth = static_cast<float>(slider.width / 2);
  EXPECT_TRUE(session->fInput().fDrag(kSoundSliderX, kSoundSliderY, kSoundSliderX + barWidth / 5.0f, kSoundSliderY));
  session->fWaitStill(200);
  shot("10_volume_dragged");
  ASSERT_TRUE(clickToRest(kMiddleX, kMiddleY + 285.0f, kLevels)) << "the options' OK did not close them";
  const pugi::xml_document stored = waitForFile([](const pugi::xml_node& p) {
    return std::fabs(p.attribute("sound_volume").as_float(0.5f) - 0.5f) > 0.05f;
  });
  ASSERT_TRUE(stored.child("player")) << "the volume change was not stored";
  EXPECT_NEAR(stored.child("player").attribute("sound_volume").as_float(), 0.7f, 0.03f);
  EXPECT_FLOAT_EQ(stored.child("player").attribute("music_volume").as_float(), 0.5f) << "the music moved too";

  // Back to the packs, back to the title, Quit confirmed: status 0.
  ASSERT_TRUE(clickToRest(kBackX, kBackY, kPacks)) << "Back did not lead to the packs";
  shot("11_packs_again");
  clickAt(kBackX, kBackY);
  const PICTURE titleAgain = inGame(session->fWaitForPicture(
      [&](const PICTURE& p) { return layout->fPanelAtRest(inGame(p)); }, 60s));
  session->fShot("12_title_again");
  ASSERT_FALSE(titleAgain.fEmpty()) << "Back did not lead to the title";
  ASSERT_TRUE(clickToRest(static_cast<float>(layout->quitX), static_cast<float>(layout->buttonsY), kTitleWithBox))
      << "Quit asked nothing";
  key("Return");
  const std::optional<int> first = session->fWaitExit(60s);
  EXPECT_TRUE(qor_e2e::fExitedWith(first, 0)) << "first run ended with status " << (first ? *first : -1);
  for (const std::string& line : qor_e2e::fMissingResourceLines(session->fGame().fLog())) {
    ADD_FAILURE() << "the first run logs \"" << line << "\"";
  }

  // Second run: the same player plays on from the packs; level 1 shows the same stars and the
  // left panel the same money, which player.xml still holds.
  ASSERT_FALSE(startToTitle("13_title_second_run").fEmpty());
  ASSERT_TRUE(clickToRest(static_cast<float>(layout->playX), static_cast<float>(layout->buttonsY), kPacks))
      << "Play did not lead to the packs";
  shot("14_packs_second_run");
  ASSERT_TRUE(clickToRest(kPack1X, kPack1Y, kLevels)) << "pack 1 did not open its levels";
  const PICTURE levelsAgain = shot("15_levels_second_run");
  EXPECT_EQ(litStars(levelsAgain, kLevel1X, kLevel1Y), starsWon);
  EXPECT_LE(moneyChanged(levelsAfter, levelsAgain), 20) << "the money shown differs from the first run's";
  pugi::xml_document kept;
  ASSERT_TRUE(kept.load_file(playerFile().c_str()));
  EXPECT_STREQ(kept.child("lastplayer").attribute("lpname").value(), "Ann Lee");
  EXPECT_EQ(kept.child("player").child("levels").attribute("lvl11").as_int(), starsWon);
  EXPECT_EQ(kept.child("player").attribute("money").as_int(), money);

  ASSERT_TRUE(session->fWindow().fRequestClose());
  const std::optional<int> second = session->fWaitExit(60s);
  EXPECT_TRUE(qor_e2e::fExitedWith(second, 0)) << "second run ended with status " << (second ? *second : -1);
  for (const std::string& line : qor_e2e::fMissingResourceLines(session->fGame().fLog())) {
    ADD_FAILURE() << "the second run logs \"" << line << "\"";
  }
}

}  // namespace

// A locked pack bought through the window: a player of pack 3's rank with 6000 of money (added to
// the game's own default_player.xml) leaves pack 3's offer (5000) with Escape, then confirms it:
// player.xml keeps 1000 and the pack open, which then opens its levels. Pack 2 (2000) is then
// beyond the money and stays locked.
TEST_F(LevelRoad, LockedPackIsBoughtWithMoney) {
  pugi::xml_document seed;
  ASSERT_TRUE(seed.load_string(
      qor_e2e::fReadPackText(kResources + "XML/config", "default_player.xml", MAHJONG_PACKS::kConfig).c_str()));
  seed.child("lastplayer").attribute("lpname") = "Buyer";
  pugi::xml_node buyer = seed.append_child("player");
  for (const auto& [name, value] :
       {std::pair{"name", "Buyer"}, {"money", "6000"}, {"XP", "50"}, {"seen_start_comics", "true"}}) {
    buyer.append_attribute(name) = value;
  }
  std::filesystem::create_directories(std::filesystem::path(playerFile()).parent_path());
  ASSERT_TRUE(seed.save_file(playerFile().c_str()));
  ASSERT_FALSE(startToTitle("21_title_buyer").fEmpty());
  ASSERT_TRUE(clickToRest(static_cast<float>(layout->playX), static_cast<float>(layout->buttonsY), kPacks));
  struct STEP {  // a click on a pack, its log line, the answer; the money and pack 3 in player.xml
    float x, y;
    const char *told, *key;
    int money;
    bool pack3;
  };
  for (const STEP& step : {STEP{kPack1X, kPack1Y + 210.0f, "pack 3 offered for 5000", "Escape", 6000, false},
                           STEP{kPack1X, kPack1Y + 210.0f, "pack 3 offered for 5000", "Return", 1000, true},
                           STEP{kPack1X + 350.0f, kPack1Y, "pack 2 costs 2000", "Return", 1000, true}}) {
    SCOPED_TRACE(step.told);
    const std::size_t mark = session->fGame().fLogSize();
    ASSERT_TRUE(clickToRest(step.x, step.y, "screen=6 help=0 options=0 box=1")) << "the locked pack asked nothing";
    EXPECT_NE(session->fGame().fLog().find(step.told, mark), std::string::npos);
    shot(std::string("22_") + step.told + " " + step.key);
    const std::size_t answered = session->fGame().fLogSize();
    key(step.key);
    ASSERT_TRUE(session->fWaitForRest(answered, kPacks)) << "the box did not close";
    const pugi::xml_document saved =
        waitForFile([&](const pugi::xml_node& p) { return p.attribute("money").as_int() == step.money; }, 1s);
    EXPECT_TRUE(saved.child("player")) << "the money in player.xml is not " << step.money;
    EXPECT_EQ(static_cast<bool>(saved.child("player").child("packs").attribute("id3")), step.pack3);
  }
  ASSERT_TRUE(session->fGame().fWaitForLog("pack 3 open", 30s)) << "the bought pack's flash never ended";
  ASSERT_TRUE(clickToRest(kPack1X, kPack1Y + 210.0f, kLevels)) << "the bought pack does not open its levels";
  shot("23_bought_pack_levels");
}
