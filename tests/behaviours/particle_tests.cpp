// Particle systems without a renderer: births at the frequency and within the area, ageing through
// the three colours to death, the live list's links, the growing sizes, and the description reader.
#include "behaviours/particle_description.h"
#include "behaviours/qc_particle_loader.h"
#include "behaviours/qc_particle_system.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "tests/behaviours/bot_test_kit.h"
#include "tests/kit/log_capture.h"

#include <pugixml.hpp>

#include <cmath>
#include <set>
#include <string>
#include <vector>

using namespace QOR;

namespace {

class Particles : public bot_test::BotTest {
 protected:
  void SetUp() override {
    bot_test::BotTest::SetUp();
    system.fSetRandom(&random);
    system.fSetVelocity(0.0f, 0.0f);
    system.fSetGravity(0.0f, 0.0f);
    system.fGetTemplate()->fSetLifetime(1.0f);
  }

  // Walks the live list both ways: the count, and every link agrees with its neighbour.
  int CheckedCount() const {
    int count = 0;
    const QC_PARTICLE* previous = nullptr;
    for (const QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
      EXPECT_EQ(p->_prev, previous);
      previous = p;
      ++count;
      if (count > system.fGetMaxCount() + 100) break;
    }
    EXPECT_EQ(count, system.fGetLiveCount());
    return count;
  }

