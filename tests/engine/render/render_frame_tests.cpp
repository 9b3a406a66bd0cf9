// The renderer's device and frame on the recording device: creation attempts, the frame state
// machine, lost and reset devices, display modes, the letterbox and the screen camera.
#include "engine/render/qc_render.h"
#include "host/test_doors.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

using namespace QOR;
using namespace render_test;

namespace {

class RenderFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    host_test::fSetDesktopSize(0, 0);
    render = std::make_unique<QC_RENDER>();
  }
  void TearDown() override { host_test::fSetDesktopSize(0, 0); }

  void init() { ASSERT_EQ(render->fInit(nullptr, 0.1f, 0.0f), 1); }

  // Projects a game point through the screen camera to normalised device coordinates.
  D3DXVECTOR3 project(float x, float y, float z) const {
    D3DXMATRIX all;
    D3DXMatrixMultiply(&all, &render->fGetScreenWorldBase(), &render->fGetScreenView());
    D3DXMatrixMultiply(&all, &all, &render->fGetScreenProjection());
    const D3DXVECTOR3 in(x, y, z);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &in, &all);
    return out;
  }

  std::vector<std::pair<double, double>> creationAttempts() const {
    std::vector<std::pair<double, double>> attempts;
    for (const auto& call : fCalls("CreateDevice")) attempts.emplace_back(call.args[1], call.args[2]);
    return attempts;
  }

  std::unique_ptr<QC_RENDER> render;
};

TEST_F(RenderFrame, InitCreatesTheDeviceWindowedAtTheDefaultSizeAndLogsEachStep) {
  qor_test::LogCapture log;
  init();
  const std::vector<std::string> steps = {"Render initialisation", "QC_RENDER::fInit() DirectX start",
                                          "QC_RENDER::fInit() RESOLUTION CHANGE", "ResetDevice",
                                          "QC_RENDER::fInit() RESOLUTION CHANGE OK",
                                          "QC_RENDER::fInit() DEFAULT TEXTURE CREATE OK",
                                          "QC_RENDER::fInit() DEFAULT TEXTURE FILL OK", "QC_RENDER::fInit() OK"};
  std::size_t at = 0;
  for (const std::string& step : steps) {
    const std::size_t found = log.text().find("\n" + step, at);
    ASSERT_NE(found, std::string::npos) << step;
    at = found;
  }
  EXPECT_TRUE(log.hasLine("_presentParameters.BackBufferWidth= 1024"));
  EXPECT_TRUE(log.hasLine("_presentParameters.BackBufferHeight= 768"));
  const D3DPRESENT_PARAMETERS& p = render->fGetPresentParameters();
  EXPECT_EQ(p.Windowed, TRUE);
  EXPECT_EQ(p.EnableAutoDepthStencil, TRUE);
  EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
  EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_COPY);
  EXPECT_EQ(p.PresentationInterval, D3DPRESENT_INTERVAL_ONE);
  EXPECT_EQ(render->fGetBackBufferSize(), QS_POINT(1024, 768));
  EXPECT_EQ(creationAttempts(), (std::vector<std::pair<double, double>>{{D3DDEVTYPE_HAL, 0x44}}));
  // Batch buffers: 8192 vertices of 36 bytes, 24,570 indices, 4096 points of 20 bytes.
  const auto buffers = fCalls("CreateVertexBuffer");
  ASSERT_EQ(buffers.size(), 2u);
  EXPECT_EQ(buffers[0].args, (std::vector<double>{294912, D3DUSAGE_DYNAMIC, 0x152, D3DPOOL_DEFAULT}));
  EXPECT_EQ(buffers[1].args,
            (std::vector<double>{81920, D3DUSAGE_DYNAMIC | D3DUSAGE_POINTS | D3DUSAGE_WRITEONLY, 0x62, D3DPOOL_DEFAULT}));
  EXPECT_EQ(fCalls("CreateIndexBuffer").at(0).args[0], 49140);
  EXPECT_EQ(render->fGetCurrentState()._bits, QC_RENDER_STATE::kAlphaBlend | QC_RENDER_STATE::kScreen);
}

