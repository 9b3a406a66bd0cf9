// The drawn sliders and the scroll bar: frame sizes from the strip, the track layout built from
// START and END, the track angle for the four directions, the part frames following the part
// states, the fill of the 13-frame slider from the track start to the knob, a new track, and the
// texture given back on destruction.
#include "gui/widgets/qc_gui_scrollbar.h"
#include "gui/widgets/qc_gui_slider12.h"
#include "gui/widgets/qc_gui_slider13.h"
#include "tests/gui/sliders/slider_test_kit.h"

#include <cmath>
#include <memory>

using namespace QOR;
using slider_test::Box;
using slider_test::SliderTest;
using slider_test::boxOf;

namespace {

constexpr float kPi = 3.1415927f;
using Strip = QC_GUI_SLIDER_STRIP;

// The strip frame a sprite shows (its left u in frames).
int frameOf(const QC_SPRITE* sprite, int frames) {
  return static_cast<int>(std::lround(sprite->fGetVertex(0)->u * static_cast<float>(frames)));
}

float angleOf(const QC_SPRITE* sprite) { return sprite->fGetTransform()->_rotation.z; }

class DrawnSliders : public SliderTest {
 protected:
  std::unique_ptr<QC_GUI_SLIDER12> slider12(QS_VEC2 start, QS_VEC2 end) {
    return std::make_unique<QC_GUI_SLIDER12>(7, texture(360, 30), start, end, 20.0f, 1.5f, 0.0f, 100.0f, 5.0f, 0.0f);
  }
  std::unique_ptr<QC_GUI_SLIDER13> slider13(QS_VEC2 start, QS_VEC2 end) {
    return std::make_unique<QC_GUI_SLIDER13>(8, texture(390, 30), start, end, 20.0f, 1.5f, 0.0f, 100.0f, 5.0f, 0.0f);
  }
};

TEST_F(DrawnSliders, Slider12LaysItsTrackOutFromStartAndEnd) {
  auto s = slider12(QS_VEC2(100.0f, 300.0f), QS_VEC2(400.0f, 300.0f));
  EXPECT_EQ(s->fGetTypeCode(), 11);
  EXPECT_FLOAT_EQ(s->fGetFrameWidth(), 30.0f);
  EXPECT_FLOAT_EQ(s->fGetFrameHeight(), 30.0f);
  EXPECT_FLOAT_EQ(s->fGetPosition().x, 250.0f);
  EXPECT_FLOAT_EQ(s->fGetPosition().y, 300.0f);
  EXPECT_FLOAT_EQ(s->fGetEnd1().x, -135.0f);
  EXPECT_FLOAT_EQ(s->fGetEnd2().x, 135.0f);
  EXPECT_FLOAT_EQ(s->fGetBodyLength(), 182.0f);
  EXPECT_FLOAT_EQ(s->fGetCap1Position().x, -105.0f);
  EXPECT_FLOAT_EQ(s->fGetCap2Position().x, 105.0f);
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().x, -90.0f);
  s->fSetValue(100.0f);
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().x, 90.0f);
  EXPECT_NEAR(s->fGetWidth(), 300.0f, 1e-3);
  EXPECT_NEAR(s->fGetHeight(), 30.0f, 1e-3);

  // Sizes and frames of the strip: squares of one frame, the body one frame wide repeating
  // frame 10 along its length.
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd1), 12), 0);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd2), 12), 3);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kKnob), 12), 6);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kCap1), 12), 9);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kCap2), 12), 11);
  const QC_SPRITE* body = s->fGetSprite(Strip::kBody);
  EXPECT_FLOAT_EQ(body->fGetWidth(), 30.0f);
  EXPECT_FLOAT_EQ(body->fGetHeight(), 182.0f);
  EXPECT_EQ(frameOf(body, 12), 10);
  EXPECT_NEAR(body->fGetVertex(2)->v, 182.0f / 30.0f, 1e-5);

  // On screen: the body lies along the track between the caps, 182 long and one frame high.
  s->fRender();
  const auto drawn = quads();
  ASSERT_EQ(drawn.size(), 6u);
  const Box b = boxOf(drawn[2]);
  EXPECT_NEAR(b.left, 250.0f - 91.0f, 1e-3);
  EXPECT_NEAR(b.right, 250.0f + 91.0f, 1e-3);
  EXPECT_NEAR(b.top, 285.0f, 1e-3);
  EXPECT_NEAR(b.bottom, 315.0f, 1e-3);
}

