// The message box over the real Resources and effect list, answered through the real input state
// (set as the message pump sets it, aged once per tick as the game loop does).
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/pack_passwords.h"
#include "game/flow/store_message_box.h"
#include "gui/widgets/qc_image_button.h"
#include "host/recording_device.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr float kX = 512.0f;
constexpr float kY = 384.0f;
constexpr int kEnter = STORE_MESSAGE_BOX::kKeyEnter;
constexpr int kEscape = STORE_MESSAGE_BOX::kKeyEscape;
using ANSWERS = std::vector<int>;

// A box with its own placement slot, as the players screen's: records each placement.
class RECORDING_BOX : public STORE_MESSAGE_BOX {
 public:
  void fSetPosition(float x, float y) override {
    placements.emplace_back(x, y);
    STORE_MESSAGE_BOX::fSetPosition(x, y);
  }
  bool isSliding() const { return _slide.active; }
  std::vector<std::pair<float, float>> placements;
};

class MessageBoxTest : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    QOR::QC_GAME::fAddPack("data/btns", MAHJONG_PACKS::kButtons);
    QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
    fadeInOutTime = 2.0f;
    QOR::qcFrameTime = 0.02f;
    gameSounds = new MAHJONG_SOUNDS(true);
    _click = gameSounds->GetEffects().at("button_click.ogg");
    ASSERT_NE(_click, nullptr);
  }
  void TearDown() override {
    delete gameSounds;
    gameSounds = nullptr;
    fadeInOutTime = 0.0f;
    GameServices::TearDown();
  }

  // One tick; a key given is released just before it.
  static int tick(STORE_MESSAGE_BOX& box, int key = 0) {
    if (key != 0) {
      QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(key));
      QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(key));
    }
    const int result = box.fUpdate();
    QOR::qcCurrentInput->fUpdate();
    return result;
  }
  // A mouse click on the button over three ticks (enter, button 1 down, up), following it.
  static ANSWERS click(STORE_MESSAGE_BOX& box, QOR::QC_IMAGE_BUTTON* button) {
    ANSWERS answers;
    for (int step = 0; step < 3; ++step) {
      const QOR::QS_VEC2 at = button->fGetPosition();
      QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(at.x), static_cast<int>(at.y));
      if (step == 1) QOR::qcCurrentInput->fKeyDown(1);
      if (step == 2) QOR::qcCurrentInput->fKeyUp(1);
      answers.push_back(tick(box));
    }
    QOR::qcCurrentInput->fSetMousePosition(0, 0);
    return answers;
  }
  // Ticks to the end of the slide; no answer on the way.
  static void settle(RECORDING_BOX& box) {
    for (int n = 0; n < 1000 && box.isSliding(); ++n) ASSERT_EQ(tick(box), 0);
  }
  // Whether the click sound was played since the last call.
  bool clicked() {
    const bool playing = _click->isPlaying();
    _click->fStop();
    return playing;
  }

  QOR::QC_SOUND* _click = nullptr;
};

// Info mode: Enter confirms even while sliding in, Escape is no answer, and a box never hidden
// answers 1 to each OK and Enter. Hidden, it answers nothing, slides up and closes itself; deleted,
// it gives its pictures back.
TEST_F(MessageBoxTest, MessageConfirmsUntilHiddenThenClosesByItself) {
  qor_test::LogCapture log;
  auto box = std::make_unique<RECORDING_BOX>();
  box->fShowMessage(L"Level complete", kX, kY);
  EXPECT_TRUE(box->isInfo() && !box->isQuestion());
  EXPECT_EQ(tick(*box), 0);
  EXPECT_EQ(tick(*box, kEnter), 1);
  EXPECT_TRUE(clicked() && box->isSliding());
  settle(*box);
  EXPECT_EQ(tick(*box, kEscape), 0);
  EXPECT_FALSE(clicked());
  EXPECT_EQ(click(*box, box->fGetOkButton()), (ANSWERS{0, 0, 1}));
  EXPECT_TRUE(clicked());
  EXPECT_EQ(tick(*box, kEnter), 1);
  EXPECT_TRUE(clicked() && box->isInfo());
  EXPECT_EQ(box->fGetOkButton()->fGetPosition().x, kX);
  EXPECT_EQ(box->fGetOkButton()->fGetPosition().y, kY + 150.0f);

  box->fHide();
  EXPECT_EQ(tick(*box, kEnter), 0);
  EXPECT_EQ(click(*box, box->fGetOkButton()), (ANSWERS{0, 0, 0}));
  EXPECT_EQ(box->fGetOkButton()->fGetState(), 1);  // clicked, but no answer
  EXPECT_FALSE(clicked());
  settle(*box);
  EXPECT_EQ(box->fGetPosition().y, STORE_MESSAGE_BOX::kHiddenY);
  EXPECT_EQ(tick(*box, kEnter), 0);
  EXPECT_FALSE(box->isOpen());
  EXPECT_FALSE(clicked());
  box.reset();
  for (const char* picture : {"Dark_back.png", "Message_back.png", "Ok_middle.png", "Delete_middle.png"}) {
    EXPECT_TRUE(log.hasLine(std::string("Fully unscribe ") + picture)) << picture;
  }
}

