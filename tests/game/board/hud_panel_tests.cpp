// The in-game panel over the real Resources (pictures, font, click sound) on the recording device:
// its multiplier, its rings with data that reads 0, its two flashes, the bonus slot's place test
// and the menu request.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/pack_passwords.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_image_button.h"
#include "tests/game/kit/game_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kWidth = 1024.0f;
constexpr float kHeight = 768.0f;

int alphaOf(std::uint32_t argb) { return static_cast<int>(argb >> 24); }

// The left u of a digit strip's quad: cell n of 20 starts at n / 20.
int digitCell(const QOR::QC_SPRITE* digits) {
  return static_cast<int>(std::lround(digits->fGetVertex(0)->u * MAHJONG_HUD_PANEL::kDigitCells));
}

class HudPanelTest : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    QOR::QC_GAME::fAddPack("data/btns", MAHJONG_PACKS::kButtons);
    QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
    gameSounds = new MAHJONG_SOUNDS(true);
    _profile = std::make_unique<MAHJONG_PLAYER>((documents() / "player.xml").string(), L"Tester");
    _panel = std::make_unique<MAHJONG_HUD_PANEL>(_profile.get());
  }
  void TearDown() override {
    _panel.reset();
    delete gameSounds;
    gameSounds = nullptr;
    GameServices::TearDown();
  }

  // Ticks the panel until its multiplier flash stops; the flash sprite's alpha after each tick.
  std::vector<int> runMultiplierFlash(float dt) {
    std::vector<int> alphas;
    _panel->StartFlash();
    while (_panel->multFlash.running && alphas.size() < 10000) {
      _panel->Update(dt);
      alphas.push_back(alphaOf(_panel->flashSprite->fGetVertexColor(0)));
    }
    return alphas;
  }

  std::unique_ptr<MAHJONG_PLAYER> _profile;
  std::unique_ptr<MAHJONG_HUD_PANEL> _panel;
};

// The multiplier never drops below 1 and its digits follow it up to 20; the idle decay drains the
// progress to the current multiplier's start and then lowers the multiplier, and the ring shows
// the progress within the current multiplier (0 % when the step reads 0).
TEST_F(HudPanelTest, MultiplierClampsDigitsDecayAndRing) {
  MAHJONG_HUD_PANEL& panel = *_panel;
  for (int n : {0, -7}) {
    panel.SetMultiplier(5);
    panel.SetMultiplier(n);
    EXPECT_EQ(panel.GetMultiplier(), 1) << n;
    EXPECT_EQ(digitCell(panel.multDigits), 0) << n;
    EXPECT_EQ(digitCell(panel.multDigitsSelected), 0) << n;
  }
  panel.SetMultiplier(20);
  panel.SetMultiplier(21);
  EXPECT_EQ(panel.GetMultiplier(), 21);
  EXPECT_EQ(digitCell(panel.multDigits), 19);
  panel.SetMultiplier(7);
  EXPECT_EQ(digitCell(panel.multDigitsSelected), 6);

  // Step 50 (5 in the file), multiplier 2, progress 55: five steps down to 50, then the
  // multiplier drops and the progress stays, so the ring is full.
  panel.SetMultiplier(2);
  int progress = 55;
  std::vector<int> seen;
  while (panel.GetMultiplier() == 2 && seen.size() < 100) seen.push_back(progress = panel.DecayMultiplier(progress, 50));
  EXPECT_EQ(seen, (std::vector<int>{54, 53, 52, 51, 50, 50}));
  EXPECT_FLOAT_EQ(MAHJONG_HUD_PANEL::MultiplierRingPercent(progress, panel.GetMultiplier(), 50), 100.0f);
  EXPECT_EQ(panel.DecayMultiplier(0, 50), 0);
  EXPECT_EQ(panel.GetMultiplier(), 1);

  EXPECT_FLOAT_EQ(MAHJONG_HUD_PANEL::MultiplierRingPercent(60, 2, 50), 20.0f);
  panel.SetMultiplier(2);
  panel.ShowMultiplierProgress(60, 50);
  EXPECT_FLOAT_EQ(panel.multRing->fGetPercent(), 20.0f);
  for (int step : {0, -10}) {
    panel.ShowMultiplierProgress(60, step);
    EXPECT_EQ(panel.multRing->fGetPercent(), 0.0f) << step;
    EXPECT_EQ(MAHJONG_HUD_PANEL::MultiplierRingPercent(0, 1, step), 0.0f) << step;
  }
  panel.SetScore(-1234);
  EXPECT_STREQ(panel.pointsText, "-1234");
}

