// What the sound thread spends on music: decoding and refilling one second of 44.1 kHz stereo
// Ogg Vorbis through the streaming buffers, with and without OpenAL's own mixing, and what an
// effect costs to decode whole at load.
#include "bench/bench_kit.h"
#include "engine/platform/qc_thread.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_test_door.h"
#include "tests/kit/ogg_maker.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace QOR;
using qor_bench::QuietLog;

namespace {

constexpr int kRate = 44100;
constexpr double kTwoPi = 6.283185307179586;

// Ten seconds of a chord with a little noise: a music-like bitrate, not a trivially small one.
const std::vector<std::uint8_t>& fMusic() {
  static const std::vector<std::uint8_t> bytes = [] {
    const std::size_t frames = 10 * kRate;
    std::vector<float> pcm(frames * 2);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double chord = 0.2 * std::sin(kTwoPi * 220.0 * t) + 0.15 * std::sin(kTwoPi * 277.2 * t) +
                           0.15 * std::sin(kTwoPi * 329.6 * t);
      for (std::size_t c = 0; c < 2; ++c) {
        state = state * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(state >> 8) / 16777216.0 - 0.5) * 0.05;
        pcm[2 * i + c] = static_cast<float>(chord + noise);
      }
    }
    return qor_test::fEncodeOggVorbis(pcm, 2, kRate);
  }();
  return bytes;
}

// A mixer on the loopback device, so the benchmark decides when OpenAL mixes. The mixer logs as it
// starts and closes: the quiet log, made first and dropped last, keeps that out of the report.
struct LoopbackMixer {
  LoopbackMixer() {
    sound_test::fUseLoopbackDevice(kRate);
    mixer = std::make_unique<QC_MIXER>();
    mixer->fInit();
  }
  ~LoopbackMixer() {
    mixer.reset();
    sound_test::fUseLoopbackDevice(0);
  }
  // The music as a stream of four buffers; null, with the benchmark skipped, when it does not open.
  QC_SOUND* music(benchmark::State& state) {
    const auto& bytes = fMusic();
    QC_SOUND* sound = mixer->fCreateSound(bytes.data(), static_cast<int>(bytes.size()), 4, true);
    if (sound == nullptr) state.SkipWithError("the music did not open");
    return sound;
  }
  QuietLog quiet;
  std::unique_ptr<QC_MIXER> mixer;
};

// Decoding and uploading one second of stereo music into streaming buffers: the refill work
// alone, as the sound thread does it when OpenAL reports buffers processed.
void BM_StreamDecodeAndUploadOneSecond(benchmark::State& state) {
  LoopbackMixer loopback;
  QC_SOUND* sound = loopback.music(state);
  if (sound == nullptr) return;
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  const int bytesPerSecond = kRate * 4;
  for (auto _ : state) {
    for (int done = 0; done < bytesPerSecond;) {
      const int filled = sound->fFillBuffer(buffer);
      if (filled <= 0) {
        sound->fStop();  // rewinds the decoder
        continue;
      }
      done += filled;
    }
  }
  alDeleteBuffers(1, &buffer);
  state.counters["refills_per_second"] = static_cast<double>(bytesPerSecond) / QC_SOUND::kStreamBufferSize;
}
QOR_BENCHMARK(BM_StreamDecodeAndUploadOneSecond)->Unit(benchmark::kMillisecond);

// One second of a playing stream as the sound thread sees it: OpenAL mixes the second in 23 ms
// steps and the mixer's refill runs under lock 1 after each.
void BM_StreamPlayOneSecondWithRefills(benchmark::State& state) {
  LoopbackMixer loopback;
  QC_SOUND* sound = loopback.music(state);
  if (sound == nullptr) return;
  sound->fSetLooping(true);
  sound->fPlay();
  constexpr int kChunk = 1024;
  std::vector<float> out(2 * kChunk);
  for (auto _ : state) {
    for (int done = 0; done < kRate; done += kChunk) {
      sound_test::fRenderLoopback(out.data(), kChunk);
      QC_THREAD::fMutexLock(1);
      loopback.mixer->fUpdate();
      QC_THREAD::fMutexUnlock(1);
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (!sound->isPlaying()) state.SkipWithError("the stream stopped");
}
QOR_BENCHMARK(BM_StreamPlayOneSecondWithRefills)->Unit(benchmark::kMillisecond);

// An effect decoded whole at load: one second of stereo into one buffer.
void BM_WholeSoundOpenOneSecond(benchmark::State& state) {
  LoopbackMixer loopback;
  static const std::vector<std::uint8_t> effect = qor_test::fMakeSineOgg(660.0, 1.0, 2);
  for (auto _ : state) {
    QC_SOUND sound;
    benchmark::DoNotOptimize(sound.fOpen(effect.data(), static_cast<int>(effect.size()), 2, false));
  }
}
QOR_BENCHMARK(BM_WholeSoundOpenOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