// Question mode: cancel (button or Escape) answers -1 exactly once; the box then closes by
// itself, taking nothing it receives while sliding away, nor on the tick it closes, as an answer.
TEST_F(MessageBoxTest, CancelAnswersOnceAndClosesByItself) {
  for (bool byButton : {true, false}) {
    RECORDING_BOX box;
    box.fShowQuestion(7, L"Delete the player?", kX, kY);
    settle(box);
    EXPECT_EQ(box.fGetOkButton()->fGetPosition().x, kX - 60.0f);
    EXPECT_EQ(box.fGetCancelButton()->fGetPosition().x, kX + 60.0f);
    if (byButton) {
      EXPECT_EQ(click(box, box.fGetCancelButton()), (ANSWERS{0, 0, -1}));
    } else {
      EXPECT_EQ(tick(box, kEscape), -1);
    }
    EXPECT_TRUE(clicked());
    EXPECT_EQ(tick(box, kEscape), 0);
    EXPECT_EQ(tick(box, kEnter), 0);
    EXPECT_EQ(click(box, box.fGetCancelButton()), (ANSWERS{0, 0, 0}));
    EXPECT_FALSE(clicked());
    settle(box);
    // The tick on which it closes takes no answer, and a closed box answers nothing.
    EXPECT_EQ(tick(box, kEnter), 0);
    EXPECT_FALSE(box.isOpen());
    EXPECT_EQ(tick(box, kEnter), 0);
    EXPECT_EQ(click(box, box.fGetOkButton()), (ANSWERS{0, 0, 0}));
    EXPECT_FALSE(clicked());
  }
}

// After a 1 the caller hides the question: OK, Enter and Escape answer 0 while it slides out. A
// new show then starts from above the screen with a fresh cancel button and answers again. Every
// placement (show, slide in, slide out) goes through the subclass's slot.
TEST_F(MessageBoxTest, HiddenQuestionIgnoresAnswersUntilShownAgain) {
  RECORDING_BOX box;
  box.fShowQuestion(0, L"Quit the game?", kX, kY);
  std::size_t ticks = 0;
  for (; box.isSliding() && ticks < 1000; ++ticks) ASSERT_EQ(tick(box), 0);
  ASSERT_EQ(box.placements.size(), ticks + 1);
  EXPECT_EQ(box.placements.front(), std::make_pair(kX, STORE_MESSAGE_BOX::kHiddenY));
  EXPECT_EQ(box.placements.back(), std::make_pair(kX, kY));

  ASSERT_EQ(tick(box, kEnter), 1);
  EXPECT_TRUE(clicked());
  box.fHide();
  box.placements.clear();
  EXPECT_EQ(tick(box, kEnter), 0);
  EXPECT_EQ(tick(box, kEscape), 0);
  EXPECT_EQ(click(box, box.fGetOkButton()), (ANSWERS{0, 0, 0}));
  EXPECT_FALSE(clicked());
  ASSERT_EQ(box.placements.size(), 5u);
  EXPECT_LT(box.placements.back().second, box.placements.front().second);

  box.fGetCancelButton()->fDisable();
  box.fShowQuestion(0, L"Quit the game?", kX, kY);
  EXPECT_EQ(box.fGetCancelButton()->fGetState(), 0);
  EXPECT_EQ(box.placements.back(), std::make_pair(kX, STORE_MESSAGE_BOX::kHiddenY));
  EXPECT_EQ(tick(box, kEnter), 1);
  EXPECT_TRUE(clicked());
}

// Nothing is drawn while closed; open, the text reaches the font as it stands ('%' included) in
// the golden colour, and question mode draws one picture more (the cancel button).
TEST_F(MessageBoxTest, RenderDrawsTextLiterallyAndOnlyWhileOpen) {
  QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
  pugi::xml_node description = QOR::QC_GAME::fLoadXml("regular.fnt")->child("font");
  QOR::QC_FONT font(description, QOR::QC_GAME::fSubscribeImage("regular_0.png"), 600);
  ASSERT_GT(font.fGetGlyphCount(), 0);
  auto picturesOfFrame = [&](STORE_MESSAGE_BOX& box) {
    host_test::fRecordedCalls().clear();
    EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
    box.fRender(&font);
    QOR::qcRENDER->EndScene();
    return host_test::fCountCalls("SetTexture");
  };

  RECORDING_BOX box;
  font.fPrintW(0, 0, L"before");
  EXPECT_EQ(picturesOfFrame(box), 0);
  EXPECT_STREQ(font.fGetTextW(), L"before");
  const std::wstring text = L"100% sure: %d %s %%\nsecond line %";
  box.fShowMessage(text, kX, kY);
  const int info = picturesOfFrame(box);
  EXPECT_GT(info, 0);
  EXPECT_EQ(std::wstring(font.fGetTextW()), text);
  EXPECT_EQ(font.fGetColor(), MAHJONG_CONSTS::GetInstance()->golden_color.fGetARGB());
  box.fShowQuestion(0, text, kX, kY);
  EXPECT_GT(picturesOfFrame(box), info);
}

}  // namespace
