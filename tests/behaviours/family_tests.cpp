// The family as a whole, built through its factories: identity of every bot, which bots fire the
// end callback handed over by message 38, and the timers, swing, joints and follower.
#include "behaviours/bot_common.h"
#include "behaviours/qc_bot_factories.h"
#include "engine/platform/qc_random.h"
#include "tests/behaviours/bot_test_kit.h"
#include "tests/kit/log_capture.h"

#include <bit>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace QOR;

namespace {

class Family : public bot_test::BotTest {};

// Targets for every bot of a case, alive longer than the bots.
struct Targets {
  Targets() {
    va.fAllocate(4);
    va.fSetColor(0xFF808080u);
    b.fSetPosition(3.0f, 4.0f, 0.0f);
  }
  QS_TRANSFORM3 a;
  QS_TRANSFORM3 b;
  QS_VERTEX_ARRAY va;
  float number = 0.0f;
  int integer = 0;
};

struct Member {
  std::unique_ptr<QC_BASE> bot;
  const char* tag;
  int firings;  // end callback firings expected by the time it ends, or after 40 steps
};

std::vector<Member> MakeFamily(Targets& t) {
  std::vector<Member> family;
  auto add = [&](QC_BASE* bot, const char* tag, int firings) { family.push_back({std::unique_ptr<QC_BASE>(bot), tag, firings}); };
  add(fCreateBotMove(&t.a, 0.5f, 0.0f, 1.0f, 2.0f, 3.0f, 0.0f), "bot_move", 1);
  add(fCreateBotRotateTo(&t.a, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f), "bot_rotate", 1);
  add(fCreateBotRotateOn(&t.a, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f), "bot_rotate", 1);
  add(fCreateBotScale(&t.a, 0.5f, 0.0f, 2.0f, 2.0f, 2.0f, 0.0f), "bot_scale", 0);
  add(fCreateBotSwitch(&t.a, 0.5f, QS_TRANSFORM3(), QS_TRANSFORM3(), 0.0f), "bot_switch", 0);
  add(fCreateBotBlob(&t.a, 0.5f, 0.1f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, false), "bot_blob", 0);
  add(fCreateBotColor(&t.va, 0.5f, QC_COLOR32(0x00FFFFFFu), 0.0f), "bot_color", 1);
  add(fCreateBotSleep(nullptr, nullptr, 0.5f, 3), "bot_sleep", 1);
  add(fCreateBotSwing(&t.number, 1.0f, 0.0f, 1.0f, 0.0f), "bot_swing", 0);
  add(fCreateBotBlinkPulse(&t.va, 0, 255, 0.1f, 0.2f, 1, 0.0f, false, 0.5f, 0.0f), "bot_blink_pulse", 0);
  add(fCreateBotBlinkAnalog(&t.va, 0, 255, 0.1f, 0.2f, 1, 0.0f, false, 0.5f, 0.0f), "bot_blink_analog", 0);
  add(fCreateBotLazyBlinker(&t.va, true, 0.25f, 0.25f), "bot_lazy_blinker", 0);
  add(fCreateBotMoveQuadBezier(&t.a, QS_VEC3(5.0f), QS_VEC3(9.0f), 0.5f, 0.0f, 0.0f), "bot_move_quadbezier", 1);
  add(fCreateBotMoveCubeBezier(&t.a, QS_VEC3(5.0f), QS_VEC3(6.0f), QS_VEC3(9.0f), 0.5f, 0.0f, 0.0f),
      "bot_move_cubebezier", 1);
  add(fCreateBotMoveBezier(&t.a, {QS_VEC3(5.0f)}, QS_VEC3(9.0f), 0.5f, 0.0f, 0.0f), "bot_move_bezier", 1);
  add(fCreateBotChangeFloat(&t.number, 2.0f, 0.5f, 0.0f, 0.0f), "bot_blink_change_float", 1);
  add(fCreateBotRigidJoint(&t.a, &t.b, 0.5f, 0.0f), "bot_rigid_joint", 1);
  add(fCreateBotDistanceJoint(&t.a, &t.b, 0.5f, 0.0f), "bot_distance_joint", 1);
  add(fCreateBotFollow(&t.a, &t.b, 1.0f, 0.5f, false, 0.0f), "bot_follow", 1);
  return family;
}

TEST_F(Family, EveryBotCarriesItsTagAndFiresTheMessage38CallbackExactlyAsItsRuleSays) {
  qor_test::LogCapture log;
  QC_RANDOM random(99);
  Targets targets;
  std::vector<Member> family = MakeFamily(targets);
  std::vector<std::unique_ptr<bot_test::CountingCallback>> callbacks;
  for (Member& member : family) {
    SCOPED_TRACE(member.tag);
    EXPECT_TRUE(member.bot->isName(member.tag));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(member.bot->fGetZ()), 0x7f7fc99eu);
    EXPECT_EQ(member.bot->fGetRenderLevel(), 0);
    EXPECT_EQ(member.bot->fGetUpdateLevel(), member.tag == std::string("bot_switch") ? 0 : 1);
    callbacks.push_back(std::make_unique<bot_test::CountingCallback>());
    callbacks.back()->AttachTo(*member.bot);
    // Render requests and unknown messages are answered 0 and change nothing.
    EXPECT_EQ(member.bot->fRender(), 0);
    EXPECT_EQ(member.bot->fMessage(QC_BASE::kMessageRenderPass, 0, 0, 0, 0), 0);
  }
  for (std::size_t i = 0; i < family.size(); ++i) {
    SCOPED_TRACE(family[i].tag);
    bot_test::StepsToFinish(*family[i].bot, 40);
    EXPECT_EQ(callbacks[i]->count, family[i].firings);
  }
}