// The bonus ring shows the second bonus record's charge; without such a record or with a recover
// of 0 it shows 0 %, never a number that is not one, and drawing the panel reads nothing out of
// range. Texts reach the font as they stand ('%' included), in the money colour.
TEST_F(HudPanelTest, BonusRingWithMissingOrZeroDataAndLiteralTexts) {
  QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
  pugi::xml_node description = QOR::QC_GAME::fLoadXml("regular.fnt")->child("font");
  QOR::QC_FONT font(description, QOR::QC_GAME::fSubscribeImage("regular_0.png"), 600);
  ASSERT_GT(font.fGetGlyphCount(), 0);

  MAHJONG_PLAYER& profile = *_profile;
  profile.m_bonuses.clear();
  profile.m_bonuses.emplace_back(1, 0);
  profile.m_bonuses.emplace_back(2, 0);
  profile.m_bonuses[1].recover = 4;
  profile.m_bonuses[1].charge = 3;
  auto drawnPercent = [&]() {
    _panel->bonusRing->fSetPercent(50.0f);
    _panel->Render(&font, 12, "01:%d%s", 7, &profile);
    return _panel->bonusRing->fGetPercent();
  };
  EXPECT_FLOAT_EQ(drawnPercent(), 75.0f);
  EXPECT_STREQ(font.fGetText(), "01:%d%s");
  EXPECT_STREQ(font.fGetTextW(), L"7");
  EXPECT_EQ(font.fGetColor(), MAHJONG_CONSTS::GetInstance()->money_color.fGetARGB());

  for (int recover : {0, -3}) {
    profile.m_bonuses[1].charge = 0;
    profile.m_bonuses[1].recover = recover;
    EXPECT_EQ(MAHJONG_HUD_PANEL::BonusRingPercent(&profile), 0.0f) << recover;
    EXPECT_EQ(drawnPercent(), 0.0f) << recover;
  }
  // Lists of exactly that size, so a read past the end leaves the allocation.
  for (std::size_t records : {1u, 0u}) {
    profile.m_bonuses = std::vector<PLAYER_BONUS>(records, PLAYER_BONUS(1, 0));
    EXPECT_EQ(drawnPercent(), 0.0f) << records;
    EXPECT_EQ(MAHJONG_HUD_PANEL::BonusRingPercent(&profile), 0.0f);
  }
  EXPECT_EQ(MAHJONG_HUD_PANEL::BonusRingPercent(nullptr), 0.0f);
  _panel->Render(nullptr, 0, "", 0, nullptr);
}

