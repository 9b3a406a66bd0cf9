// The options and help overlays through the real manager and input: the volume mapping with its
// clamps, the choices stored, saved and applied on closing (Escape like OK), and the help's four
// pages with arrows that answer only where there is a page to go to.
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_chip.h"
#include "game/flow/volume_slider.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "host/test_doors.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/kit/log_capture.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using flow_test::kEnter;
using flow_test::kEscape;

TEST(OptionsVolume, SliderValuesMapToStoredVolumesWithBothClamps) {
  using M = OPTIONS_PARTS;
  EXPECT_EQ(M::SliderToVolume(5.0f), 0.0f);
  EXPECT_EQ(M::SliderToVolume(8.0f), 0.0f);
  EXPECT_FLOAT_EQ(M::SliderToVolume(9.0f), 0.09f);
  EXPECT_FLOAT_EQ(M::SliderToVolume(50.0f), 0.5f);
  EXPECT_EQ(M::SliderToVolume(90.0f), 1.0f);
  EXPECT_EQ(M::SliderToVolume(95.0f), 1.0f);
  EXPECT_EQ(M::SliderToVolume(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  // What a slider shows for a stored volume stays within 8 .. 90.
  EXPECT_FLOAT_EQ(M::VolumeToSlider(0.0f), 8.0f);
  EXPECT_FLOAT_EQ(M::VolumeToSlider(0.5f), 50.0f);
  EXPECT_FLOAT_EQ(M::VolumeToSlider(1.0f), 90.0f);
  EXPECT_FLOAT_EQ(M::VolumeToSlider(std::numeric_limits<float>::quiet_NaN()), 8.0f);
}

class Overlays : public flow_test::FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    manager->SavePlayerFile(L"ann");
    // A windowed player with the system cursor, on a desktop taller than the game's shape.
    manager->player->m_fullScreen = false;
    manager->player->m_customCursor = false;
    QOR::qcGAME->_desktopSize = QOR::QS_POINT(1280, 1024);
    manager->ApplyPlayerOptions();
    settle();
  }
  // Presses on the slider's knob, moves the mouse to x in a few ticks and releases there.
  void drag(VOLUME_SLIDER* slider, float x) {
    const QOR::QS_VEC2 knob = slider->GetKnob()->fGetPosition();
    QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(knob.x), static_cast<int>(knob.y));
    tick();
    QOR::qcCurrentInput->fKeyDown(1);
    tick();
    for (int step = 1; step <= 4; ++step) {
      const float at = knob.x + (x - knob.x) * static_cast<float>(step) / 4.0f;
      QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(at), static_cast<int>(knob.y) + 40);
      tick();
    }
    QOR::qcCurrentInput->fKeyUp(1);
    tick();
    QOR::qcCurrentInput->fSetMousePosition(0, 0);
  }
  void clickBox(const QOR::QC_IMAGE_CHECKBOX* box) {
    const QOR::QS_VEC2 at = box->fGetPosition();
    clickAt(at.x, at.y);
  }
  static std::string attribute(const char* name) {
    return playerFile().find_child_by_attribute("player", "name", "ann").attribute(name).value();
  }
};

