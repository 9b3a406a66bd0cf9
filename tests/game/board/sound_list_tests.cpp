// The sound lists over the real "data/audio" pack: every effect and track is made, volumes are
// clamped, and the music rotation keeps its promise for any number of tracks and any generator.
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/pack_passwords.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kEffects = {
    "button_click.ogg",  "button_play_click.ogg", "button_level_click.ogg", "button_pack_click.ogg",
    "error.ogg",         "trophie.ogg",           "inc_multiplier.ogg",     "bonus_ready.ogg",
    "use_bonus_shuffle.ogg", "tile_collapse.ogg", "tile_select.ogg",        "level_normal.ogg",
    "level_good.ogg",    "level_excellent.ogg",   "pack_lock_broken.ogg",   "money.ogg"};
const std::vector<std::string> kTracks = {"track01.ogg", "track02.ogg", "track03.ogg",
                                          "track04.ogg", "track05.ogg", "track06.ogg"};

float gainOf(const QOR::QC_SOUND* sound) {
  ALfloat gain = -1.0f;
  alGetSourcef(sound->fGetSource(), AL_GAIN, &gain);
  return gain;
}

int playingCount(const std::vector<QOR::QC_SOUND*>& sounds) {
  return static_cast<int>(std::count_if(sounds.begin(), sounds.end(), [](QOR::QC_SOUND* s) { return s->isPlaying(); }));
}

// Checks the choices of a rotation over pool tracks: every choice is one of them, each group of
// pool choices plays each once, and no choice repeats the track before it (the first one is
// measured against start). The current track is the only one playing.
void expectRotation(const MAHJONG_MUSIC& music, const std::vector<int>& choices, std::size_t pool, int start) {
  ASSERT_FALSE(choices.empty());
  int previous = start;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    ASSERT_GE(choices[i], 0);
    ASSERT_LT(static_cast<std::size_t>(choices[i]), pool) << "choice " << i;
    if (pool > 1) {
      EXPECT_NE(choices[i], previous) << "choice " << i;
    }
    previous = choices[i];
  }
  for (std::size_t group = 0; group + pool <= choices.size(); group += pool) {
    std::vector<int> played(choices.begin() + static_cast<std::ptrdiff_t>(group),
                            choices.begin() + static_cast<std::ptrdiff_t>(group + pool));
    std::sort(played.begin(), played.end());
    for (std::size_t i = 0; i < pool; ++i) EXPECT_EQ(played[i], static_cast<int>(i)) << "group at " << group;
  }
  EXPECT_EQ(music.GetCurrent(), choices.back());
  EXPECT_TRUE(music.GetTracks()[static_cast<std::size_t>(choices.back())]->isPlaying());
  EXPECT_EQ(playingCount(music.GetTracks()), 1);
}

// Generators a rotation must survive: a fair one, constants at both ends and below zero.
std::vector<std::function<int()>> generators() {
  auto engine = std::make_shared<std::minstd_rand>(2024u);
  auto counter = std::make_shared<int>(0);
  return {[engine] { return static_cast<int>((*engine)() & 0x7FFF); },
          [] { return 0; },
          [] { return -1; },
          [] { return INT_MAX; },
          [] { return INT_MIN; },
          [counter] { return (*counter)++; }};
}

// Runs NextTrack count times under each generator in turn, answering the choices.
std::vector<int> rotate(MAHJONG_MUSIC& music, int count) {
  std::vector<int> choices;
  for (const auto& generator : generators()) {
    music.SetRandom(generator);
    for (int i = 0; i < count; ++i) {
      music.NextTrack();
      choices.push_back(music.GetCurrent());
    }
  }
  return choices;
}

using SoundLists = qor_test::GameServices;