TEST_F(DrawnSliders, TheTrackAngleFollowsTheDirection) {
  struct Case {
    QS_VEC2 start, end;
    float angle;
  };
  const Case cases[] = {{QS_VEC2(200, 100), QS_VEC2(200, 400), kPi / 2.0f},
                        {QS_VEC2(200, 400), QS_VEC2(200, 100), 3.0f * kPi / 2.0f},
                        {QS_VEC2(100, 300), QS_VEC2(400, 300), 2.0f * kPi},
                        {QS_VEC2(400, 300), QS_VEC2(100, 300), kPi}};
  for (const Case& c : cases) {
    auto s = slider12(c.start, c.end);
    for (int part = QC_BASESLIDER::kEnd1; part <= QC_BASESLIDER::kKnob; ++part) {
      EXPECT_NEAR(s->fGetPartTransform(part)->_rotation.z, c.angle, 1e-5);
    }
    EXPECT_NEAR(angleOf(s->fGetSprite(Strip::kCap2)), c.angle, 1e-5);
    EXPECT_NEAR(angleOf(s->fGetSprite(Strip::kBody)), c.angle - kPi / 2.0f, 1e-5);
  }
  // Vertical: width and height swap.
  auto v = slider12(QS_VEC2(200, 100), QS_VEC2(200, 400));
  EXPECT_NEAR(v->fGetWidth(), 30.0f, 1e-3);
  EXPECT_NEAR(v->fGetHeight(), 300.0f, 1e-3);
}

TEST_F(DrawnSliders, PartFramesFollowThePartStates) {
  auto s = slider12(QS_VEC2(100.0f, 300.0f), QS_VEC2(400.0f, 300.0f));
  moveTo(*s, 385, 300);  // end 2
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd2), 12), 4);
  EXPECT_EQ(press(*s)->_event, QE_GUI_DOWN);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd2), 12), 5);
  EXPECT_EQ(release(*s)->_event, QE_GUI_CHANGED);
  EXPECT_FLOAT_EQ(s->fGetValue(), 5.0f);  // one step of 5
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd2), 12), 4);
  moveTo(*s, 250, 400);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kEnd2), 12), 3);
  // The knob (now at 250 - 90 + 9) with its hovered and held frames.
  moveTo(*s, 169, 300);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kKnob), 12), 7);
  press(*s);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kKnob), 12), 8);
}

TEST_F(DrawnSliders, Slider13FillRunsFromTheTrackStartToTheKnob) {
  auto s = slider13(QS_VEC2(200.0f, 100.0f), QS_VEC2(200.0f, 400.0f));
  EXPECT_EQ(s->fGetTypeCode(), 10);
  EXPECT_FLOAT_EQ(s->fGetFrameWidth(), 30.0f);
  EXPECT_FLOAT_EQ(s->fGetBodyLength(), 180.0f);
  EXPECT_FLOAT_EQ(s->fGetFillLength(), 0.0f);
  EXPECT_FLOAT_EQ(s->fGetFillAnchor().y, -90.0f);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kFill), 13), 12);
  EXPECT_EQ(frameOf(s->fGetSprite(Strip::kBody), 13), 10);

  // At the maximum the fill spans the body, drawn from the track start (screen y 160) down to
  // the knob's centre (340).
  s->fSetValue(100.0f);
  moveTo(*s, 600, 600);
  EXPECT_FLOAT_EQ(s->fGetFillLength(), s->fGetBodyLength());
  s->fRender();
  const auto drawn = quads();
  ASSERT_EQ(drawn.size(), 7u);
  const Box fill = boxOf(drawn[3]);
  EXPECT_NEAR(fill.top, 160.0f, 1e-3);
  EXPECT_NEAR(fill.bottom, 340.0f, 1e-3);
  EXPECT_NEAR(fill.left, 185.0f, 1e-3);
  EXPECT_NEAR(fill.right, 215.0f, 1e-3);

  // Halfway along a horizontal track laid right to left.
  auto h = slider13(QS_VEC2(400.0f, 300.0f), QS_VEC2(100.0f, 300.0f));
  h->fSetValue(50.0f);
  h->fUpdate();
  h->fRender();
  const Box half = boxOf(quads()[3]);
  EXPECT_NEAR(half.right, 340.0f, 1e-3);
  EXPECT_NEAR(half.left, 250.0f, 1e-3);
}