// Sliders dragged to their ends store 0 and 1 and then show 8 and 90; a click on a tile set
// unchecks the others and a click on the checked one leaves it; the cursor and full-screen boxes
// toggle. Escape stores, saves and applies it all: the system cursor hides, the game goes full
// screen on the desktop with the bars of a taller desktop.
TEST_F(Overlays, OptionsStoreSaveAndApplyTheChoices) {
  manager->OpenOptions();
  settle();
  ASSERT_EQ(manager->optionsOpen, 1);
  ASSERT_FLOAT_EQ(manager->options.panel->fGetPosition().y, 384.0f);

  played("button_click.ogg");
  drag(manager->options.soundSlider, 0.0f);
  EXPECT_TRUE(played("button_click.ogg"));  // a sample of the new volume
  EXPECT_LE(manager->options.soundSlider->GetValue(), 8.0f);
  EXPECT_GT(manager->options.soundSlider->GetValue(), 0.0f);  // the knob stays half its width inside
  drag(manager->options.musicSlider, 1024.0f);
  EXPECT_GE(manager->options.musicSlider->GetValue(), 90.0f);
  EXPECT_LT(manager->options.musicSlider->GetValue(), 100.0f);

  ASSERT_TRUE(manager->options.classicBox->isChecked());
  clickBox(manager->options.cardsBox);
  EXPECT_TRUE(manager->options.cardsBox->isChecked());
  EXPECT_FALSE(manager->options.classicBox->isChecked());
  EXPECT_FALSE(manager->options.numbersBox->isChecked());
  clickBox(manager->options.cardsBox);
  EXPECT_TRUE(manager->options.cardsBox->isChecked());
  clickBox(manager->options.customCursorBox);
  clickBox(manager->options.fullScreenBox);
  EXPECT_TRUE(manager->options.customCursorBox->isChecked() && manager->options.fullScreenBox->isChecked());
  EXPECT_EQ(attribute("tileset"), "2");  // nothing is stored before the overlay closes

  tick(kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->optionsOpen != 0; }));
  settle();
  EXPECT_EQ(manager->player->m_soundVolume, 0.0f);
  EXPECT_EQ(manager->player->m_musicVolume, 1.0f);
  EXPECT_EQ(manager->player->m_tileset, "3");
  EXPECT_EQ(attribute("sound_volume"), "0");
  EXPECT_EQ(attribute("music_volume"), "1");
  EXPECT_EQ(attribute("tileset"), "3");
  EXPECT_EQ(attribute("custom_cursor"), "true");
  EXPECT_EQ(attribute("full_screen"), "true");
  EXPECT_FLOAT_EQ(manager->options.soundSlider->GetValue(), 8.0f);
  EXPECT_FLOAT_EQ(manager->options.musicSlider->GetValue(), 90.0f);
  EXPECT_LT(host_test::fCursorCounter(), 0);
  EXPECT_TRUE(QOR::qcRENDER->isFullScreen());
  EXPECT_EQ(QOR::qcGAME->_stretch, 1);
  EXPECT_EQ(manager->letterBox, 1);
  EXPECT_EQ(manager->pillarBox, 0);
  EXPECT_EQ(manager->options.tilesetChanged, 0);  // outside a level the new set is only stored

  // Back to a window: the system cursor shows again.
  manager->OpenOptions();
  settle();
  clickBox(manager->options.fullScreenBox);
  clickBox(manager->options.customCursorBox);
  click(manager->options.okButton);
  ASSERT_TRUE(runWhile([this] { return manager->optionsOpen != 0; }));
  EXPECT_FALSE(QOR::qcRENDER->isFullScreen());
  EXPECT_GE(host_test::fCursorCounter(), 0);
  EXPECT_EQ(attribute("full_screen"), "false");

  // A wide screen too small for the window: the game stays full screen however often the options
  // apply, and the box and the bars show it so.
  host_test::fSetWorkArea(0, 0, 1366, 768);
  QOR::qcGAME->_desktopSize = QOR::QS_POINT(1366, 768);
  QOR::qcGAME->fSetResolution(1024, 768, 0);
  qor_test::LogCapture log;
  manager->ApplyPlayerOptions();
  manager->ApplyPlayerOptions();
  EXPECT_TRUE(QOR::qcRENDER->isFullScreen());
  EXPECT_FALSE(log.contains("does not fit"));
  EXPECT_TRUE(manager->options.fullScreenBox->isChecked());
  EXPECT_EQ(manager->pillarBox, 1);
  EXPECT_EQ(attribute("full_screen"), "false");
}

