// The rules both device implementations share, checked on the recording device: what a reset
// needs and restores, locks inside their buffers, draws inside their data, render targets.
#include "host/recording_device.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DeviceRules : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(true);
    host_test::fResetRecording();
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    parameters.BackBufferWidth = 320;
    parameters.BackBufferHeight = 240;
    parameters.EnableAutoDepthStencil = TRUE;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0x44, &parameters, &device), D3D_OK);
  }
  void TearDown() override {
    device->Release();
    d3d->Release();
  }

  IDirect3DVertexBuffer9* triangle() {
    IDirect3DVertexBuffer9* buffer = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(3 * 16, D3DUSAGE_DYNAMIC, D3DFVF_XYZ | D3DFVF_DIFFUSE, D3DPOOL_DEFAULT,
                                         &buffer, nullptr),
              D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data, D3DLOCK_DISCARD), D3D_OK);
    std::memset(data, 0, 3 * 16);
    buffer->Unlock();
    return buffer;
  }

  D3DPRESENT_PARAMETERS parameters{};
  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
};

TEST_F(DeviceRules, ResetNeedsDefaultPoolBuffersAndBackBufferReferencesReleased) {
  IDirect3DVertexBuffer9* buffer = triangle();
  EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
  buffer->Release();
  IDirect3DSurface9* back = nullptr;
  ASSERT_EQ(device->GetRenderTarget(0, &back), D3D_OK);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
  back->Release();
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  // Managed textures need not be released.
  IDirect3DTexture9* managed = nullptr;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &managed, nullptr), D3D_OK);
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  managed->Release();
}

TEST_F(DeviceRules, RenderTargetTexturesSurviveAResetAndItsBindingsDoNot) {
  IDirect3DTexture9* target = nullptr;
  ASSERT_EQ(device->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target,
                                  nullptr),
            D3D_OK);
  IDirect3DSurface9* surface = nullptr;
  ASSERT_EQ(target->GetSurfaceLevel(0, &surface), D3D_OK);
  ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
  surface->Release();
  IDirect3DVertexBuffer9* buffer = triangle();
  device->SetStreamSource(0, buffer, 0, 16);
  device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  buffer->Release();  // the binding does not keep it
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
  device->EndScene();

  const int serial = host_test::fSerialOf(target);
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  EXPECT_TRUE(host_test::fIsAlive(serial));
  // Back on the back buffer after the reset.
  IDirect3DSurface9* current = nullptr;
  ASSERT_EQ(device->GetRenderTarget(0, &current), D3D_OK);
  D3DSURFACE_DESC desc{};
  current->GetDesc(&desc);
  EXPECT_EQ(desc.Width, 320u);
  current->Release();
  // Render targets cannot be locked.
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(target->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
  target->Release();
  EXPECT_FALSE(host_test::fIsAlive(serial));
}

TEST_F(DeviceRules, LocksStayInsideTheirBuffers) {
  IDirect3DIndexBuffer9* indices = nullptr;
  ASSERT_EQ(device->CreateIndexBuffer(12, D3DUSAGE_DYNAMIC, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indices, nullptr),
            D3D_OK);
  void* data = nullptr;
  EXPECT_EQ(indices->Lock(8, 8, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(indices->Lock(13, 0, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(indices->Lock(4, 8, &data, 0), D3D_OK);
  EXPECT_EQ(indices->Lock(0, 2, &data, 0), D3DERR_INVALIDCALL);  // already locked
  EXPECT_EQ(indices->Unlock(), D3D_OK);
  EXPECT_EQ(indices->Unlock(), D3DERR_INVALIDCALL);
  indices->Release();
  IDirect3DIndexBuffer9* wide = nullptr;
  EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_INDEX32, D3DPOOL_DEFAULT, &wide, nullptr), D3DERR_INVALIDCALL);
}

TEST_F(DeviceRules, DrawsReadOnlyInsideTheirDataAndTheirScene) {
  IDirect3DVertexBuffer9* buffer = triangle();
  IDirect3DIndexBuffer9* indices = nullptr;
  ASSERT_EQ(device->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr), D3D_OK);
  void* data = nullptr;
  indices->Lock(0, 0, &data, 0);
  const std::uint16_t bad[3] = {0, 1, 3};
  std::memcpy(data, bad, sizeof(bad));
  indices->Unlock();
  device->SetStreamSource(0, buffer, 0, 16);
  device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  device->SetIndices(indices);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);  // outside a scene
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawPrimitive(D3DPT_LINELIST, 0, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 1), D3DERR_INVALIDCALL);
  device->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE);  // 28 bytes, wider than the stride
  EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
  device->EndScene();
  indices->Release();
  buffer->Release();
  const auto& calls = host_test::fRecordedCalls();
  int recordedDraws = 0;
  for (const auto& call : calls) recordedDraws += call.vertices.empty() ? 0 : 1;
  EXPECT_EQ(recordedDraws, 1);
}

TEST_F(DeviceRules, ALostDeviceRefusesItsResetUntilItMayBeReset) {
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICELOST;
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICENOTRESET;
  EXPECT_EQ(device->Reset(&parameters), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
}

}  // namespace