  QC_RANDOM random{1234};
  QC_PARTICLE_SYSTEM_EX system{static_cast<QC_TEXTURE_INFO*>(nullptr)};
};

TEST_F(Particles, StartBirthsAtOnceThenOneEveryPeriodAndNothingOnceStopped) {
  system.fSetFrequency(4.0f);  // one birth every two ticks of 1/8 s
  system.fEmit(true);
  EXPECT_EQ(system.fGetLiveCount(), 0) << "an inactive system bears nothing, even forced";
  system.fStart();
  EXPECT_EQ(CheckedCount(), 1);
  std::vector<int> counts;
  for (int i = 0; i < 6; ++i) {
    system.fUpdate();
    counts.push_back(CheckedCount());
  }
  EXPECT_EQ(counts, (std::vector<int>{1, 2, 2, 3, 3, 4}));
  system.fStop();
  for (int i = 0; i < 2; ++i) system.fUpdate();
  EXPECT_EQ(CheckedCount(), 4);
}

TEST_F(Particles, ParticlesAgeThroughTheColoursAndDieAfterTheirLifetime) {
  system.fSetFrequency(0.0f);
  system.fSetStartColor(0xFFFF0000u);
  system.fSetAverColor(0xFF00FF00u);
  system.fSetEndColor(0x000000FFu);
  system.fStart();
  ASSERT_EQ(CheckedCount(), 1);
  const QC_PARTICLE* p = system.fGetLiveHead();
  EXPECT_EQ(p->_base._color.fGetARGB(), 0xFFFF0000u);
  // Life 1 - 4/8 = 0.5: the middle colour.
  for (int i = 0; i < 4; ++i) system.fUpdate();
  EXPECT_EQ(p->_life, 0.5f);
  EXPECT_EQ(p->_base._color.fGetARGB(), 0xFF00FF00u);
  // Life 0: the end colour; one more step takes it below 0, the next frees it.
  for (int i = 0; i < 4; ++i) system.fUpdate();
  EXPECT_EQ(p->_life, 0.0f);
  EXPECT_EQ(p->_base._color.fGetARGB(), 0x000000FFu);
  system.fUpdate();
  EXPECT_EQ(CheckedCount(), 1);
  system.fUpdate();
  EXPECT_EQ(CheckedCount(), 0);
  EXPECT_EQ(system.fGetLiveHead(), nullptr);
}

TEST_F(Particles, ASteadyStreamKeepsItsCountAndTheMaximumHolds) {
  system.fSetFrequency(8.0f);  // one birth a tick, each living 1 s
  system.fStart();
  for (int i = 0; i < 40; ++i) system.fUpdate();
  const int steady = CheckedCount();
  EXPECT_GE(steady, 9);
  EXPECT_LE(steady, 11);
  system.fSetMaxCount(3);
  system.fClear();
  EXPECT_EQ(CheckedCount(), 0);
  for (int i = 0; i < 6; ++i) system.fUpdate();
  EXPECT_EQ(CheckedCount(), 3);
  system.fBurst(5);
  EXPECT_EQ(CheckedCount(), 8) << "forced births pass the maximum";
}

TEST_F(Particles, BirthsLieInTheAreaAndMoveWithVelocityAndGravity) {
  system.fSetArea(100.0f, 200.0f, 40.0f, 20.0f);
  system.fBurst(1);
  system.fStart();
  system.fBurst(200);
  std::set<int> xs;
  for (const QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
    EXPECT_GE(p->_base._position.x, 80.0f);
    EXPECT_LE(p->_base._position.x, 120.0f);
    EXPECT_GE(p->_base._position.y, 190.0f);
    EXPECT_LE(p->_base._position.y, 210.0f);
    xs.insert(static_cast<int>(p->_base._position.x));
  }
  EXPECT_GT(xs.size(), 20u) << "spread over the rectangle";

  system.fClear();
  system.fSetPoint(50.0f, 60.0f, 10.0f);
  system.fBurst(100);
  for (const QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
    EXPECT_LE(std::hypot(p->_base._position.x - 50.0f, p->_base._position.y - 60.0f), 10.001f);
  }

  // A burst at a point leaves the disc as it was.
  system.fClear();
  system.fBurstAt(1, 300.0f, 400.0f);
  EXPECT_EQ(system.fGetLiveHead()->_base._position, QS_VEC3(300.0f, 400.0f, 0.0f));
  EXPECT_EQ(system.fGetArea()[0], 50.0f);
  EXPECT_EQ(system.fGetArea()[4], 10.0f);

  system.fClear();
  system.fSetVelocity(8.0f, 0.0f);
  system.fSetGravity(0.0f, 16.0f);
  system.fBurstAt(1, 0.0f, 0.0f);
  const QC_PARTICLE* p = system.fGetLiveHead();
  system.fUpdate();
  // v += g dt, then x += v dt.
  EXPECT_FLOAT_EQ(p->_velocity.y, 2.0f);
  EXPECT_FLOAT_EQ(p->_base._position.x, 1.0f);
  EXPECT_FLOAT_EQ(p->_base._position.y, 0.25f);
}

TEST_F(Particles, TheSpreadAngleBoundsTheDirections) {
  system.fSetVelocity(0.0f, 100.0f);
  system.fSetSpreadAngle(1.0f);
  system.fStart();
  system.fBurst(300);
  float least = 10.0f;
  float most = -10.0f;
  for (const QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
    const float angle = std::atan2(p->_velocity.x, p->_velocity.y);
    least = std::min(least, angle);
    most = std::max(most, angle);
    EXPECT_NEAR(std::hypot(p->_velocity.x, p->_velocity.y), 100.0f, 1e-3f);
  }
  EXPECT_GE(least, -0.5001f);
  EXPECT_LE(most, 0.5001f);
  EXPECT_LT(least, -0.4f);
  EXPECT_GT(most, 0.4f);
}

TEST_F(Particles, SizesGrowFromStartToEndOverTheLifetime) {
  system.fSetStartSize(4.0f);
  system.fSetEndSize(20.0f);
  system.fStart();
  const QC_PARTICLE* p = system.fGetLiveHead();
  EXPECT_EQ(p->_base._size, 4.0f);
  for (int i = 0; i < 4; ++i) system.fUpdate();
  EXPECT_FLOAT_EQ(p->_base._size, 12.0f);
}

TEST_F(Particles, FreedParticlesLeaveTheListWhereverTheyStand) {
  system.fStart();
  system.fBurst(4);
  std::vector<QC_PARTICLE*> all;
  for (const QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
    all.push_back(const_cast<QC_PARTICLE*>(p));
  }
  ASSERT_EQ(all.size(), 5u);
  system.fFreeParticle(all[2]);  // the middle
  system.fFreeParticle(all[0]);  // the head
  system.fFreeParticle(all[4]);  // the tail
  EXPECT_EQ(CheckedCount(), 2);
  EXPECT_EQ(system.fGetLiveHead(), all[1]);
  system.fUpdate();
  EXPECT_EQ(CheckedCount(), 2);
}

TEST_F(Particles, AZeroLifetimeOrFrequencyNeverDivides) {
  system.fGetTemplate()->fSetLifetime(0.0f);
  system.fSetFrequency(0.0f);
  system.fStart();
  EXPECT_EQ(CheckedCount(), 1) << "the start births one whatever the frequency";
  for (int i = 0; i < 4; ++i) system.fUpdate();
  EXPECT_EQ(CheckedCount(), 0);
  EXPECT_TRUE(std::isinf(system.fGetPeriod()));
}

// Reads the first element of the XML text.
int Read(const char* xml, QS_PARTICLE_DESCRIPTION& description) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(xml));
  return fReadParticleDescription(document.first_child(), description);
}