TEST_F(SoundLists, TheAudioPackGivesEveryEffectAndTrackWithClampedVolumes) {
  const std::size_t before = QOR::qcMIXER->fGetSoundCount();
  MAHJONG_SOUNDS sounds(true);
  MAHJONG_MUSIC music;
  ASSERT_EQ(sounds.GetEffects().size(), kEffects.size());
  std::vector<QOR::QC_SOUND*> effects;
  for (const std::string& name : kEffects) {
    const auto found = sounds.GetEffects().find(name);
    ASSERT_TRUE(found != sounds.GetEffects().end() && found->second != nullptr) << name;
    EXPECT_TRUE(found->second->isOpened() && !found->second->isStreamed()) << name;
    effects.push_back(found->second);
  }
  const std::vector<QOR::QC_SOUND*>& tracks = music.GetTracks();
  ASSERT_EQ(tracks.size(), kTracks.size());
  for (QOR::QC_SOUND* track : tracks) EXPECT_TRUE(track->isOpened() && track->isStreamed());
  EXPECT_EQ(QOR::qcMIXER->fGetSoundCount(), before + kEffects.size() + kTracks.size());
  // Start-up plays "track05.ogg" alone.
  EXPECT_EQ(music.GetCurrent(), 4);
  EXPECT_TRUE(tracks[4]->isPlaying());
  EXPECT_EQ(playingCount(tracks), 1);

  for (const auto& [asked, expected] : std::initializer_list<std::pair<float, float>>{
           {1.7f, 1.0f}, {-0.2f, 0.0f}, {0.35f, 0.35f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f}}) {
    sounds.SetVolume(asked);
    music.SetVolume(asked);
    for (QOR::QC_SOUND* sound : effects) EXPECT_FLOAT_EQ(gainOf(sound), expected) << asked;
    for (QOR::QC_SOUND* sound : tracks) EXPECT_FLOAT_EQ(gainOf(sound), expected) << asked;
  }

  // Unknown names and files that could not be made play nothing; a known effect restarts.
  sounds.AddEffect("absent.ogg");
  EXPECT_EQ(sounds.GetEffects().at("absent.ogg"), nullptr);
  for (const char* name : {"not_an_effect.ogg", "", "absent.ogg"}) sounds.Play(name);
  EXPECT_EQ(sounds.GetEffects().size(), kEffects.size() + 1);
  EXPECT_EQ(playingCount(effects), 0);
  sounds.Play("tile_select.ogg");
  EXPECT_TRUE(sounds.GetEffects().at("tile_select.ogg")->isPlaying());
  EXPECT_EQ(playingCount(effects), 1);
  MAHJONG_SOUNDS silent(false);
  silent.Play("tile_select.ogg");
  EXPECT_TRUE(silent.GetEffects().empty());

  // Five rotations from the start-up track: the first four tracks only, each once per group.
  music.SetRandom(generators()[0]);
  std::vector<int> choices;
  for (int i = 0; i < 20; ++i) {
    music.NextTrack();
    choices.push_back(music.GetCurrent());
  }
  expectRotation(music, choices, 4, 4);
}

TEST_F(SoundLists, TheRotationCoversTheTracksThereAreForAnyGenerator) {
  QOR::QC_GAME::fAddPack("data/audio", MAHJONG_PACKS::kAudio);
  for (std::size_t count = 0; count <= kTracks.size(); ++count) {
    SCOPED_TRACE(count);
    MAHJONG_MUSIC music(false);
    for (std::size_t i = 0; i < count; ++i) music.AddTrack(kTracks[i]);
    ASSERT_EQ(music.GetTracks().size(), count);
    ASSERT_EQ(music.GetPlayed().size(), count);
    qor_test::LogCapture log;
    const std::vector<int> choices = rotate(music, 12);
    if (count == 0) {
      // Nothing to choose: every call returns at once.
      music.Update();
      EXPECT_EQ(music.GetCurrent(), 0);
      EXPECT_FALSE(music.isPlayingFlag());
      EXPECT_FALSE(log.contains("new track"));
      continue;
    }
    expectRotation(music, choices, std::min<std::size_t>(count, 4), 0);
    EXPECT_TRUE(log.hasLine("new track " + std::to_string(choices.back())));
    EXPECT_EQ(log.lines().size(), choices.size());
  }
}

TEST_F(SoundLists, UpdateStartsTheNextTrackOnlyWhenTheCurrentOneHasEnded) {
  QOR::QC_GAME::fAddPack("data/audio", MAHJONG_PACKS::kAudio);
  MAHJONG_MUSIC music(false);
  for (std::size_t i = 0; i < 3; ++i) music.AddTrack(kTracks[i]);
  const std::vector<QOR::QC_SOUND*>& tracks = music.GetTracks();
  // Fewer than five tracks: the start-up request for track 4 plays nothing.
  music.PlayTrack(4);
  music.PlayTrack(-1);
  EXPECT_EQ(playingCount(tracks), 0);
  // The rotation has not been started: updates leave it silent.
  music.Update();
  EXPECT_EQ(playingCount(tracks), 0);

  music.SetRandom([] { return 7; });
  music.NextTrack();
  const int first = music.GetCurrent();
  music.Update();
  EXPECT_EQ(music.GetCurrent(), first);
  for (int ended = 0; ended < 6; ++ended) {
    const int before = music.GetCurrent();
    tracks[static_cast<std::size_t>(before)]->fStop();
    music.Update();
    EXPECT_NE(music.GetCurrent(), before);
    EXPECT_TRUE(tracks[static_cast<std::size_t>(music.GetCurrent())]->isPlaying());
  }

  // A track asked for by index stops the one playing.
  music.PlayTrack(2);
  EXPECT_EQ(music.GetCurrent(), 2);
  EXPECT_EQ(playingCount(tracks), 1);

  // Tracks made with no audio context never open and never play: updates do not keep choosing.
  ALCcontext* context = alcGetCurrentContext();
  alcMakeContextCurrent(nullptr);
  MAHJONG_MUSIC silent(false);
  silent.AddTrack(kTracks[0]);
  silent.AddTrack(kTracks[1]);
  alcMakeContextCurrent(context);
  ASSERT_EQ(silent.GetTracks().size(), 2u);
  ASSERT_FALSE(silent.GetTracks()[0]->isOpened());
  qor_test::LogCapture log;
  silent.NextTrack();
  for (int tick = 0; tick < 5; ++tick) silent.Update();
  EXPECT_EQ(log.lines().size(), 1u);
}

}  // namespace