// The multiplier flash runs its cycles of fade in, hold, fade out and dark pause: "cicles_count"
// 0 and 1 run one cycle, 3 run three alike; a fade-in step past the fade time leaves full alpha
// for the whole hold. Durations of 0 finish in a few ticks with alphas in range, even at dt 0.
TEST_F(HudPanelTest, MultiplierFlashCycles) {
  HUD_MULTIPLIER_FLASH& flash = _panel->multFlash;
  flash.fadeTime = 0.25f;
  flash.holdTime = 0.5f;
  std::vector<std::vector<int>> runs;
  for (int cycles : {0, 1, 3}) {
    flash.cycles = cycles;
    runs.push_back(runMultiplierFlash(0.125f));
  }
  const std::vector<int> one = runs[0];
  EXPECT_EQ(runs[1], one);
  ASSERT_EQ(runs[2].size(), 3 * one.size());
  for (std::size_t cycle = 0; cycle < 3; ++cycle) {
    EXPECT_TRUE(std::equal(one.begin(), one.end(), runs[2].begin() + static_cast<long>(cycle * one.size())));
  }
  // Fade in 127, 255 and one step past the fade time; four hold ticks at 255; the fade out
  // reaches 0 at once (the overshoot counts) and takes one more step; four dark ticks; the end.
  EXPECT_EQ(one, (std::vector<int>{127, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0}));

  flash.fadeTime = 0.0f;
  flash.holdTime = 0.0f;
  flash.cycles = 2;
  flash.Start();
  EXPECT_EQ(flash.Step(0.0f), 255);
  const std::vector<int> zero = runMultiplierFlash(0.016f);
  EXPECT_LE(zero.size(), 10u);
  for (int alpha : zero) EXPECT_TRUE(alpha >= 0 && alpha <= 255);
  EXPECT_FALSE(flash.running);
}

// The bonus-ready flash grows the sprite, fades it and pauses, "flash_count" times, and resets the
// sprite at each cycle's end. Durations of 0 end a cycle per tick; the look is never NaN.
TEST_F(HudPanelTest, BonusFlashCycles) {
  MAHJONG_HUD_PANEL& panel = *_panel;
  panel.SettleOnScreen();
  panel.bonusFlash.growth = 0.5f;
  panel.bonusFlash.growTime = 0.25f;
  panel.bonusFlash.fadeTime = 0.25f;
  panel.bonusFlash.pause = 0.5f;
  panel.bonusFlash.cycles = 2;
  QOR::QC_SPRITE* sprite = panel.bonusReadySprite;
  auto scale = [&]() { return sprite->fGetTransform()->_scale.x; };

  panel.bonusSlot.Reset();
  int ticks = 0;
  std::vector<int> cycleEnds;
  while (panel.bonusSlot.flashOn != 0 && ticks < 1000) {
    panel.Update(0.125f);
    ++ticks;
    const float t = panel.bonusSlot.flashTime;
    if (t == 0.0f) {
      cycleEnds.push_back(ticks);
      EXPECT_FLOAT_EQ(scale(), 1.0f);
      EXPECT_EQ(sprite->fGetVertexColor(0), 0xFFFFFFFFu);
    }
    panel.Render(nullptr, 0, "", 0, _profile.get());
    if (t == 0.125f) {
      EXPECT_FLOAT_EQ(scale(), 0.5f + 0.125f / (1.5f * 0.25f));
    }
    if (t == 0.375f) {
      EXPECT_EQ(alphaOf(sprite->fGetVertexColor(0)), 127);
    }
  }
  EXPECT_EQ(cycleEnds, (std::vector<int>{8, 16}));

  for (float* duration : {&panel.bonusFlash.growTime, &panel.bonusFlash.fadeTime, &panel.bonusFlash.pause}) {
    *duration = 0.0f;
  }
  panel.bonusFlash.growth = -1.0f;
  panel.bonusFlash.cycles = 3;
  panel.bonusSlot.Reset();
  panel.Render(nullptr, 0, "", 0, _profile.get());
  EXPECT_EQ(alphaOf(sprite->fGetVertexColor(0)), 0);
  for (ticks = 0; panel.bonusSlot.flashOn != 0 && ticks < 100; ++ticks) panel.Update(0.0f);
  EXPECT_EQ(ticks, 3);
  panel.bonusFlash.growTime = 0.25f;
  EXPECT_FLOAT_EQ(panel.bonusFlash.ScaleAt(0.1f), -1.0f);
  EXPECT_FALSE(std::isnan(scale()));
}

