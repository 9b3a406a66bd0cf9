#include "host/recording_device.h"
#include "host/src/d3d9/factories.h"

// The recording implementation when a test asked for it, else OpenGL.
IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  if (host_test::fUsingRecordingDevice()) return fCreateRecordingDirect3D();
  return fCreateGlDirect3D();
}
