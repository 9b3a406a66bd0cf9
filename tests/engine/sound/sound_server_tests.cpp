// The mixer on a real PulseAudio server of the test's own (a null sink, its own socket): the server
// is killed while music plays and started again; the mixer notices, runs nothing on unheard, opens
// the device again, and the music and the effects are heard on the server's sink once more.
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_lock.h"
#include "engine/sound/qc_sound_wake.h"
#include "tests/engine/sound/audio_probe.h"
#include "tests/kit/child_process.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>

using namespace QOR;
using namespace std::chrono_literals;

namespace {

// Read by OpenAL Soft on its first use: only its PulseAudio driver.
const bool g_pulseOnly = [] { return setenv("ALSOFT_DRIVERS", "pulse", 1) == 0; }();

// What a command prints on standard output.
std::string fRun(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// Calls step until done answers true; false after a generous time.
bool fPoll(const std::function<bool()>& done, const std::function<void()>& step) {
  for (const auto end = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < end; step()) {
    if (done()) return true;
  }
  return false;
}

int fSinkInputs() {
  const std::string list = fRun("pactl list short sink-inputs 2>/dev/null");
  return static_cast<int>(std::count(list.begin(), list.end(), '\n'));
}

// A server over a folder of its own, this process's clients pointed at its socket; started again
// by fStart after fKill. One left behind by a crash ends once idle.
class PrivatePulse {
 public:
  bool fStart() {
    if (_dir.fPath().empty() && !_dir.fCreate("qor-pulse-")) return false;
    const std::string dir = _dir.fPath().string();
    setenv("PULSE_SERVER", ("unix:" + dir + "/native").c_str(), 1);
    std::ofstream(dir + "/serve") << "#!/bin/sh\nexec pulseaudio -n --daemonize=no --exit-idle-time=30 "
                                     "--use-pid-file=no --disable-shm=yes -L 'module-null-sink sink_name=qor' "
                                     "-L 'module-native-protocol-unix auth-anonymous=1 socket="
                                  << dir << "/native'\n";
    const std::vector<std::string> home = {"HOME=" + dir, "XDG_RUNTIME_DIR=" + dir, "PULSE_RUNTIME_PATH=" + dir};
    _server = std::make_unique<qor_test::ChildProcess>();
    return chmod((dir + "/serve").c_str(), 0700) == 0 && _server->fStart(dir + "/serve", dir, home) &&
           fPoll([] { return fRun("pactl info 2>/dev/null").find("Default Sink: qor") != std::string::npos; },
                 [] { QC_SOUND_WAKE::fWait(20ms); });
  }
  void fKill() {
    _server->fSignal(SIGKILL);
    _server->fFinish(10s);
  }

 private:
  qor_test::ScratchDir _dir;
  std::unique_ptr<qor_test::ChildProcess> _server;
};

TEST(SoundServer, SoundComesBackAfterItsServerRestarts) {
  ASSERT_TRUE(g_pulseOnly);
  PrivatePulse pulse;
  ASSERT_TRUE(pulse.fStart()) << "pulseaudio (scripts/setup installs it) did not start";
  qor_test::LogCapture log;
  QC_MIXER mixer;
  ASSERT_EQ(mixer.fInit(), 1);
  const std::vector<std::uint8_t> track = qor_test::fMakeSineOgg(440.0, 8.0, 2);
  const std::vector<std::uint8_t> effect = qor_test::fMakeSineOgg(880.0, 2.0, 1);
  QC_SOUND* music = mixer.fCreateSound(track.data(), static_cast<int>(track.size()), 4, true);
  QC_SOUND* click = mixer.fCreateSound(effect.data(), static_cast<int>(effect.size()), 2, false);
  ASSERT_TRUE(music != nullptr && click != nullptr);
  // As the game's tracks: the data is read again whenever the track is played.
  ASSERT_TRUE(music->fSetDataReader([&track](std::vector<std::uint8_t>& bytes) {
    bytes = track;
    return true;
  }));
  music->fSetVolume(0.5f);
  music->fRestart();
  // This thread is the sound thread: one update, then the wait the mixer asks for.
  const auto pass = [&mixer] {
    std::chrono::milliseconds period;
    {
      QC_SOUND_LOCK lock;
      mixer.fUpdate();
      period = mixer.fRefillPeriod();
    }
    QC_SOUND_WAKE::fWait(period.count() < 0 ? 50ms : std::min(period, std::chrono::milliseconds(50)));
  };
  // The sound thread logs under the lock.
  const auto logged = [&log](const char* line) {
    QC_SOUND_LOCK lock;
    const std::vector<std::string> lines = log.lines();
    return std::count(lines.begin(), lines.end(), line);
  };
  // Half a second of the sink, measured as its loudest tenth of a second (44 or 88 whole periods of
  // either tone): a gap that a busy machine leaves in the stream lowers other windows, not that one.
  const auto heard = [&pass](double frequency) {
    auto capture = std::async(std::launch::async, [] {
      const std::string raw = fRun("parec -d qor.monitor --raw --format=float32le --rate=44100 --channels=2 "
                                   "2>/dev/null | head -c 176400");
      std::vector<float> out(raw.size() / sizeof(float));
      std::memcpy(out.data(), raw.data(), out.size() * sizeof(float));
      return out;
    });
    fPoll([&capture] { return capture.wait_for(0s) == std::future_status::ready; }, pass);
    const std::vector<float> stereo = capture.get();
    double loudest = 0.0;
    for (std::size_t at = 0; 2 * (at + 4410) <= stereo.size(); at += 441)
      loudest = std::max(loudest, sound_probe::fToneAmplitude(stereo, at, 4410, frequency));
    return loudest;
  };
  // A tone's level once its samples reach the sink: the take after the first that holds it, so it
  // is measured alike whenever the tone began; 0 when it never comes.
  const auto level = [&heard](double frequency) {
    for (int take = 0; take < 120; ++take) {
      if (heard(frequency) > 0.04) return heard(frequency);
    }
    return 0.0;
  };
  ASSERT_TRUE(fPoll([] { return fSinkInputs() == 1; }, pass));
  const double loudness = level(440.0);
  ASSERT_GT(loudness, 0.1);

  pulse.fKill();
  ASSERT_TRUE(fPoll([&] { return logged("Sound device lost") > 0; }, pass));
  // Updates without a pause while the device is gone: the track does not run on unheard.
  for (int i = 0; i < 60; ++i) {
    QC_SOUND_LOCK lock;
    mixer.fUpdate();
    EXPECT_GT(mixer.fRefillPeriod().count(), 0);
  }
  EXPECT_TRUE(music->isPlaying());
  click->fRestart();

  ASSERT_TRUE(pulse.fStart());
  ASSERT_TRUE(fPoll([&] { return logged("Sound device reopened") > 0; }, pass));
  EXPECT_TRUE(fPoll([] { return fSinkInputs() == 1; }, pass));
  EXPECT_NEAR(level(440.0), loudness, 0.1 * loudness) << "the music goes on, at its volume";
  EXPECT_LT(heard(880.0), 0.05) << "an effect played while the device was gone is not played late";
  click->fRestart();
  EXPECT_GT(level(880.0), 0.08) << "effects play again";
  EXPECT_EQ(logged("Sound device lost"), 1);
  EXPECT_EQ(logged("Sound device reopened"), 1);
}

// The tries to open the device again: a quarter of a second after the loss, doubling after each
// failed try up to 4 s, and 4 s from then on however long the outage lasts.
TEST(SoundServer, ReopenTriesWaitAQuarterSecondDoublingToFourSeconds) {
  std::vector<long long> waits;
  for (auto wait = 0ms; waits.size() < 10000;) waits.push_back((wait = QC_MIXER::fNextReopenWait(wait)).count());
  EXPECT_EQ(std::vector<long long>(waits.begin(), waits.begin() + 5),
            (std::vector<long long>{250, 500, 1000, 2000, 4000}));
  EXPECT_EQ(std::count(waits.begin() + 4, waits.end(), 4000), 9996);
}

}  // namespace
