// The store item over the real Resources, store settings and string table: its level from the
// player, the picture, texts and price of that level, improvements (refused outside 1..5) and what
// it draws.
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/resource_folders.h"
#include "game/flow/store_item.h"
#include "host/recording_device.h"
#include "tests/game/flow/flow_driver.h"

#include <memory>
#include <string>

namespace {

class StoreItem : public flow_test::FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    // The game runs in its resource folder, where the item reads the settings of a new level.
    ASSERT_EQ(chdir((qor_test::fGameDir() / "Resources").c_str()), 0);
    ASSERT_TRUE(settings.load_file("store_settings.xml"));
    player = std::make_unique<MAHJONG_PLAYER>((documents() / "none.xml").string(), L"shopper");
    player->m_bonuses.clear();
    player->m_abilities.clear();
  }
  void TearDown() override {
    player.reset();
    FlowDriver::TearDown();
  }

  std::unique_ptr<STORE_ITEM> make(int kind, const char* id, float x = 300.0f, float y = 200.0f) {
    return std::make_unique<STORE_ITEM>(kind, player.get(), &settings, x, y, 2, id);
  }
  static std::wstring text(const char* key) { return pugi::as_wide(gameManager->GetLocman()->fGetValue(key)); }
  // Whether the sprite shows the picture of that resource name.
  static bool shows(const QOR::QC_SPRITE* sprite, const char* name) {
    QOR::QC_TEXTURE_INFO* expected = QOR::QC_GAME::fSubscribeImage(name);
    const bool same = sprite != nullptr && expected != nullptr && sprite->fGetTexture() == expected &&
                      expected != QOR::qcRENDER->fGetDefaultTexture();
    QOR::QC_GAME::fUnscribeImage(expected);
    return same;
  }
  // The pictures one frame of the item binds.
  static int picturesOf(STORE_ITEM& item, QOR::QC_FONT* title, QOR::QC_FONT* body) {
    host_test::fRecordedCalls().clear();
    EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
    item.fRender(title, body, 0.0f, 40.0f);
    QOR::qcRENDER->EndScene();
    return host_test::fCountCalls("SetTexture");
  }

  pugi::xml_document settings;
  std::unique_ptr<MAHJONG_PLAYER> player;
};

TEST_F(StoreItem, LevelsComeFromThePlayerAndTextsFromTheLeafOfThatLevel) {
  player->m_bonuses.emplace_back(2, 1);
  player->m_abilities.emplace_back(1, 3);
  player->m_bonusSlots = 2;
  player->m_abilitySlots = 3;

  auto bonus = make(STORE_ITEM::kBonus, "2");
  EXPECT_EQ(bonus->id, 2);
  EXPECT_EQ(bonus->level, 2);
  EXPECT_EQ(bonus->price, 1700.0f);
  EXPECT_EQ(bonus->title, text("st_bonus2"));
  EXPECT_EQ(bonus->text, text("bn22"));
  EXPECT_NE(bonus->text, L"not found");
  EXPECT_TRUE(shows(bonus->fGetButton()->fGetImage(), "data/buttons/ Bonus_02.png"));
  EXPECT_TRUE(shows(bonus->fGetLabel(), "data/buttons/labels/ Bonus1_2.png"));
  EXPECT_NE(bonus->fGetButton()->fGetState(), 4);
  EXPECT_EQ(bonus->fGetButton()->fGetPosition(), QOR::QS_VEC2(300.0f, 200.0f));
  // The item registers the folders of its pictures.
  EXPECT_NE(QOR::qcRESOURCE_LOADER->fGetPack(MAHJONG_FOLDERS::kButtons), nullptr);
  EXPECT_NE(QOR::qcRESOURCE_LOADER->fGetPack(MAHJONG_FOLDERS::kButtonLabels), nullptr);

  auto ability = make(STORE_ITEM::kAbility, "1");
  EXPECT_EQ(ability->level, 4);
  EXPECT_EQ(ability->price, 5300.0f);
  EXPECT_EQ(ability->text, text("ab14"));
  EXPECT_TRUE(shows(ability->fGetButton()->fGetImage(), "data/buttons/ Skill_04.png"));
  EXPECT_TRUE(shows(ability->fGetLabel(), "data/buttons/labels/ Skill1_4.png"));

  // Slots: no label; the fourth slot is the last to buy.
  auto bonusSlot = make(STORE_ITEM::kBonusSlot, "0");
  EXPECT_EQ(bonusSlot->level, 3);
  EXPECT_EQ(bonusSlot->text, text("bnslot3"));
  EXPECT_EQ(bonusSlot->fGetLabel(), nullptr);
  EXPECT_TRUE(shows(bonusSlot->fGetButton()->fGetImage(), "data/buttons/ Bonus_Slot.png"));
  EXPECT_NE(bonusSlot->fGetButton()->fGetState(), 4);
  auto abilitySlot = make(STORE_ITEM::kAbilitySlot, "0");
  EXPECT_EQ(abilitySlot->level, 4);
  EXPECT_EQ(abilitySlot->text, text("abslot4"));
  EXPECT_EQ(abilitySlot->fGetButton()->fGetState(), 4);

  // Without a record of the player the level is 1.
  auto fresh = make(STORE_ITEM::kAbility, "3");
  EXPECT_EQ(fresh->level, 1);
  EXPECT_TRUE(shows(fresh->fGetLabel(), "data/buttons/labels/ Skill3.png"));
}

