// The image buttons driven through the real input object: enter, press, click and cancel
// sequences with their callbacks and results, the shown cell, sizes, and the toggle.
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "tests/gui/gui_test_kit.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace QOR;
using gui_test::WidgetTest;

namespace {

std::vector<std::string> gCalls;

int onEnter(std::uintptr_t) { gCalls.push_back("enter"); return 0; }
int onLeave(std::uintptr_t) { gCalls.push_back("leave"); return 0; }
int onPress(std::uintptr_t) { gCalls.push_back("press"); return 0; }
int onLeft(std::uintptr_t) { gCalls.push_back("left"); return 0; }
int onRight(std::uintptr_t) { gCalls.push_back("right"); return 0; }

// The strip cell a sprite shows (its left u in fifths).
int cellOf(const QC_SPRITE* sprite) { return static_cast<int>(std::lround(sprite->fGetVertex(0)->u * 5.0f)); }

class ImageButtons : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    gCalls.clear();
    strip = texture(100, 20);  // five 20 x 20 cells
  }

  template <typename BUTTON>
  void wire(BUTTON& b) {
    b.fSetEnterCallback(&enter);
    b.fSetLeaveCallback(&leave);
    b.fSetPressCallback(&press);
    b.fSetLeftClickCallback(&left);
    b.fSetRightClickCallback(&right);
  }

  // One game tick: the widget's update, then the ageing of the key states.
  template <typename BUTTON>
  int tick(BUTTON& b) {
    const int result = b.fUpdate();
    script.age();
    return result;
  }

  QC_TEXTURE_INFO* strip = nullptr;
  QC_CALLBACK enter{&onEnter}, leave{&onLeave}, press{&onPress}, left{&onLeft}, right{&onRight};
};

TEST_F(ImageButtons, DefaultsTakeOneCellAndACircleIsRound) {
  QC_IMAGE_BUTTON rect(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  EXPECT_EQ(rect.fGetWidth(), 20);
  EXPECT_EQ(rect.fGetHeight(), 20);
  EXPECT_FLOAT_EQ(rect.fGetHitArea()->fGetWidth(), 20.0f);
  EXPECT_EQ(cellOf(rect.fGetImage()), 0);

  QC_IMAGE_BUTTON circle(strip, nullptr, QC_HIT_AREA::kCircle, 80.0f, 0.0f);
  EXPECT_EQ(circle.fGetWidth(), 80);
  EXPECT_EQ(circle.fGetHeight(), 80);
  EXPECT_FLOAT_EQ(circle.fGetHitArea()->fGetWidth(), 40.0f);  // radius

  // A circle resized with a top-left anchor: radius 32, the picture's corner at the position and
  // the circle still centred on it.
  circle.fSetPosition(200.0f, 200.0f);
  circle.fSetSize(64, 64, QC_SPRITE::kAnchorTopLeft);
  EXPECT_FLOAT_EQ(circle.fGetHitArea()->fGetWidth(), 32.0f);
  EXPECT_FLOAT_EQ(circle.fGetImage()->fGetTransform()->_pivot.x, 0.0f);
  script.move(170, 200);
  EXPECT_EQ(tick(circle), 1);
}

TEST_F(ImageButtons, EnterAndPressInOneTickShowTheCellOnTheNextTick) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  script.move(100, 100);
  script.down(1);
  EXPECT_EQ(tick(button), 2);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press"}));
  EXPECT_EQ(button.fGetState(), 2);
  EXPECT_EQ(cellOf(button.fGetImage()), 0);
  EXPECT_EQ(tick(button), 0);  // held
  EXPECT_EQ(cellOf(button.fGetImage()), 2);
}

TEST_F(ImageButtons, PressAndReleaseInsideClicksOnce) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  script.move(100, 100);
  EXPECT_EQ(tick(button), 1);  // enter
  EXPECT_EQ(tick(button), 0);
  EXPECT_EQ(cellOf(button.fGetImage()), 1);
  script.down(1);
  EXPECT_EQ(tick(button), 0);
  EXPECT_EQ(button.fGetState(), 2);
  script.up(1);
  EXPECT_EQ(tick(button), QC_IMAGE_BUTTON::kClicked);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press", "left"}));
  EXPECT_EQ(button.fGetState(), 1);
  EXPECT_EQ(cellOf(button.fGetImage()), 1);
  EXPECT_EQ(tick(button), 0);  // no second click
  EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(ImageButtons, LeavingWhilePressedCancelsTheClick) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  script.move(100, 100);
  tick(button);
  script.down(1);
  tick(button);
  script.move(300, 300);
  script.up(1);  // released outside in the same tick it left
  EXPECT_EQ(tick(button), 0);
  EXPECT_EQ(button.fGetState(), 0);
  EXPECT_EQ(cellOf(button.fGetImage()), 0);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press", "leave"}));
  script.move(100, 100);
  EXPECT_EQ(tick(button), 1);  // back to normal: only an enter
}

