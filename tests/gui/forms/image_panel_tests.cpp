// The picture widgets: the image's one report per press and its sizes, and the panel's hover,
// press, drag (also below a moved parent), release anywhere, focus loss and new texture.
#include "gui/widgets/qc_gui_image.h"
#include "gui/widgets/qc_gui_panel.h"
#include "tests/gui/forms/forms_test_kit.h"

#include <memory>

using namespace QOR;
using forms_test::FormWidgetTest;

namespace {

class Pictures : public FormWidgetTest {};

TEST_F(Pictures, ImageReportsOnlyTheTickOfAPressOverIt) {
  QC_GUI_IMAGE image(4, texture(100, 100));
  image.fSetPosition(200.0f, 200.0f, 0.0f);
  EXPECT_EQ(image.fGetTypeCode(), 8);
  script.move(210, 190);
  EXPECT_EQ(tick(image), nullptr);
  script.down(1);
  EXPECT_EQ(reported(tick(image)), QE_GUI_DOWN);
  EXPECT_EQ(tick(image), nullptr);  // still held
  script.up(1);
  tick(image);
  // Pressed outside, then moved in while held: nothing.
  script.move(400, 400);
  script.down(1);
  tick(image);
  script.move(200, 200);
  EXPECT_EQ(tick(image), nullptr);
  EXPECT_EQ(image.fGetEvent(), QE_GUI_NONE);
}

TEST_F(Pictures, ImageSizeScalesThePictureButNotTheHitAreaAndNewTexturesAreGivenBack) {
  QC_TEXTURE_INFO* first = texture(100, 100);
  auto image = std::make_unique<QC_GUI_IMAGE>(4, first);
  image->fSetSize(50, 50);
  EXPECT_FLOAT_EQ(image->fGetWidth(), 50.0f);
  EXPECT_FLOAT_EQ(image->fGetHitArea()->fGetWidth(), 100.0f);
  EXPECT_FLOAT_EQ(image->fGetTransform()->_pivot.x, 25.0f);  // anchored at the centre again

  QC_TEXTURE_INFO* second = texture(64, 32);
  image->fSetTexture(second);
  EXPECT_EQ(gui_test::fReleaseCount(first), 1);
  EXPECT_FLOAT_EQ(image->fGetWidth(), 64.0f);
  EXPECT_FLOAT_EQ(image->fGetHitArea()->fGetWidth(), 100.0f);
  image.reset();
  EXPECT_EQ(gui_test::fReleaseCount(second), 1);
  EXPECT_EQ(gui_test::fReleaseCount(first), 1);
}

class Panels : public FormWidgetTest {
 protected:
  void SetUp() override {
    FormWidgetTest::SetUp();
    panel = std::make_unique<QC_GUI_PANEL>(6, texture(100, 60));
    panel->fSetPosition(400.0f, 300.0f, 0.0f);
    wire(*panel);
    panel->fSetGrabCallback(new QC_CALLBACK(&forms_test::fRecordCall<4>));
  }
  std::unique_ptr<QC_GUI_PANEL> panel;
};

TEST_F(Panels, DragKeepsTheGrabbedPointUnderThePointerUntilTheRelease) {
  EXPECT_EQ(panel->fGetTypeCode(), 6);
  script.move(410, 290);
  EXPECT_EQ(tick(*panel), nullptr);
  EXPECT_EQ(panel->fGetEvent(), QE_GUI_ENTER);
  script.down(1);
  EXPECT_EQ(reported(tick(*panel)), QE_GUI_DOWN);
  EXPECT_EQ(panel->fGetGrabOffsetX(), 10);
  EXPECT_EQ(panel->fGetGrabOffsetY(), -10);
  EXPECT_TRUE(panel->isGrabbed());

  script.move(500, 500);
  EXPECT_EQ(tick(*panel), nullptr);
  EXPECT_EQ(panel->fGetEvent(), QE_GUI_GRAB);
  EXPECT_FLOAT_EQ(panel->fGetPosition().x, 490.0f);
  EXPECT_FLOAT_EQ(panel->fGetPosition().y, 510.0f);
  EXPECT_EQ(tick(*panel), nullptr);  // the drag runs on every tick, moved or not
  EXPECT_EQ(panel->fGetEvent(), QE_GUI_GRAB);
  script.up(1);
  EXPECT_EQ(reported(tick(*panel)), QE_GUI_UP);
  EXPECT_FALSE(panel->isGrabbed());
  script.move(600, 600);
  tick(*panel);
  EXPECT_FLOAT_EQ(panel->fGetPosition().x, 490.0f);
  // The jump left the panel before it followed (leave, then enter on the next tick).
  EXPECT_EQ(calls(),
            (std::vector<std::string>{"enter", "down", "leave", "grab", "enter", "grab", "grab", "up", "leave"}));
}

TEST_F(Panels, EnterAndPressInOneTickReportThePress) {
  script.move(400, 300);
  script.down(1);
  EXPECT_EQ(reported(tick(*panel)), QE_GUI_DOWN);
  EXPECT_EQ(calls(), (std::vector<std::string>{"enter", "down"}));
}

TEST_F(Panels, FixedPanelReportsPressAndReleaseWithoutMoving) {
  panel->fSetMovable(false);
  script.move(400, 300);
  tick(*panel);
  script.down(1);
  EXPECT_EQ(reported(tick(*panel)), QE_GUI_DOWN);
  script.move(420, 310);
  EXPECT_EQ(tick(*panel), nullptr);
  EXPECT_EQ(panel->fGetEvent(), QE_GUI_NONE);
  script.up(1);
  EXPECT_EQ(reported(tick(*panel)), QE_GUI_UP);
  EXPECT_FLOAT_EQ(panel->fGetPosition().x, 400.0f);
  EXPECT_EQ(calls(), (std::vector<std::string>{"enter", "down", "up"}));
}

TEST_F(Panels, APressElsewhereTakesTheFocusSoTheReleaseReportsNothing) {
  script.move(100, 100);
  script.down(1);
  tick(*panel);
  EXPECT_FALSE(panel->isActive());
  script.move(400, 300);
  EXPECT_EQ(tick(*panel), nullptr);
  script.up(1);
  EXPECT_EQ(tick(*panel), nullptr);
}

TEST_F(Panels, ADragEndsWhenTheButtonComesUpEvenWithoutTheFocus) {
  script.move(400, 300);
  tick(*panel);
  script.down(1);
  tick(*panel);
  // A sibling took the focus during the drag.
  panel->fSetActive(false);
  script.move(450, 320);
  tick(*panel);
  script.up(1);
  EXPECT_EQ(tick(*panel), nullptr);
  EXPECT_FALSE(panel->isGrabbed());
  const QS_VEC2 released = panel->fGetPosition();
  script.move(700, 100);
  tick(*panel);
  EXPECT_FLOAT_EQ(panel->fGetPosition().x, released.x);
  EXPECT_FLOAT_EQ(panel->fGetPosition().y, released.y);
}

TEST_F(Panels, ChildrenMoveWithTheirPanelAndAMovedParentKeepsTheGrabUnderThePointer) {
  QC_GUI_OBJECT holder(0);
  holder.fSetPosition(100.0f, 50.0f, 0.0f);
  auto* inner = new QC_GUI_PANEL(7, texture(40, 40));
  inner->fSetPosition(20.0f, 10.0f, 0.0f);  // at (120, 60) on screen
  auto* child = new QC_GUI_OBJECT(8);
  child->fSetPosition(5.0f, 5.0f, 0.0f);
  inner->fAddControl(child);
  holder.fAddControl(inner);
  script.move(125, 62);
  tick(*inner);
  script.down(1);
  tick(*inner);
  script.move(225, 162);
  tick(*inner);
  const QS_TRANSFORM3 world = inner->fGetTransform()->fGetWorld(false, false, false);
  EXPECT_FLOAT_EQ(world._position.x, 220.0f);
  EXPECT_FLOAT_EQ(world._position.y, 160.0f);
  EXPECT_FLOAT_EQ(child->fGetTransform()->fGetWorld(false, false, false)._position.x, 225.0f);
}

TEST_F(Panels, NewTextureResizesPictureAndHitAreaAndGivesTheOldOneBack) {
  QC_TEXTURE_INFO* old = panel->fGetImage()->fGetTexture();
  QC_TEXTURE_INFO* wide = texture(256, 128);
  panel->fSetTexture(wide);
  EXPECT_EQ(panel->fGetPanelWidth(), 256);
  EXPECT_EQ(panel->fGetPanelHeight(), 128);
  EXPECT_FLOAT_EQ(panel->fGetWidth(), 256.0f);
  EXPECT_FLOAT_EQ(panel->fGetHitArea()->fGetWidth(), 256.0f);
  EXPECT_FLOAT_EQ(panel->fGetHitArea()->fGetHeight(), 128.0f);
  EXPECT_EQ(gui_test::fReleaseCount(old), 1);
  panel.reset();
  EXPECT_EQ(gui_test::fReleaseCount(wide), 1);
}

}  // namespace
