// The clickable widgets of the tree driven through the real input object: the five-cell button's
// enter, press, click and cancel, the two-cell button's down and up with their log lines, and the
// check box's check and uncheck cycle with the cells it draws.
#include "gui/widgets/qc_gui_button2.h"
#include "gui/widgets/qc_gui_button5.h"
#include "gui/widgets/qc_gui_checkbox5.h"
#include "tests/gui/forms/forms_test_kit.h"
#include "tests/kit/log_capture.h"

using namespace QOR;
using forms_test::fCellOf;
using forms_test::FormWidgetTest;

namespace {

class Buttons : public FormWidgetTest {
 protected:
  void SetUp() override {
    FormWidgetTest::SetUp();
    strip = texture(100, 20);  // five 20 x 20 cells
  }
  QC_TEXTURE_INFO* strip = nullptr;
};

TEST_F(Buttons, FiveCellButtonReportsEnterPressAndClick) {
  QC_GUI_BUTTON5 button(5, strip);
  wire(button);
  button.fSetPosition(100.0f, 100.0f, 0.0f);
  EXPECT_FLOAT_EQ(button.fGetWidth(), 20.0f);
  EXPECT_FLOAT_EQ(button.fGetHitArea()->fGetWidth(), 20.0f);
  EXPECT_EQ(button.fGetTypeCode(), 0);

  script.move(300, 300);
  EXPECT_EQ(tick(button), nullptr);
  script.move(105, 95);
  EXPECT_EQ(reported(tick(button)), QE_GUI_ENTER);
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 1);
  EXPECT_TRUE(button.isActive());
  script.down(1);
  QS_GUI_EVENT* press = tick(button);
  ASSERT_NE(press, nullptr);
  EXPECT_EQ(press->_id, 5);
  EXPECT_EQ(press->_event, QE_GUI_DOWN);
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 1);  // the pressed cell shows from the next tick
  EXPECT_EQ(tick(button), nullptr);
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 2);
  script.up(1);
  EXPECT_EQ(reported(tick(button)), QE_GUI_UP);
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 1);
  EXPECT_EQ(calls(), (std::vector<std::string>{"enter", "down", "up"}));
  // The widget is the callbacks' argument.
  EXPECT_EQ(forms_test::fCalls().arguments.back(), reinterpret_cast<std::uintptr_t>(static_cast<QC_GUI_OBJECT*>(&button)));
}

TEST_F(Buttons, FiveCellPressThatLeavesIsCancelled) {
  QC_GUI_BUTTON5 button(5, strip);
  wire(button);
  button.fSetPosition(100.0f, 100.0f, 0.0f);
  script.move(100, 100);
  tick(button);
  script.down(1);
  EXPECT_EQ(reported(tick(button)), QE_GUI_DOWN);
  script.move(200, 100);
  EXPECT_EQ(reported(tick(button)), QE_GUI_LEAVE);
  EXPECT_FALSE(button.isPressed());
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 0);
  EXPECT_FALSE(button.isActive());
  script.up(1);
  EXPECT_EQ(tick(button), nullptr);
  EXPECT_EQ(calls(), (std::vector<std::string>{"enter", "down", "leave"}));
}

TEST_F(Buttons, FiveCellReleaseOffTheButtonInOneTickReportsLeave) {
  QC_GUI_BUTTON5 button(5, strip);
  button.fSetPosition(100.0f, 100.0f, 0.0f);
  script.move(100, 100);
  tick(button);
  script.down(1);
  tick(button);
  tick(button);
  script.move(300, 100);
  script.up(1);
  EXPECT_EQ(reported(tick(button)), QE_GUI_LEAVE);
  EXPECT_EQ(button.fGetState(), 0);
}

TEST_F(Buttons, SelectedAndDisabledButtonsIgnoreThePointer) {
  QC_GUI_BUTTON5 button(5, strip);
  button.fSetPosition(100.0f, 100.0f, 0.0f);
  button.fDisable();
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 4);
  script.move(100, 100);
  script.down(1);
  EXPECT_EQ(tick(button), nullptr);
  script.up(1);
  EXPECT_EQ(tick(button), nullptr);
  button.fSelect();
  EXPECT_EQ(fCellOf(button.fGetImage(), 5), 3);
  script.down(1);
  EXPECT_EQ(tick(button), nullptr);
  button.fEnable();
  EXPECT_EQ(button.fGetState(), 0);
  EXPECT_EQ(reported(tick(button)), QE_GUI_ENTER);
}