TEST_F(Particles, TheDescriptionSetsWhatItHoldsAndLeavesTheRest) {
  QS_PARTICLE_DESCRIPTION d;
  ASSERT_EQ(Read(R"(<fire texture="data/fx/ spark.png" multiply="false" maxCount="300" spreadAngle="0.5"
                     frequency="40" gravity="0 -20.5" area="64 32">
                      <lifetime>1.5</lifetime><velocity>10 -80</velocity><tangent>3</tangent><radial>-2</radial>
                      <startSize>8</startSize><endSize>2</endSize>
                      <startColor>FFFF8000</startColor><averColor>80FF0000</averColor><endColor>00000000</endColor>
                    </fire>)",
                 d),
            1);
  EXPECT_EQ(d.texture, "data/fx/ spark.png");
  system.fSetMultiply(true);
  fApplyParticleDescription(system, d, 512.0f, 384.0f);
  EXPECT_FALSE(system.fGetRenderState().isSet(QC_RENDER_STATE::kAdditive));
  EXPECT_EQ(system.fGetMaxCount(), 300);
  EXPECT_EQ(system.fGetSpreadAngle(), 0.5f);
  EXPECT_EQ(system.fGetFrequency(), 40.0f);
  EXPECT_EQ(system.fGetPeriod(), 1.0f / 40.0f);
  EXPECT_EQ(system.fGetGravity(), QS_VEC3(0.0f, -20.5f, 0.0f));
  EXPECT_TRUE(system.isRectangle());
  EXPECT_EQ(system.fGetArea()[0], 480.0f);
  EXPECT_EQ(system.fGetArea()[1], 368.0f);
  EXPECT_EQ(system.fGetArea()[2], 544.0f);
  EXPECT_EQ(system.fGetArea()[3], 400.0f);
  EXPECT_EQ(system.fGetTemplate()->_lifetime, 1.5f);
  EXPECT_EQ(system.fGetVelocity(), QS_VEC3(10.0f, -80.0f, 0.0f));
  EXPECT_EQ(system.fGetTangent(), 3.0f);
  EXPECT_EQ(system.fGetRadial(), -2.0f);
  EXPECT_EQ(system.fGetStartSize(), 8.0f);
  EXPECT_EQ(system.fGetEndSize(), 2.0f);
  EXPECT_EQ(system.fGetStartColor().fGetARGB(), 0xFFFF8000u);
  EXPECT_EQ(system.fGetAverColor().fGetARGB(), 0x80FF0000u);
  EXPECT_EQ(system.fGetEndColor().fGetARGB(), 0x00000000u);

  // A bare element changes nothing; a single area number is a disc on the centre.
  ASSERT_EQ(Read(R"(<p texture="t" area="12"/>)", d), 1);
  fApplyParticleDescription(system, d, 100.0f, 50.0f);
  EXPECT_FALSE(system.isRectangle());
  EXPECT_EQ(system.fGetArea()[0], 100.0f);
  EXPECT_EQ(system.fGetArea()[4], 12.0f);
  EXPECT_EQ(system.fGetMaxCount(), 300);
  EXPECT_EQ(system.fGetVelocity(), QS_VEC3(10.0f, -80.0f, 0.0f));
}

