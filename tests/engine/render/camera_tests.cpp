// The free camera: default placement, its view matrix, moves and turns, and the device call.
#include "engine/render/qc_camera.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/kit/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace QOR;

namespace {

void expectNear(const QS_VEC3& a, const QS_VEC3& b, float tolerance = 1e-4f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(Camera, DefaultPlacementLooksAtTheGamePlaneFromItsViewingDistance) {
  QC_CAMERA camera(nullptr, 1024.0f, 768.0f);
  expectNear(camera.fGetEye(), QS_VEC3(512.5f, -384.5f, -928.27f), 0.01f);
  const float* e = camera.fGetView().e;
  EXPECT_NEAR(e[12], -512.5f, 1e-3f);
  EXPECT_NEAR(e[13], 384.5f, 1e-3f);
  EXPECT_NEAR(e[14], 928.27f, 0.01f);
  EXPECT_FLOAT_EQ(e[15], 1.0f);
  EXPECT_EQ(camera.fUpdate(), D3DERR_INVALIDCALL);
}

TEST(Camera, EveryChangeSetsTheViewOnTheDevice) {
  qor_test::fUseTestDoors();
  IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS p{};
  p.BackBufferWidth = 64;
  p.BackBufferHeight = 64;
  IDirect3DDevice9* device = nullptr;
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &p, &device), D3D_OK);
  host_test::fRecordedCalls().clear();
  QC_CAMERA camera(device, 64.0f, 64.0f);
  const QS_VEC3 eye = camera.fGetEye();
  camera.fMove(0.0f, 0.0f, 0.0f);
  expectNear(camera.fGetEye(), eye);
  const auto views = render_test::fCalls("SetTransform");
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views[1].args[0], D3DTS_VIEW);
  EXPECT_NEAR(views[1].args[13], -32.5, 1e-4);
  device->Release();
  d3d->Release();
}

TEST(Camera, MovesFollowTheAxes) {
  QC_CAMERA camera(nullptr, 100.0f, 100.0f);
  const QS_VEC3 eye = camera.fGetEye();
  camera.fMove(10.0f, 2.0f, 3.0f);
  expectNear(camera.fGetEye(), eye + QS_VEC3(2.0f, 3.0f, 10.0f));
  expectNear(camera.fGetPosition(), camera.fGetEye());
  camera.fSetPosition(1.0f, 2.0f, 3.0f);
  camera.fSetZ(-5.0f);
  expectNear(camera.fGetEye(), QS_VEC3(1.0f, 2.0f, -5.0f));
}

TEST(Camera, TurnsKeepTheAxesOrthonormal) {
  QC_CAMERA camera(nullptr, 100.0f, 100.0f);
  camera.fRotate(0.0f, 0.0f, 0.0f);
  expectNear(camera.fGetForward(), QS_VEC3(0.0f, 0.0f, 1.0f));
  expectNear(camera.fGetUp(), QS_VEC3(0.0f, 1.0f, 0.0f));
  expectNear(camera.fGetRight(), QS_VEC3(1.0f, 0.0f, 0.0f));

  camera.fSetRotationY(0.5f);
  const QS_VEC3 forward = camera.fGetForward();
  EXPECT_GT(std::fabs(forward.x), 0.4f);
  QS_VEC3 right = QS_VEC3::fCross(camera.fGetUp(), forward);
  right.fNormalize();
  expectNear(camera.fGetRight(), right);
  // Turning again by the same angle turns twice.
  camera.fSetRotationY(0.5f);
  EXPECT_NEAR(camera.fGetForward().fDot(forward), std::cos(0.5f), 1e-4f);
  EXPECT_FLOAT_EQ(camera.fGetRotation().y, 0.5f);

  camera.fRotate(0.3f, -0.2f, 0.7f);
  EXPECT_NEAR(camera.fGetForward().fLength(), 1.0f, 1e-4f);
  EXPECT_NEAR(camera.fGetForward().fDot(camera.fGetUp()), 0.0f, 1e-4f);
  EXPECT_NEAR(camera.fGetRight().fDot(camera.fGetUp()), 0.0f, 1e-4f);
}

TEST(Camera, SetRotationIsAbsolute) {
  QC_CAMERA a(nullptr, 100.0f, 100.0f);
  QC_CAMERA b(nullptr, 100.0f, 100.0f);
  a.fRotate(1.0f, 0.5f, 0.25f);
  a.fSetRotation(0.2f, 0.1f, 0.0f);
  b.fSetRotation(0.2f, 0.1f, 0.0f);
  expectNear(a.fGetForward(), b.fGetForward());
  expectNear(a.fGetUp(), b.fGetUp());
  EXPECT_FLOAT_EQ(a.fGetRotation().x, 0.1f);
  EXPECT_FLOAT_EQ(a.fGetRotation().y, 0.2f);
  b.fSetRotation(0.0f, 0.0f, 0.0f);
  expectNear(b.fGetForward(), QS_VEC3(0.0f, 0.0f, 1.0f));
}

}  // namespace
