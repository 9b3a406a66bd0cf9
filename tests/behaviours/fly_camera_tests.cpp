// The fly camera on the real input state, aged once per tick as the game loop does: movement by
// the keys over time, the roll, and turning only while the right button drags.
#include "behaviours/qc_fly_camera.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_camera.h"
#include "engine/service/qc_globals.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace QOR;

namespace {

class FlyCamera : public ::testing::Test {
 protected:
  void SetUp() override {
    savedInput = qcCurrentInput;
    savedDelta = qcFrameTime;
    qcCurrentInput = &input;
    qcFrameTime = 1.0f / 60.0f;
  }
  void TearDown() override {
    qcCurrentInput = savedInput;
    qcFrameTime = savedDelta;
  }
  // One update of the controller, then the input ages.
  void tick() {
    EXPECT_EQ(fly.fUpdate(), 1);
    input.fUpdate();
  }
  static float distance(const QS_VEC3& a, const QS_VEC3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
  }

  QC_INPUT input;
  QC_CAMERA camera{nullptr, 1024.0f, 768.0f};
  QC_FLY_CAMERA fly{&camera, QC_FLY_CAMERA::kDefaultMoveSpeed, QC_FLY_CAMERA::kDefaultTurnSpeed};
  QC_INPUT* savedInput = nullptr;
  float savedDelta = 0.0f;
};

TEST_F(FlyCamera, WithoutACameraNothingHappens) {
  QC_FLY_CAMERA bare;
  EXPECT_EQ(bare.fGetCamera(), nullptr);
  EXPECT_EQ(bare.fGetMoveSpeed(), 20.0f);
  EXPECT_EQ(bare.fUpdate(), 0);
  EXPECT_EQ(bare.fSetCamera(&camera), &bare);
  EXPECT_EQ(bare.fUpdate(), 1);
}

TEST_F(FlyCamera, WHeldForASecondMovesTwentyForwardAndSBringsItBack) {
  const QS_VEC3 start = camera.fGetPosition();
  const QS_VEC3 forward = camera.fGetForward();
  input.fKeyDown('W');
  for (int i = 0; i < 59; ++i) tick();
  input.fKeyUp('W');
  tick();  // released this tick: still counts
  tick();
  const QS_VEC3 end = camera.fGetPosition();
  EXPECT_NEAR(distance(start, end), 20.0f, 5e-3f);
  EXPECT_NEAR((end.x - start.x) * forward.x + (end.y - start.y) * forward.y + (end.z - start.z) * forward.z, 20.0f,
              5e-3f);
  input.fKeyDown('S');
  for (int i = 0; i < 59; ++i) tick();
  input.fKeyUp('S');
  tick();
  EXPECT_NEAR(distance(start, camera.fGetPosition()), 0.0f, 5e-3f);
  // D and A move sideways and cancel each other.
  input.fKeyDown('D');
  input.fKeyDown('A');
  tick();
  EXPECT_NEAR(distance(start, camera.fGetPosition()), 0.0f, 5e-3f);
  EXPECT_EQ(camera.fGetRotation(), QS_VEC3(0.0f, 0.0f, 0.0f));
}

TEST_F(FlyCamera, QAndERollAndTheRightButtonTurnsOnlyWhenTheMouseMoves) {
  input.fKeyDown('Q');
  tick();
  EXPECT_NEAR(camera.fGetRotation().z, QC_FLY_CAMERA::kDefaultTurnSpeed / 60.0f, 1e-6f);
  input.fKeyUp('Q');
  tick();
  tick();

  const QS_VEC3 before = camera.fGetRotation();
  input.fKeyDown(2);
  for (int i = 0; i < 10; ++i) tick();
  EXPECT_EQ(camera.fGetRotation(), before) << "a still mouse turns nothing";
  input.fSetMousePosition(10, 0);
  tick();
  const float expected = 2.0f * QC_FLY_CAMERA::kDefaultTurnSpeed * 10.0f / 60.0f * 0.017453292f;
  // Horizontal motion is the yaw, the turn about the up axis.
  EXPECT_NEAR(camera.fGetRotation().y - before.y, expected, 1e-6f);
  EXPECT_EQ(camera.fGetRotation().x, before.x);
  input.fKeyUp(2);
  tick();
  tick();
  input.fSetMousePosition(50, 40);
  const QS_VEC3 released = camera.fGetRotation();
  tick();
  EXPECT_EQ(camera.fGetRotation(), released) << "without the button the mouse turns nothing";
}

}  // namespace
