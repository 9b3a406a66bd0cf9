// The slider base driven through the real input: the end buttons' press-and-release steps, the
// knob's drag with its snapping and clamping, enter and leave, and the places the knob takes for
// values, empty ranges, tracks of no length and steps below one.
#include "gui/widgets/qc_baseslider.h"
#include "tests/gui/sliders/slider_test_kit.h"

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

using namespace QOR;
using slider_test::SliderTest;

namespace {

// Knob 30 wide, button distance 1.5 (knob offset 45), hit radius 15. START (-310, 300) and END
// (810, 300) fit to the local ends (-545, 0) and (545, 0) around the widget at (250, 300): the
// track is 1090 long, so the knob has 1000 pixels to travel. In screen pixels: end 1 at -295,
// end 2 at 795, the knob from -250 (minimum) to 750 (maximum).
constexpr int kY = 300;
constexpr int kEnd1X = -295;
constexpr int kEnd2X = 795;
constexpr int kKnobMinX = -250;

class BaseSlider : public SliderTest {
 protected:
  std::unique_ptr<QC_BASESLIDER> make(float minimum, float maximum, float step, float value) {
    return std::make_unique<QC_BASESLIDER>(1, QS_VEC2(-310.0f, 300.0f), QS_VEC2(810.0f, 300.0f), 30.0f, 15.0f, 1.5f,
                                           minimum, maximum, step, value);
  }
  // Presses the knob where it rests, drags it to x and returns the value before the release.
  float dragTo(QC_BASESLIDER& s, int x) {
    const QS_VEC2 knob = s.fGetKnobPosition() + s.fGetPosition();
    moveTo(s, static_cast<int>(knob.x), kY);
    EXPECT_NE(press(s), nullptr);
    QS_GUI_EVENT* during = moveTo(s, x, kY);
    EXPECT_NE(during, nullptr);
    EXPECT_EQ(s.fGetEvent(), QE_GUI_CHANGED);
    return s.fGetValue();
  }
  float knobScreenX(const QC_BASESLIDER& s) { return s.fGetKnobPosition().x + s.fGetPosition().x; }
};

TEST_F(BaseSlider, FitsTheEndsAroundTheWidgetAndPlacesTheKnobByValue) {
  auto s = make(0.0f, 100.0f, 1.0f, 0.0f);
  EXPECT_EQ(s->fGetTypeCode(), 10);
  EXPECT_FLOAT_EQ(s->fGetPosition().x, 250.0f);
  EXPECT_FLOAT_EQ(s->fGetPosition().y, 300.0f);
  EXPECT_FLOAT_EQ(s->fGetEnd1().x, -545.0f);
  EXPECT_FLOAT_EQ(s->fGetEnd2().x, 545.0f);
  EXPECT_FLOAT_EQ(s->fGetLength(), 1120.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));

  s->fSetValue(50.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX + 500));
  s->fSetValue(150.0f);
  EXPECT_FLOAT_EQ(s->fGetValue(), 100.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), 750.0f);
  s->fSetValue(std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  s->fStepBy(-1);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);

  // Range 10..20: the ends of the range sit at end 1 + knob offset and end 2 - knob offset.
  s->fSetRange(10.0f, 20.0f);
  EXPECT_FLOAT_EQ(s->fGetValue(), 10.0f);
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().x, -500.0f);
  s->fSetValue(20.0f);
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().x, 500.0f);

  // A track of 2 x knob offset + 200 with range 0..100: value 50 is 100 pixels in.
  s->fSetRange(0.0f, 100.0f);
  s->fSetEnds(0.0f, 0.0f, 290.0f, 0.0f);
  s->fSetValue(50.0f);
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().x, 45.0f + 100.0f);
}