TEST_F(RenderFrame, CreationFallsBackThroughFiveAttemptsNeverMixingProcessingFlags) {
  host_test::fRecordingControls().failCreateAttempts = 5;
  qor_test::LogCapture log;
  EXPECT_EQ(render->fInit(nullptr, 0.1f, 0.0f), -1);
  EXPECT_TRUE(log.hasLine("Can't create device"));
  const std::vector<std::pair<double, double>> table = {{D3DDEVTYPE_HAL, 0x44},
                                                        {D3DDEVTYPE_HAL, 0x44},
                                                        {D3DDEVTYPE_HAL, 0x84},
                                                        {D3DDEVTYPE_HAL, 0x24},
                                                        {D3DDEVTYPE_REF, 0x24}};
  EXPECT_EQ(creationAttempts(), table);
  // A later mode change tries again from the first attempt's flags, not from the last one's.
  host_test::fRecordedCalls().clear();
  host_test::fRecordingControls().failCreateAttempts = 4;
  render->fSetResolution(800, 600, false, false);
  EXPECT_EQ(creationAttempts(), table);
  EXPECT_NE(render->fGetDevice(), nullptr);
  EXPECT_EQ(render->fGetCreateFlags(), 0x24u);
  EXPECT_EQ(render->fGetDeviceType(), D3DDEVTYPE_REF);
}

TEST_F(RenderFrame, WithoutADeviceNothingIsDrawnAndNothingBreaks) {
  host_test::fRecordingControls().failCreateAttempts = 5;
  EXPECT_EQ(render->fInit(nullptr, 0.1f, 0.0f), -1);
  EXPECT_EQ(render->fGetDevice(), nullptr);
  EXPECT_EQ(render->BeginScene(), -1);
  EXPECT_EQ(render->EndScene(), -1);
  render->fSetClearColor(0xFF000000u);
  const auto quad = fQuad(0, 0, 10, 10);
  fDrawQuad(*render, quad, nullptr, fSpriteState());
  render->fFlush();
  render->fDrawLine(0, 0, 5, 5, 0xFFFFFFFFu);
  render->fSetViewProjection();
  EXPECT_EQ(render->fCreateTexture(4, 4), nullptr);
  EXPECT_EQ(render->fCreateTarget(4, 4), nullptr);
  EXPECT_EQ(render->fLoadTexture("missing.png"), nullptr);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 0);
}

TEST_F(RenderFrame, WithoutDirect3DInitStops) {
  host_test::fRecordingControls().failDirect3D = true;
  qor_test::LogCapture log;
  EXPECT_EQ(render->fInit(nullptr, 0.1f, 0.0f), -1);
  EXPECT_TRUE(log.hasLine("DirectX 9 can't start"));
  EXPECT_EQ(render->BeginScene(), -1);
}

TEST_F(RenderFrame, FrameStateMachineRefusesCallsOutOfOrder) {
  init();
  EXPECT_EQ(render->EndScene(), -1);
  EXPECT_EQ(render->BeginScene(), 1);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kInFrame);
  EXPECT_EQ(render->BeginScene(), -1);
  EXPECT_EQ(render->EndScene(), 0);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
  EXPECT_EQ(render->EndScene(), -1);
  EXPECT_EQ(host_test::fCountCalls("Present"), 1);
  // The frame is cleared with the clear colour, target and depth, depth 1.
  const auto clear = fCalls("Clear").at(0);
  EXPECT_EQ(clear.args, (std::vector<double>{0, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF444444u, 1.0, 0}));
}

TEST_F(RenderFrame, LostDeviceSkipsFramesThenResetsAndDrawsAgain) {
  init();
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICELOST;
  EXPECT_EQ(render->BeginScene(), -1);
  EXPECT_EQ(render->BeginScene(), -1);
  EXPECT_EQ(host_test::fCountCalls("BeginScene"), 0);
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICENOTRESET;
  host_test::fRecordedCalls().clear();
  EXPECT_EQ(render->BeginScene(), -110);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
  EXPECT_EQ(host_test::fCountCalls("CreateVertexBuffer"), 2);
  EXPECT_EQ(host_test::fCountCalls("BeginScene"), 0);
  EXPECT_EQ(render->BeginScene(), 1);
  fDrawQuad(*render, fQuad(0, 0, 10, 10), render->fGetDefaultTexture(), fSpriteState());
  EXPECT_EQ(render->EndScene(), 0);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 1);
}