TEST_F(ImageButtons, BothButtonsHeldReleasingLeftClicksWithoutItsCallback) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  script.move(100, 100);
  tick(button);
  script.down(1);
  script.down(2);
  tick(button);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press", "press"}));
  script.up(1);
  EXPECT_EQ(tick(button), QC_IMAGE_BUTTON::kClicked);
  EXPECT_EQ(gCalls.size(), 3u);  // right still held: no left click callback
  EXPECT_EQ(button.fGetState(), 1);
  script.up(2);
  EXPECT_EQ(tick(button), 0);  // state 1 does not look at releases
  EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(ImageButtons, RightButtonAloneClicksWithTheRightCallback) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  script.move(104, 100);
  tick(button);
  script.down(2);
  tick(button);
  script.up(2);
  EXPECT_EQ(tick(button), QC_IMAGE_BUTTON::kClicked);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press", "right"}));
}

TEST_F(ImageButtons, SelectedAndInactiveButtonsIgnoreThePointer) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  wire(button);
  button.fSetPosition(100.0f, 100.0f);
  for (int state : {3, 4}) {
    if (state == 3) button.fSelect(); else button.fDisable();
    script.move(100, 100);
    script.down(1);
    EXPECT_EQ(tick(button), 0);
    script.up(1);
    EXPECT_EQ(tick(button), 0);
    EXPECT_EQ(button.fGetState(), state);
    EXPECT_EQ(cellOf(button.fGetImage()), state);
  }
  EXPECT_TRUE(gCalls.empty());
  button.fEnable();
  EXPECT_EQ(cellOf(button.fGetImage()), 0);
  EXPECT_EQ(tick(button), 1);
}

TEST_F(ImageButtons, CallersMayShrinkTheHitAreaAfterConstruction) {
  QC_IMAGE_BUTTON button(strip, nullptr, QC_HIT_AREA::kRectangle, 207.0f, 71.0f);
  button.fSetPosition(500.0f, 400.0f);
  script.move(500 + 100, 400);
  EXPECT_EQ(tick(button), 1);
  button.fReset();
  // 165.6 wide from the picture's left edge (the pivot stays where the picture put it).
  button.fGetHitArea()->fSetWidth(button.fGetHitArea()->fGetWidth() * 0.8f);
  EXPECT_EQ(tick(button), 0);
  script.move(500 + 60, 400);
  EXPECT_EQ(tick(button), 1);
  button.fReset();
  script.move(500 - 100, 400);
  EXPECT_EQ(tick(button), 1);
}

TEST_F(ImageButtons, GivenTransformStaysWithItsOwner) {
  auto transform = std::make_unique<QS_TRANSFORM3>();
  {
    QC_IMAGE_BUTTON button(strip, transform.get(), QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
    button.fSetPosition(10.0f, 20.0f);
    EXPECT_FLOAT_EQ(transform->_position.x, 10.0f);
  }
  EXPECT_FLOAT_EQ(transform->_position.y, 20.0f);  // still alive after the button
  EXPECT_TRUE(gui_test::fReleased().empty());      // the caller's picture stays subscribed
}

TEST_F(ImageButtons, ToggleChecksAndUnchecks) {
  QC_IMAGE_CHECKBOX box(strip);
  wire(box);
  box.fSetPosition(100.0f, 100.0f);
  script.move(100, 100);
  EXPECT_EQ(tick(box), 0);
  EXPECT_EQ(box.fGetState(), 1);
  script.down(1);
  EXPECT_EQ(tick(box), 0);
  EXPECT_EQ(box.fGetState(), 2);
  script.up(1);
  EXPECT_EQ(tick(box), QC_IMAGE_CHECKBOX::kClicked);
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(cellOf(box.fGetImage()), 3);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"enter", "press", "left"}));

  gCalls.clear();
  EXPECT_EQ(tick(box), 0);  // over the checked box
  script.down(1);
  EXPECT_EQ(tick(box), 0);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"press"}));
  EXPECT_TRUE(box.isChecked());
  script.up(1);
  EXPECT_EQ(tick(box), QC_IMAGE_CHECKBOX::kClicked);
  EXPECT_FALSE(box.isCheckedBool());
  EXPECT_EQ(box.fGetState(), 1);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"press", "left"}));

  box.fSetState(4);
  script.down(1);
  EXPECT_EQ(tick(box), 0);
  EXPECT_EQ(cellOf(box.fGetImage()), 4);
}

TEST_F(ImageButtons, CheckedToggleDrawsTheBaseCellUnderTheCheck) {
  QC_IMAGE_CHECKBOX box(strip);
  box.fSetPosition(100.0f, 100.0f);
  box.fSetState(3);
  auto drawnCells = [&]() {
    box.fRender();
    std::vector<int> cells;
    for (const auto& draw : draws()) {
      for (std::size_t i = 0; i * draw.stride < draw.vertices.size(); i += 4) {
        QS_VERTEX v;
        std::memcpy(&v, draw.vertices.data() + i * draw.stride, sizeof(QS_VERTEX));
        cells.push_back(static_cast<int>(std::lround(v.u * 5.0f)));
      }
    }
    return cells;
  };
  EXPECT_EQ(drawnCells(), (std::vector<int>{0, 3}));
  script.move(100, 100);
  tick(box);
  EXPECT_EQ(drawnCells(), (std::vector<int>{1, 3}));
  script.down(1);
  tick(box);
  EXPECT_EQ(drawnCells(), (std::vector<int>{2, 3}));
  EXPECT_EQ(cellOf(box.fGetImage()), 3);
  box.fSetState(0);
  EXPECT_EQ(drawnCells(), (std::vector<int>{0}));
}

}  // namespace