TEST_F(Family, SleepWritesItsValueAndFiresTheCallbackItWasGivenOrTheOneThatReplacedIt) {
  Targets t;
  bot_test::CountingCallback given;
  bot_test::CountingCallback replacement;
  QC_BOT_SLEEP sleep(&t.integer, given.record.get(), 0.25f, -7);
  EXPECT_EQ(sleep.fUpdate(), 0);
  EXPECT_EQ(t.integer, 0);
  replacement.AttachTo(sleep);
  EXPECT_EQ(sleep.fUpdate(), QC_BASE::kDeleteMe);
  EXPECT_EQ(t.integer, -7);
  EXPECT_EQ(given.count, 0);
  EXPECT_EQ(replacement.count, 1);
  // Without a variable it still fires and ends.
  QC_BOT_SLEEP bare(nullptr, given.record.get(), 0.1f, 1);
  EXPECT_EQ(bot_test::StepsToFinish(bare, 5), 1);
  EXPECT_EQ(given.count, 1);
}

TEST_F(Family, SwingFollowsTheSineJumpsAfterItsDelayAndRefusesAMissingVariable) {
  float value = 0.0f;
  QC_BOT_SWING swing(&value, 2.0f, 0.0f, 2.0f, 0.0f);
  for (int step = 1; step <= 64; ++step) {
    ASSERT_EQ(swing.fUpdate(), 0);
    // The sum of cos(k h) h over the steps is close to sin(t + h / 2) - sin(h / 2).
    const double h = bot_test::kDt / 2.0;
    EXPECT_NEAR(value, 2.0 * (std::sin(step * h + h / 2.0) - std::sin(h / 2.0)), 0.005) << "step " << step;
  }
  // After the delay the time jumps to the start time and the value by start / scale * a * 0.85.
  float late = 0.0f;
  QC_BOT_SWING delayed(&late, 2.0f, 0.5f, 0.5f, 0.25f);
  delayed.fUpdate();
  EXPECT_EQ(late, 0.0f);
  delayed.fUpdate();
  EXPECT_FLOAT_EQ(late, 1.7f);

  qor_test::LogCapture log;
  QC_BOT_SWING broken(nullptr, 1.0f, 0.0f, 1.0f, 0.0f);
  for (int step = 0; step < 3; ++step) EXPECT_EQ(broken.fUpdate(), 0);
  EXPECT_EQ(log.lines().size(), 1u);
  EXPECT_TRUE(log.contains("m_target"));
}