TEST_F(RenderFrame, FailedResetLogsItsCauseAndRecoversOnALaterReset) {
  init();
  host_test::fRecordingControls().resetResult = D3DERR_DEVICEREMOVED;
  qor_test::LogCapture log;
  render->fSetResolution(800, 600, false, false);
  EXPECT_TRUE(log.hasLine("ERROR RESET"));
  EXPECT_TRUE(log.hasLine("D3DERR_DEVICEREMOVED"));
  // Without buffers the frame still runs and draws nothing.
  host_test::fRecordingControls().resetResult = D3D_OK;
  EXPECT_EQ(render->BeginScene(), 1);
  fDrawQuad(*render, fQuad(0, 0, 10, 10), render->fGetDefaultTexture(), fSpriteState());
  EXPECT_EQ(render->EndScene(), 0);
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICENOTRESET;
  EXPECT_EQ(render->BeginScene(), -110);
  EXPECT_EQ(render->BeginScene(), 1);
  fDrawQuad(*render, fQuad(0, 0, 10, 10), render->fGetDefaultTexture(), fSpriteState());
  EXPECT_EQ(render->EndScene(), 0);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 1);
}

TEST_F(RenderFrame, FailedClearClosesItsSceneSoLaterFramesDraw) {
  init();
  host_test::fRecordingControls().failClear = true;
  EXPECT_EQ(render->BeginScene(), -1);
  EXPECT_EQ(host_test::fCountCalls("EndScene"), 1);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
  host_test::fRecordingControls().failClear = false;
  EXPECT_EQ(render->BeginScene(), 1);
  EXPECT_EQ(render->EndScene(), 0);
}

TEST_F(RenderFrame, RefusedDeviceSceneReturnsZero) {
  init();
  host_test::fRecordingControls().failBeginScene = true;
  qor_test::LogCapture log;
  EXPECT_EQ(render->BeginScene(), 0);
  EXPECT_TRUE(log.hasLine("ERROR BeginScene"));
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
}

TEST_F(RenderFrame, ResolutionAlreadyInForceDoesNothing) {
  init();
  host_test::fRecordedCalls().clear();
  render->fSetResolution(1024, 768, false, false);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 0);
  render->fSetResolution(1024, 768, false, true);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
  render->fSetResolution(0, 768, false, false);
  render->fSetResolution(1024, -1, false, false);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
}

TEST_F(RenderFrame, FullScreenStretchOnAWideDesktopLetterboxesXByThreeQuarters) {
  init();
  host_test::fSetDesktopSize(1920, 1080);
  host_test::fRecordedCalls().clear();
  render->fSetResolution(1024, 768, true, true);
  EXPECT_EQ(render->fGetBackBufferSize(), QS_POINT(1920, 1080));
  EXPECT_EQ(render->fGetGameSize(), QS_POINT(1024, 768));
  EXPECT_EQ(render->fGetScreenSize(), QS_POINT(1920, 1080));
  EXPECT_EQ(fCalls("Reset").at(0).args, (std::vector<double>{1920, 1080}));
  EXPECT_FLOAT_EQ(render->fGetLetterbox()(0, 0), 0.75f);
  EXPECT_FLOAT_EQ(render->fGetLetterbox()(1, 1), 1.0f);
  // The game's left and right edges land 240 pixels inside the 1920-pixel back buffer.
  const float left = (project(0.0f, 384.5f, 0.0f).x + 1.0f) / 2.0f * 1920.0f;
  const float right = (project(1025.0f, 384.5f, 0.0f).x + 1.0f) / 2.0f * 1920.0f;
  EXPECT_NEAR(left, 240.0f, 0.5f);
  EXPECT_NEAR(right, 1680.0f, 0.5f);
  // The back buffer is the desktop's, not the game's: the same call resets again.
  host_test::fRecordedCalls().clear();
  render->fSetResolution(1024, 768, true, true);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
}

