// TEST DOOR, for tests only (see the header).
#include "engine/sound/qc_sound_test_door.h"

#include "engine/sound/qc_mixer.h"

#include <AL/alext.h>

namespace QOR::sound_test {

namespace {

int g_frequency = 0;
ALCdevice* g_loopback = nullptr;
ALCint g_attributes[7] = {0};

LPALCRENDERSAMPLESSOFT fRenderFunction() {
  return reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
}

}  // namespace

void fUseLoopbackDevice(int frequency) { g_frequency = frequency > 0 ? frequency : 0; }

bool isLoopbackWanted() { return g_frequency > 0; }

ALCdevice* fOpenLoopbackDevice(const ALCint** attributes) {
  if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) return nullptr;
  auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
  if (open == nullptr) return nullptr;
  const ALCint values[7] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, g_frequency, 0};
  for (int i = 0; i < 7; ++i) g_attributes[i] = values[i];
  g_loopback = open(nullptr);
  if (attributes != nullptr) *attributes = g_attributes;
  return g_loopback;
}

bool fRenderLoopback(float* out, int frames) {
  if (out == nullptr || frames <= 0 || qcCurrentMixer == nullptr) return false;
  ALCdevice* device = qcCurrentMixer->fGetDevice();
  if (device == nullptr || device != g_loopback || qcCurrentMixer->fGetContext() == nullptr) return false;
  LPALCRENDERSAMPLESSOFT render = fRenderFunction();
  if (render == nullptr) return false;
  render(device, out, frames);
  return true;
}

}  // namespace QOR::sound_test