// The bonus slot is active only at its place, x and y each (a position of the same length
// elsewhere is not the place), within half a pixel, and while its button is not disabled.
// CreateSlots again keeps the parts; an empty slot does nothing and is never clicked.
TEST_F(HudPanelTest, BonusSlotActiveAtItsPlaceWithSubPixelDrift) {
  MAHJONG_HUD_PANEL& panel = *_panel;
  HUD_SLOT& slot = panel.bonusSlot;
  QOR::QC_SPRITE* icon = slot.icon;
  QOR::QC_IMAGE_BUTTON* button = slot.button;
  EXPECT_FALSE(slot.isActive());
  panel.CreateSlots(_profile.get());
  EXPECT_EQ(slot.icon, icon);
  EXPECT_EQ(slot.button, button);
  EXPECT_EQ(slot.id, 2);
  EXPECT_EQ(panel.skillSlot.id, 3);

  panel.PlaceSlots();
  EXPECT_TRUE(slot.isActive());
  EXPECT_FALSE(panel.skillSlot.isActive());
  const float x = kWidth - 60.0f;
  const float y = kHeight - 70.0f;
  for (auto [dx, dy] : {std::pair{0.3f, 0.0f}, {-0.4f, 0.2f}, {0.0f, -0.45f}}) {
    icon->fSetPosition(x + dx, y + dy, 0.0f);
    EXPECT_TRUE(slot.isActive()) << dx << " " << dy;
  }
  for (auto [dx, dy] : {std::pair{1.0f, 0.0f}, {0.0f, -2.0f}, {y - x, x - y}}) {
    icon->fSetPosition(x + dx, y + dy, 0.0f);
    EXPECT_FALSE(slot.isActive()) << dx << " " << dy;
  }
  panel.PlaceSlots();
  button->fDisable();
  EXPECT_FALSE(slot.isActive());
  slot.Reset();
  EXPECT_TRUE(slot.isActive());
  EXPECT_EQ(slot.flashOn, 1);
  button->fDisable();
  panel.ResetBonusButton();
  EXPECT_EQ(button->fGetState(), 0);

  HUD_SLOT empty;
  EXPECT_TRUE(empty.isEmpty());
  empty.SetPosition(x, y);
  empty.Render(x, y);
  EXPECT_EQ(empty.Click(), 0);
  EXPECT_FALSE(empty.isActive());
}

// Escape released and a click on the menu button both ask for the menu with the click sound;
// a tick with neither does not. Paused, the menu button shows state 3.
TEST_F(HudPanelTest, MenuRequestedByEscapeOrClick) {
  MAHJONG_HUD_PANEL& panel = *_panel;
  panel.SettleOnScreen();
  QOR::QC_SOUND* click = gameSounds->GetEffects().at("button_click.ogg");
  ASSERT_NE(click, nullptr);
  auto clicked = [&]() {
    const bool playing = click->isPlaying();
    click->fStop();
    return playing;
  };
  auto tick = [&]() {
    const bool asked = panel.isMenuRequested(0.016f);
    QOR::qcCurrentInput->fUpdate();
    return asked;
  };

  EXPECT_FALSE(tick());
  EXPECT_FALSE(clicked());
  QOR::qcCurrentInput->fKeyDown(QOR::kKeyEscape);
  QOR::qcCurrentInput->fKeyUp(QOR::kKeyEscape);
  EXPECT_TRUE(tick());
  EXPECT_TRUE(clicked());
  EXPECT_FALSE(tick());

  const QOR::QS_VEC2 at = panel.menuButton->fGetPosition();
  QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(at.x), static_cast<int>(at.y));
  std::vector<bool> asked;
  for (int step = 0; step < 3; ++step) {
    if (step == 1) QOR::qcCurrentInput->fKeyDown(1);
    if (step == 2) QOR::qcCurrentInput->fKeyUp(1);
    asked.push_back(tick());
  }
  EXPECT_EQ(asked, (std::vector<bool>{false, false, true}));
  EXPECT_TRUE(clicked());

  panel.SetPaused(true);
  EXPECT_TRUE(panel.isPaused());
  EXPECT_EQ(panel.menuButton->fGetState(), 3);
  panel.SetPaused(false);
  EXPECT_EQ(panel.menuButton->fGetState(), 0);
}

}  // namespace