TEST_F(StoreItem, ImprovementsOutsideOneToFiveChangeNothingAndTheLastDisablesTheButton) {
  auto item = make(STORE_ITEM::kAbility, "2");
  ASSERT_EQ(item->level, 1);
  const std::wstring title = item->title;
  for (int refused : {0, 6, -1}) {
    item->fSetImprovement(refused);
    EXPECT_EQ(item->level, 1) << refused;
    EXPECT_EQ(item->price, 1400.0f) << refused;
  }
  item->fSetImprovement(3);
  EXPECT_EQ(item->level, 3);
  EXPECT_EQ(item->price, 3600.0f);
  EXPECT_EQ(item->text, text("ab23"));
  EXPECT_EQ(item->title, title);
  EXPECT_TRUE(shows(item->fGetButton()->fGetImage(), "data/buttons/ Skill_03.png"));
  EXPECT_TRUE(shows(item->fGetLabel(), "data/buttons/labels/ Skill2_3.png"));
  EXPECT_NE(item->fGetButton()->fGetState(), 4);
  item->fSetPosition(500.0f, 120.0f);
  EXPECT_EQ(item->fGetLabel()->fGetPosition(), QOR::QS_VEC2(500.0f, 120.0f));

  item->fSetImprovement(5);
  EXPECT_EQ(item->level, STORE_ITEM::kFullyImproved);
  EXPECT_EQ(item->fGetButton()->fGetState(), 4);
  EXPECT_EQ(item->price, 0.0f) << "the settings hold no fifth level";

  // A slot is done at its fourth.
  auto slot = make(STORE_ITEM::kBonusSlot, "0");
  slot->fSetImprovement(4);
  EXPECT_EQ(slot->fGetButton()->fGetState(), 4);
  EXPECT_EQ(slot->text, text("bnslot4"));
}

TEST_F(StoreItem, DrawsButtonLabelTextsAndPriceUntilFullyImproved) {
  QOR::QC_FONT* title = manager->boldFont;
  QOR::QC_FONT* body = manager->regularFont;
  ASSERT_NE(title, nullptr);
  ASSERT_NE(body, nullptr);
  auto item = make(STORE_ITEM::kBonus, "1");
  const int withoutFonts = picturesOf(*item, nullptr, nullptr);
  EXPECT_GE(withoutFonts, 2) << "the button and the label";
  EXPECT_GT(picturesOf(*item, title, body), withoutFonts);
  EXPECT_STREQ(title->fGetText(), "750") << "the price is the title font's last print";
  EXPECT_EQ(std::wstring(body->fGetTextW()), text("bn11"));

  // A price of 0 prints none: the title font's last number stays what it was.
  item->price = 0.0f;
  EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
  title->fPrint(0, 0, "%s", "none");
  QOR::qcRENDER->EndScene();
  picturesOf(*item, title, body);
  EXPECT_STREQ(title->fGetText(), "none");
  EXPECT_EQ(std::wstring(title->fGetTextW()), item->title);

  item->fSetImprovement(5);
  EXPECT_EQ(picturesOf(*item, title, body), 0);
}

}  // namespace