TEST_F(DrawnSliders, ANewTrackMovesTheFillStartWithIt) {
  auto s = slider13(QS_VEC2(200.0f, 100.0f), QS_VEC2(200.0f, 400.0f));
  s->fSetTrack(10.0f, -100.0f, 10.0f, 100.0f);
  EXPECT_FLOAT_EQ(s->fGetEnd1().y, -100.0f);
  EXPECT_FLOAT_EQ(s->fGetBodyLength(), 110.0f);  // 200 - 3 frames
  EXPECT_FLOAT_EQ(s->fGetCap1Position().y, -68.0f);
  EXPECT_FLOAT_EQ(s->fGetFillAnchor().y, -55.0f);
  EXPECT_FLOAT_EQ(s->fGetFillLength(), 0.0f);
  s->fSetValue(100.0f);
  s->fUpdate();
  EXPECT_FLOAT_EQ(s->fGetKnobPosition().y, 55.0f);
  EXPECT_FLOAT_EQ(s->fGetFillLength(), 110.0f);
  s->fRender();
  const Box fill = boxOf(quads()[3]);
  EXPECT_NEAR(fill.top, 250.0f - 55.0f, 1e-3);
  EXPECT_NEAR(fill.bottom, 250.0f + 55.0f, 1e-3);

  auto t = slider12(QS_VEC2(100.0f, 300.0f), QS_VEC2(400.0f, 300.0f));
  t->fSetTrack(-50.0f, 0.0f, 50.0f, 0.0f);
  EXPECT_FLOAT_EQ(t->fGetBodyLength(), 10.0f);
  EXPECT_FLOAT_EQ(t->fGetCap2Position().x, 18.0f);
  EXPECT_NEAR(angleOf(t->fGetSprite(Strip::kBody)), 2.0f * kPi + kPi / 2.0f, 1e-5);
  // A track shorter than three frames has an empty body.
  t->fSetTrack(-10.0f, 0.0f, 10.0f, 0.0f);
  EXPECT_FLOAT_EQ(t->fGetSprite(Strip::kBody)->fGetHeight(), 0.0f);
}

TEST_F(DrawnSliders, DestructionGivesTheTextureBackOnce) {
  QC_TEXTURE_INFO* strip12 = texture(360, 30);
  QC_TEXTURE_INFO* strip13 = texture(390, 30);
  QC_TEXTURE_INFO* bar = texture(360, 30);
  {
    QC_GUI_SLIDER12 a(1, strip12, QS_VEC2(0, 0), QS_VEC2(300, 0), 20.0f, 0.0f, 10.0f, 1.0f, 3.0f);
    EXPECT_FLOAT_EQ(a.fGetTrackOffset().x, 45.0f);  // button distance 1.5 by default
    QC_GUI_SLIDER13 b(2, strip13, 2.0f);
    QC_GUI_SCROLL_BAR12 c(3, bar);
    EXPECT_TRUE(gui_test::fReleased().empty());
  }
  EXPECT_EQ(gui_test::fReleaseCount(strip12), 1);
  EXPECT_EQ(gui_test::fReleaseCount(strip13), 1);
  EXPECT_EQ(gui_test::fReleaseCount(bar), 1);
}

TEST_F(DrawnSliders, SlidersWithoutAPictureOrWithTheDefaultOneStayUsable) {
  QC_GUI_SLIDER12 bare(1, nullptr, QS_VEC2(0, 0), QS_VEC2(300, 0), 20.0f, 1.5f, 0.0f, 100.0f, 5.0f, 0.0f);
  EXPECT_FLOAT_EQ(bare.fGetFrameWidth(), 0.0f);
  bare.fSetValue(50.0f);
  EXPECT_FLOAT_EQ(bare.fGetKnobPosition().x, 0.0f);
  bare.fRender();
  EXPECT_TRUE(std::isfinite(bare.fGetWidth()));

  QC_GUI_SLIDER13 plain(2);
  EXPECT_EQ(plain.fGetTexture(), render->fGetDefaultTexture());
  EXPECT_FLOAT_EQ(plain.fGetKnobSize(), 0.0f);
  moveTo(plain, 0, 0);
  plain.fRender();
  EXPECT_FALSE(quads().empty());
}

TEST_F(DrawnSliders, TheScrollBarDrawsAndReportsNothing) {
  QC_TEXTURE_INFO* strip = texture(360, 30);
  QC_GUI_SCROLL_BAR12 bar(4, strip);
  EXPECT_EQ(bar.fGetTypeCode(), -1);
  moveTo(bar, 0, 0);
  EXPECT_EQ(press(bar), nullptr);
  EXPECT_EQ(bar.fGetEvent(), QE_GUI_NONE);
  EXPECT_FLOAT_EQ(bar.fGetSprite(Strip::kEnd1)->fGetWidth(), 30.0f);
  EXPECT_FLOAT_EQ(bar.fGetSprite(Strip::kBody)->fGetHeight(), 0.0f);
  EXPECT_EQ(frameOf(bar.fGetSprite(Strip::kKnob), 12), 6);
  EXPECT_FLOAT_EQ(bar.fGetWidth(), 0.0f);
  bar.fRender();
  // Six sprites and five markers around each of the three hit areas.
  EXPECT_EQ(quads().size(), 6u + 15u);
}

}  // namespace