TEST_F(Particles, FaultyDescriptionsAreRefusedItemByItem) {
  QS_PARTICLE_DESCRIPTION d;
  // No texture: -1, the rest still read.
  EXPECT_EQ(Read(R"(<p frequency="5"/>)", d), -1);
  EXPECT_FALSE(d.hasTexture);
  EXPECT_EQ(d.frequency.value_or(-1.0f), 5.0f);
  // An empty area, a pair with one number and text that is no number.
  ASSERT_EQ(Read(R"(<p texture="t" area="  " gravity="3" maxCount="many"><velocity>7</velocity></p>)", d), 1);
  EXPECT_EQ(d.area, QS_PARTICLE_DESCRIPTION::AREA::kNone);
  EXPECT_FALSE(d.gravity.has_value());
  EXPECT_FALSE(d.velocity.has_value());
  EXPECT_EQ(d.maxCount.value_or(-1), 0);
  system.fSetPoint(1.0f, 2.0f, 3.0f);
  fApplyParticleDescription(system, d, 100.0f, 100.0f);
  EXPECT_EQ(system.fGetArea()[4], 3.0f) << "the area stays";
  // A rectangle with a negative side would emit outside itself: refused with its line, the area
  // kept; a side of 0 is a line and taken.
  for (const char* area : {"-40 20", "40 -20"}) {
    qor_test::LogCapture log;
    ASSERT_EQ(Read((std::string(R"(<p texture="t" area=")") + area + R"("/>)").c_str(), d), 1);
    EXPECT_EQ(d.area, QS_PARTICLE_DESCRIPTION::AREA::kNone) << area;
    EXPECT_TRUE(log.contains("negative width or height")) << area;
    fApplyParticleDescription(system, d, 100.0f, 100.0f);
    EXPECT_EQ(system.fGetArea()[4], 3.0f) << area;
  }
  ASSERT_EQ(Read(R"(<p texture="t" area="0 20"/>)", d), 1);
  EXPECT_EQ(d.area, QS_PARTICLE_DESCRIPTION::AREA::kRectangle);
  // Reading again starts from nothing.
  ASSERT_EQ(Read(R"(<p texture="u"/>)", d), 1);
  EXPECT_FALSE(d.maxCount.has_value());
}

TEST_F(Particles, DescriptionNumbersTakeThePointAsTheDecimalMark) {
  // "0.5" is a half in any locale; a comma ends the number.
  QS_PARTICLE_DESCRIPTION d;
  ASSERT_EQ(Read(R"(<p texture="t" spreadAngle="0.5" frequency="2,5"/>)", d), 1);
  EXPECT_EQ(d.spreadAngle.value_or(-1.0f), 0.5f);
  EXPECT_EQ(d.frequency.value_or(-1.0f), 2.0f);
}

TEST_F(Particles, TheLoaderRefusesAMissingTextureAndANullSystem) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(R"(<p frequency="9"/>)"));
  EXPECT_EQ(fLoadParticleSystem(nullptr, document.first_child()), -1);
  EXPECT_EQ(fLoadParticleSystem(&system, document.first_child()), -1);
  EXPECT_EQ(system.fGetFrequency(), 1.0f) << "the system is not changed";
}

TEST_F(Particles, TheLoaderAppliesTheDescriptionCentredOnTheScreen) {
  // No game service: the screen is the default 1024 x 768 and there is no texture to hold.
  ASSERT_EQ(qcGAME, nullptr);
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(R"(<p texture="data/fx/ none.png" area="100 50" maxCount="12"/>)"));
  EXPECT_EQ(fLoadParticleSystem(&system, document.first_child()), 1);
  EXPECT_EQ(system.fGetTexture(), nullptr);
  EXPECT_EQ(system.fGetMaxCount(), 12);
  EXPECT_EQ(system.fGetArea()[0], 462.0f);
  EXPECT_EQ(system.fGetArea()[1], 359.0f);
  EXPECT_EQ(system.fGetArea()[2], 562.0f);
  EXPECT_EQ(system.fGetArea()[3], 409.0f);
}

}  // namespace