TEST_F(BaseSlider, EndButtonsStepOnAReleaseOverThemOnly) {
  auto s = make(0.0f, 100.0f, 1.0f, 0.0f);
  // Entering end 2 is recorded, not reported.
  EXPECT_EQ(moveTo(*s, kEnd2X, kY), nullptr);
  EXPECT_EQ(s->fGetEvent(), QE_GUI_ENTER);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kEnd2), QC_BASESLIDER::kHovered);
  QS_GUI_EVENT* down = press(*s);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->_id, 1);
  EXPECT_EQ(down->_event, QE_GUI_DOWN);
  EXPECT_TRUE(s->isHeld());
  // While held the pair comes back every tick with no event.
  QS_GUI_EVENT* held = tick(*s);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->_event, QE_GUI_NONE);
  QS_GUI_EVENT* up = release(*s);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->_event, QE_GUI_CHANGED);
  EXPECT_FLOAT_EQ(s->fGetValue(), 1.0f);
  EXPECT_FALSE(s->isHeld());
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kEnd2), QC_BASESLIDER::kHovered);

  // Pressed, then released after moving off: no step, event 0, still reported.
  press(*s);
  script.move(kEnd2X + 100, kY);
  up = release(*s);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->_event, QE_GUI_NONE);
  EXPECT_FLOAT_EQ(s->fGetValue(), 1.0f);
  // Leaving is recorded and the part goes idle.
  EXPECT_EQ(tick(*s), nullptr);
  EXPECT_EQ(s->fGetEvent(), QE_GUI_LEAVE);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kEnd2), QC_BASESLIDER::kIdle);

  // End 1 steps down; at the minimum it stays there. The mouse exactly on the end's centre.
  s->fSetValue(2.0f);
  moveTo(*s, kEnd1X, kY);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kEnd1), QC_BASESLIDER::kHovered);
  press(*s);
  EXPECT_EQ(release(*s)->_event, QE_GUI_CHANGED);
  EXPECT_FLOAT_EQ(s->fGetValue(), 1.0f);
  press(*s);
  release(*s);
  press(*s);
  release(*s);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
}

TEST_F(BaseSlider, DragSnapsTheValueToTheStepAndClampsAtTheEnds) {
  auto s = make(0.0f, 100.0f, 5.0f, 0.0f);
  // 37.9 snaps to 35; between the extremes the knob follows the mouse unsnapped.
  EXPECT_FLOAT_EQ(dragTo(*s, kKnobMinX + 379), 35.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX + 379));
  QS_GUI_EVENT* up = release(*s);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->_event, QE_GUI_CHANGED);
  EXPECT_FLOAT_EQ(s->fGetValue(), 35.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX + 350));  // jumps to the snapped place

  // 99.9 gives 95 (not above 100 - 5); 100 and beyond give the maximum.
  s->fSetValue(0.0f);
  EXPECT_FLOAT_EQ(dragTo(*s, kKnobMinX + 999), 95.0f);
  moveTo(*s, kKnobMinX + 1000, kY);
  EXPECT_FLOAT_EQ(s->fGetValue(), 100.0f);
  // Past end 2 the knob stops at end 2 - knob offset with the maximum.
  moveTo(*s, kEnd2X + 400, kY + 50);
  EXPECT_FLOAT_EQ(s->fGetValue(), 100.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), 750.0f);
  // The mouse exactly on end 2 and exactly on end 1.
  moveTo(*s, kEnd2X, kY);
  EXPECT_FLOAT_EQ(s->fGetValue(), 100.0f);
  moveTo(*s, kEnd1X, kY);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
  // 3 is below 0 + 5: the minimum. Behind end 1: the minimum at end 1 + knob offset.
  moveTo(*s, kKnobMinX + 30, kY);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  moveTo(*s, kEnd1X - 500, kY - 80);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
  release(*s);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kKnob), QC_BASESLIDER::kHovered);
}

TEST_F(BaseSlider, NegativeValuesSnapTowardZero) {
  // Range -10..10 over 1000 pixels: 50 pixels per unit. -7.2: floor -8, remainder -3, so -5.
  auto s = make(-10.0f, 10.0f, 5.0f, -10.0f);
  EXPECT_FLOAT_EQ(dragTo(*s, kKnobMinX + 140), -5.0f);
  release(*s);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX + 250));
}

TEST_F(BaseSlider, EnterAndLeaveAreRecordedWhileTheUpdateReportsNothing) {
  auto s = make(0.0f, 100.0f, 1.0f, 0.0f);
  EXPECT_EQ(moveTo(*s, kKnobMinX, kY), nullptr);
  EXPECT_EQ(s->fGetEvent(), QE_GUI_ENTER);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kKnob), QC_BASESLIDER::kHovered);
  EXPECT_EQ(tick(*s), nullptr);
  EXPECT_EQ(s->fGetEvent(), QE_GUI_NONE);
  EXPECT_EQ(moveTo(*s, kKnobMinX, kY + 100), nullptr);
  EXPECT_EQ(s->fGetEvent(), QE_GUI_LEAVE);
  EXPECT_EQ(s->fGetPartState(QC_BASESLIDER::kKnob), QC_BASESLIDER::kIdle);
  // A press away from every part does nothing.
  EXPECT_EQ(press(*s), nullptr);
  EXPECT_EQ(release(*s), nullptr);
  EXPECT_FALSE(s->isHeld());
}