// Help opens on page 1 with the twelve sample tiles; the right arrow turns up to page 4 and is
// dead there, the left one is dead on page 1; each page has its header and lines. Escape closes
// it like OK.
TEST_F(Overlays, HelpTurnsItsFourPagesAndClosesLikeOk) {
  const auto texts = [this](std::initializer_list<const char*> keys) {
    std::vector<std::wstring> out;
    for (const char* key : keys) out.push_back(manager->GetText(key));
    return out;
  };
  manager->OpenHelp();
  settle();
  ASSERT_EQ(manager->helpOpen, 1);
  EXPECT_FLOAT_EQ(manager->help.panel->fGetPosition().y, 384.0f);
  EXPECT_EQ(manager->help.page, 1);
  EXPECT_EQ(manager->help.header, manager->GetText("help_header_1"));
  EXPECT_EQ(manager->help.lines, texts({"help_text_1", "help_text_2", "help_text_3"}));
  ASSERT_EQ(manager->help.tiles.size(), 12u);
  std::vector<int> faces;
  for (const MAHJONG_CHIP* tile : manager->help.tiles) faces.push_back(tile->GetType());
  EXPECT_EQ(faces, (std::vector<int>{4, 14, 14, 4, 41, 40, 39, 38, 37, 36, 35, 34}));
  EXPECT_LT(manager->help.tiles[0]->GetPosition().y, manager->help.panel->fGetPosition().y);  // slid with the panel
  EXPECT_GT(manager->help.tiles[0]->GetPosition().y, 0.0f);

  played("button_click.ogg");
  click(manager->help.leftArrow);
  EXPECT_EQ(manager->help.page, 1);
  EXPECT_FALSE(played("button_click.ogg"));
  for (int page = 2; page <= 4; ++page) {
    click(manager->help.rightArrow);
    EXPECT_EQ(manager->help.page, page);
    EXPECT_TRUE(played("button_click.ogg"));
  }
  EXPECT_EQ(manager->help.header, manager->GetText("help_header_3"));
  EXPECT_EQ(manager->help.lines, texts({"help_text_11", "help_text_12"}));
  click(manager->help.rightArrow);
  EXPECT_EQ(manager->help.page, 4);
  EXPECT_FALSE(played("button_click.ogg"));
  click(manager->help.leftArrow);
  EXPECT_EQ(manager->help.page, 3);
  EXPECT_EQ(manager->help.header, manager->GetText("help_header_2"));
  EXPECT_EQ(manager->help.lines, texts({"help_text_7", "help_text_8", "help_text_9", "help_text_10"}));
  click(manager->help.leftArrow);
  EXPECT_EQ(manager->help.lines, texts({"help_text_4", "help_text_5", "help_text_6"}));

  tick(kEscape);
  EXPECT_TRUE(played("button_click.ogg"));
  ASSERT_TRUE(runWhile([this] { return manager->helpOpen != 0; }));
  EXPECT_FLOAT_EQ(manager->help.panel->fGetPosition().y, -300.0f);
  EXPECT_EQ(manager->help.page, 2);  // the page stays for the next opening
}

// A tile set chosen in the options is the one the help's sample tiles show at its next opening:
// its atlas is among the textures the help's frame draws with.
TEST_F(Overlays, HelpShowsTheTileSetChosenInTheOptions) {
  const std::pair<QOR::QC_IMAGE_CHECKBOX* OPTIONS_PARTS::*, const char*> choices[] = {
      {&OPTIONS_PARTS::cardsBox, "tiles_cards.png"}, {&OPTIONS_PARTS::numbersBox, "tiles_numbers.png"}};
  for (const auto& [box, atlas] : choices) {
    SCOPED_TRACE(atlas);
    manager->OpenOptions();
    settle();
    clickBox(manager->options.*box);
    tick(kEscape);
    ASSERT_TRUE(runWhile([this] { return manager->optionsOpen != 0; }));
    manager->OpenHelp();
    settle();
    host_test::fRecordedCalls().clear();
    tick();
    QOR::QC_TEXTURE_INFO* texture = QOR::QC_GAME::fSubscribeImage(atlas);
    ASSERT_NE(texture, nullptr);
    int bound = 0;
    int draws = 0;
    for (const host_test::RecordedCall& call : host_test::fRecordedCalls()) {
      if (call.name == "SetTexture" && call.args.size() >= 2 && call.args[0] == 0.0) bound = static_cast<int>(call.args[1]);
      if (!call.vertices.empty() && bound == host_test::fSerialOf(texture->_texture)) ++draws;
    }
    QOR::QC_GAME::fUnscribeImage(texture);
    EXPECT_GT(draws, 0);
    tick(kEscape);
    ASSERT_TRUE(runWhile([this] { return manager->helpOpen != 0; }));
  }
}

}  // namespace