TEST_F(Family, JointsHoldTheirCapturedOffsetAndDistanceAndEndWithTheirLifetime) {
  qor_test::LogCapture log;
  QS_TRANSFORM3 a;
  QS_TRANSFORM3 anchor;
  a.fSetPosition(10.0f, 5.0f, 1.0f);
  QC_BOT_RIGID_JOINT rigid(&a, &anchor, 0.5f, 0.125f);
  a.fSetPosition(20.0f, 5.0f, 1.0f);  // the delay keeps capturing
  EXPECT_EQ(rigid.fUpdate(), 0);
  anchor.fSetPosition(100.0f, 100.0f, 0.0f);
  EXPECT_EQ(rigid.fUpdate(), 0);
  EXPECT_EQ(a._position, QS_VEC3(120.0f, 105.0f, 1.0f));
  EXPECT_EQ(bot_test::StepsToFinish(rigid, 10), 4);
  EXPECT_TRUE(log.hasLine("QC_BOT_RIGID_JOINT killed"));

  // A keeps its distance 5 from B along the direction it lies in now.
  QS_TRANSFORM3 c;
  QS_TRANSFORM3 centre;
  c.fSetPosition(3.0f, 4.0f, 2.0f);
  QC_BOT_DISTANCE_JOINT keep(&c, &centre, 0.0f, 0.0f);
  c.fSetPosition(0.0f, -10.0f, 2.0f);
  EXPECT_EQ(keep.fUpdate(), 0);
  EXPECT_NEAR(c._position.x, 0.0f, 1e-5);
  EXPECT_NEAR(c._position.y, -5.0f, 1e-5);
  EXPECT_EQ(c._position.z, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(keep, 50), 0) << "lifetime 0 is endless";
  const float pi = 3.1415927f;
  EXPECT_FLOAT_EQ(QC_BOT_DISTANCE_JOINT::fPolarAngle(1.0f, -1.0f), 7.0f * pi / 4.0f);
  EXPECT_FLOAT_EQ(QC_BOT_DISTANCE_JOINT::fPolarAngle(-1.0f, 0.0f), pi);
  EXPECT_FLOAT_EQ(QC_BOT_DISTANCE_JOINT::fPolarAngle(0.0f, -2.0f), 3.0f * pi / 2.0f);
  EXPECT_EQ(QC_BOT_DISTANCE_JOINT::fPolarAngle(0.0f, 0.0f), 0.0f);
}

TEST_F(Family, FollowerHalvesItsGapEachStepAndStopsWhenClose) {
  qor_test::LogCapture log;
  QS_TRANSFORM3 follower;
  QS_TRANSFORM3 leader;
  leader.fSetPosition(100.0f, 0.0f, 0.0f);
  // speed 4 at 1/8 s: half the gap per step; gaps 100, 50, ..., 0.78 (within 1 at the 8th step).
  QC_BOT_FOLLOW close(&follower, &leader, 4.0f, 0.0f, true, 0.0f);
  EXPECT_EQ(close.fUpdate(), 0);
  EXPECT_FLOAT_EQ(follower._position.x, 50.0f);
  EXPECT_EQ(bot_test::StepsToFinish(close, 50), 8);
  EXPECT_TRUE(log.hasLine("QC_BOT_FOLLOW killed"));
  // Endless without stopping when close.
  QC_BOT_FOLLOW forever(&follower, &leader, 4.0f, 0.0f, false, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(forever, 100), 0);
}

}  // namespace