TEST_F(RenderFrame, TallerDesktopLetterboxesYAndGameSizedStretchIsIdentity) {
  init();
  host_test::fSetDesktopSize(1280, 1024);
  render->fSetResolution(1024, 768, true, true);
  EXPECT_FLOAT_EQ(render->fGetLetterbox()(0, 0), 1.0f);
  EXPECT_FLOAT_EQ(render->fGetLetterbox()(1, 1), 1.25f / (1024.0f / 768.0f));
  render->fSetResolution(1024, 768, false, true);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(render->fGetLetterbox()(r, c), r == c ? 1.0f : 0.0f);
  }
}

TEST_F(RenderFrame, ScreenCameraFillsThePictureWithGamePixelsAndFixesTheFarPlane) {
  init();
  EXPECT_NEAR(render->fGetFar(), 1856.53f, 0.01f);
  // The plane z = 0 fills the picture: (0, 0) top-left, (width + 1, height + 1) bottom-right.
  const D3DXVECTOR3 topLeft = project(0.0f, 0.0f, 0.0f);
  const D3DXVECTOR3 bottomRight = project(1025.0f, 769.0f, 0.0f);
  EXPECT_NEAR(topLeft.x, -1.0f, 1e-4f);
  EXPECT_NEAR(topLeft.y, 1.0f, 1e-4f);
  EXPECT_NEAR(bottomRight.x, 1.0f, 1e-4f);
  EXPECT_NEAR(bottomRight.y, -1.0f, 1e-4f);
  EXPECT_GT(topLeft.z, 0.0f);
  EXPECT_LT(topLeft.z, 1.0f);
  // Larger z comes toward the viewer: nearer, so smaller depth.
  EXPECT_LT(project(10.0f, 10.0f, 100.0f).z, project(10.0f, 10.0f, 0.0f).z);
  // The far plane stays at its first value through later mode changes.
  render->fSetResolution(800, 600, false, false);
  EXPECT_NEAR(render->fGetFar(), 1856.53f, 0.01f);
  EXPECT_NEAR(project(801.0f, 601.0f, 0.0f).x, 1.0f, 1e-4f);
  // The three transforms reach the device.
  const auto transforms = fCalls("SetTransform");
  ASSERT_GE(transforms.size(), 3u);
  EXPECT_EQ(transforms[transforms.size() - 3].args[0], D3DTS_WORLD);
  EXPECT_EQ(transforms[transforms.size() - 1].args[0], D3DTS_PROJECTION);
}

TEST_F(RenderFrame, DisplayModesKeepLandscapeModesAtSixtyHertz) {
  init();
  host_test::fRecordingControls().modes = {{1024, 768, 60, D3DFMT_X8R8G8B8},
                                           {768, 1024, 60, D3DFMT_X8R8G8B8},
                                           {1920, 1080, 75, D3DFMT_X8R8G8B8},
                                           {1920, 1080, 60, D3DFMT_X8R8G8B8}};
  std::vector<QS_POINT> modes = {QS_POINT(1, 1)};
  qor_test::LogCapture log;
  render->fGetDisplayModes(modes);
  EXPECT_TRUE(log.hasLine("modes_count= 4"));
  EXPECT_EQ(modes, (std::vector<QS_POINT>{QS_POINT(1024, 768), QS_POINT(1920, 1080)}));
}

TEST_F(RenderFrame, CameraViewReachesTheDeviceAndTheSceneSet) {
  init();
  std::unique_ptr<QC_CAMERA> camera(render->fCreateCamera(0, 0));
  EXPECT_NEAR(camera->fGetEye().x, 512.5f, 1e-3f);
  host_test::fRecordedCalls().clear();
  render->fSetCamera(camera.get());
  ASSERT_EQ(fCalls("SetTransform").size(), 1u);
  EXPECT_EQ(fCalls("SetTransform")[0].args[0], D3DTS_VIEW);
  // A scene-set state takes the camera's view.
  host_test::fRecordedCalls().clear();
  QC_RENDER_STATE scene = fSpriteState();
  render->fApplyState(&scene);
  const auto transforms = fCalls("SetTransform");
  ASSERT_EQ(transforms.size(), 2u);
  EXPECT_EQ(transforms[1].args[0], D3DTS_VIEW);
  EXPECT_FLOAT_EQ(static_cast<float>(transforms[1].args[13]), camera->fGetView().e[12]);
  render->fSetCamera(nullptr);
}

}  // namespace