TEST_F(Buttons, TwoCellButtonReportsDownAndUpAlsoWhenSlidingOff) {
  QC_GUI_BUTTON2 button(9, texture(200, 50));
  button.fSetPosition(100.0f, 100.0f, 0.0f);
  EXPECT_FLOAT_EQ(button.fGetWidth(), 100.0f);
  EXPECT_FLOAT_EQ(button.fGetHeight(), 50.0f);
  EXPECT_FLOAT_EQ(button.fGetHitArea()->fGetWidth(), 100.0f);
  EXPECT_FLOAT_EQ(button.fGetHitArea()->fGetHeight(), 50.0f);
  button.fSetButtonDownCallback(new QC_CALLBACK(&forms_test::fRecordCall<2>));
  button.fSetButtonUpCallback(new QC_CALLBACK(&forms_test::fRecordCall<3>));
  wire(button);  // the base callbacks are not the two-cell button's

  qor_test::LogCapture log;
  script.move(130, 110);
  EXPECT_EQ(tick(button), nullptr);  // no enter
  script.down(1);
  EXPECT_EQ(reported(tick(button)), QE_GUI_DOWN);
  EXPECT_EQ(fCellOf(button.fGetImage(), 2), 1);
  EXPECT_TRUE(log.hasLine("DOWN"));
  EXPECT_EQ(tick(button), nullptr);  // held
  script.move(300, 110);
  EXPECT_EQ(reported(tick(button)), QE_GUI_UP);
  EXPECT_TRUE(log.hasLine("UP"));
  EXPECT_EQ(fCellOf(button.fGetImage(), 2), 0);
  EXPECT_EQ(calls(), (std::vector<std::string>{"down", "up"}));

  // A button already held when the pointer arrives does nothing.
  script.move(130, 110);
  EXPECT_EQ(tick(button), nullptr);
  EXPECT_EQ(button.fGetState(), 0);
}

TEST_F(Buttons, CheckBoxChecksAndUnchecksAndDrawsTheCheckOverThePointerCell) {
  QC_GUI_CHECKBOX5 box(3, strip);
  wire(box);
  box.fSetPosition(100.0f, 100.0f, 0.0f);
  EXPECT_EQ(box.fGetTypeCode(), 1);
  auto drawnCells = [&]() {
    draws();
    box.fRender();
    std::vector<int> cells;
    for (const QS_VERTEX& v : forms_test::fQuads(draws())) cells.push_back(static_cast<int>(std::lround(v.u * 5.0f)));
    return cells;
  };

  script.move(100, 100);
  EXPECT_EQ(tick(box), nullptr);
  EXPECT_EQ(box.fGetEvent(), QE_GUI_ENTER);
  script.down(1);
  EXPECT_EQ(reported(tick(box)), QE_GUI_DOWN);
  EXPECT_EQ(tick(box), nullptr);
  EXPECT_EQ(fCellOf(box.fGetImage(), 5), 2);
  script.up(1);
  EXPECT_EQ(reported(tick(box)), QE_GUI_UP);
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(tick(box), nullptr);
  EXPECT_EQ(drawnCells(), (std::vector<int>{1, 3}));

  // The pointer leaves: the box stays checked, with no leave event or callback.
  script.move(300, 100);
  EXPECT_EQ(tick(box), nullptr);
  EXPECT_EQ(box.fGetEvent(), QE_GUI_NONE);
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(drawnCells(), (std::vector<int>{0, 3}));

  // Unchecking: press and release over it.
  script.move(100, 100);
  tick(box);
  script.down(1);
  EXPECT_EQ(reported(tick(box)), QE_GUI_DOWN);
  EXPECT_EQ(drawnCells(), (std::vector<int>{2, 3}));
  script.up(1);
  EXPECT_EQ(reported(tick(box)), QE_GUI_UP);
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(fCellOf(box.fGetImage(), 5), 1);
  EXPECT_EQ(drawnCells(), (std::vector<int>{1}));
  EXPECT_EQ(calls(), (std::vector<std::string>{"enter", "down", "up", "down", "up"}));
}

TEST_F(Buttons, CheckBoxPressThatLeavesDoesNotCheckAndSizeMovesTheHitArea) {
  QC_GUI_CHECKBOX5 box(3, strip);
  box.fSetPosition(100.0f, 100.0f, 0.0f);
  script.move(100, 100);
  tick(box);
  script.down(1);
  tick(box);
  script.move(200, 100);
  EXPECT_EQ(tick(box), nullptr);
  EXPECT_EQ(box.fGetEvent(), QE_GUI_LEAVE);
  script.up(1);
  tick(box);
  EXPECT_FALSE(box.isChecked());

  box.fSetSize(60, 40);
  EXPECT_FLOAT_EQ(box.fGetWidth(), 60.0f);
  EXPECT_FLOAT_EQ(box.fGetHitArea()->fGetWidth(), 60.0f);
  script.move(125, 115);
  tick(box);
  EXPECT_EQ(box.fGetEvent(), QE_GUI_ENTER);
}

}  // namespace
