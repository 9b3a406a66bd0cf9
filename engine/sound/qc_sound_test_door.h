// TEST DOOR, for tests only: the game never calls anything here.
// Lets a test have QC_MIXER::fInit open OpenAL Soft's loopback device instead of the default one.
// A loopback device plays nothing by itself: the mix is rendered into memory on request, so a test
// decides exactly how much time passes and can check the samples that came out.
#pragma once

#include <AL/alc.h>

namespace QOR::sound_test {

// frequency > 0: later mixers render stereo 32-bit float frames at that rate on a loopback device;
// 0: later mixers open the default device again.
void fUseLoopbackDevice(int frequency);
// Renders frames stereo frames (2 floats each) of the current mixer's loopback device into out;
// false (and out untouched) when the current mixer has no loopback device.
bool fRenderLoopback(float* out, int frames);

// Used by QC_MIXER::fInit only.
bool isLoopbackWanted();
// Opens the loopback device and points attributes at the context attributes it needs; null when
// the OpenAL library has no loopback extension.
ALCdevice* fOpenLoopbackDevice(const ALCint** attributes);

}  // namespace QOR::sound_test