TEST_F(BaseSlider, EmptyRangesTracksOfNoLengthAndOddStepsStayDefined) {
  // An empty range: the knob rests at end 1 + knob offset, set or dragged.
  auto s = make(0.0f, 0.0f, 1.0f, 5.0f);
  EXPECT_FLOAT_EQ(s->fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
  EXPECT_FLOAT_EQ(dragTo(*s, kKnobMinX + 400), 0.0f);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
  release(*s);
  EXPECT_FLOAT_EQ(knobScreenX(*s), static_cast<float>(kKnobMinX));
  s->fSetRange(0.0f, std::numeric_limits<float>::infinity());
  s->fSetValue(1.0e30f);
  EXPECT_TRUE(std::isfinite(s->fGetKnobPosition().x));

  // A track of no length: no direction and no scale; the knob stays at the end, also while it is
  // dragged over a track that shrank to nothing.
  QC_BASESLIDER point(3, QS_VEC2(100.0f, 100.0f), QS_VEC2(100.0f, 100.0f), 30.0f, 15.0f, 1.5f, 0.0f, 100.0f, 1.0f,
                      50.0f);
  EXPECT_FLOAT_EQ(point.fGetKnobPosition().x, point.fGetEnd1().x);
  EXPECT_FLOAT_EQ(point.fGetKnobPosition().y, point.fGetEnd1().y);
  auto shrunk = make(0.0f, 100.0f, 1.0f, 0.0f);
  dragTo(*shrunk, kKnobMinX + 300);
  shrunk->fSetEnds(10.0f, 0.0f, 10.0f, 0.0f);
  moveTo(*shrunk, kKnobMinX + 500, kY + 20);
  EXPECT_FLOAT_EQ(shrunk->fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(shrunk->fGetKnobPosition().x, 10.0f);
  EXPECT_FLOAT_EQ(shrunk->fGetKnobPosition().y, 0.0f);
  release(*shrunk);

  // Ends and radii far beyond the screen saturate the debug rectangle instead of overflowing.
  QC_BASESLIDER far(5, QS_VEC2(-1.0e30f, 0.0f), QS_VEC2(1.0e30f, 0.0f), 30.0f, 1.0e30f, 1.5f, 0.0f, 100.0f, 1.0f, 0.0f);
  EXPECT_EQ(far.fGetRectLeft(), INT_MIN);
  EXPECT_EQ(far.fGetRectRight(), INT_MAX);
  far.fSetRadius(-std::numeric_limits<float>::infinity());
  far.fDrawDebug();

  // A step below one floors to multiples of the step; a zero step does not divide.
  auto half = make(0.0f, 10.0f, 0.5f, 0.0f);  // 100 pixels per unit
  EXPECT_FLOAT_EQ(dragTo(*half, kKnobMinX + 377), 3.5f);
  release(*half);
  half->fStepBy(1);
  EXPECT_FLOAT_EQ(half->fGetValue(), 4.0f);
  auto zero = make(0.0f, 10.0f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(dragTo(*zero, kKnobMinX + 377), 3.0f);
  release(*zero);
  zero->fStepBy(5);
  EXPECT_FLOAT_EQ(zero->fGetValue(), 3.0f);
}

TEST_F(BaseSlider, RadiusAndDefaultsAndTheDebugOverlay) {
  // Ends (-50, 0) and (50, 0), range 0..100, knob offset 40.
  QC_BASESLIDER plain(4, 20.0f, 2.0f);
  EXPECT_FLOAT_EQ(plain.fGetKnobPosition().x, -10.0f);
  plain.fSetRadius(25.0f);
  for (int part = 0; part < 3; ++part) EXPECT_FLOAT_EQ(plain.fGetHitArea(part)->fGetWidth(), 25.0f);
  EXPECT_EQ(plain.fGetRectLeft(), -75);
  EXPECT_EQ(plain.fGetRectBottom(), 25);
  draws();
  plain.fDrawDebug();
  EXPECT_FALSE(draws().empty());
}

}  // namespace
