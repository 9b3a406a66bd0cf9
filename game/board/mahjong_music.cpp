#include "game/board/mahjong_music.h"

#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "engine/sound/qc_sound.h"
#include "game/board/pack_passwords.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <utility>

MAHJONG_MUSIC* gameMusic = nullptr;

namespace {

constexpr const char* kTrackFiles[] = {"track01.ogg", "track02.ogg", "track03.ogg",
                                       "track04.ogg", "track05.ogg", "track06.ogg"};
// The rotation draws from the first four tracks only.
constexpr std::size_t kRotationSize = 4;
// Started once at start-up ("track05.ogg").
constexpr int kFirstTrack = 4;

}  // namespace

MAHJONG_MUSIC::MAHJONG_MUSIC() : MAHJONG_MUSIC(true) {}

MAHJONG_MUSIC::MAHJONG_MUSIC(bool load) {
  if (!load) return;
  QOR::QC_GAME::fAddPack("data/audio", MAHJONG_PACKS::kAudio);
  for (const char* file : kTrackFiles) AddTrack(file);
  _current = 0;
  PlayTrack(kFirstTrack);
  _playing = 1;
}

void MAHJONG_MUSIC::AddTrack(const std::string& fileName, int bufferCount, bool streamed) {
  // A sound is made only over bytes the loader already holds: load them first.
  QOR::QC_GAME::fGetResource(fileName);
  QOR::QC_SOUND* sound = QOR::QC_GAME::fCreateSound(fileName, bufferCount, streamed ? 1 : 0);
  if (sound == nullptr) return;
  // One track plays at a time: the others keep neither their bytes nor a decoder meanwhile.
  if (streamed) QOR::QC_GAME::fStreamWhenPlayed(sound, fileName);
  _tracks.push_back(sound);
  _played.push_back(0);
}

void MAHJONG_MUSIC::PlayTrack(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= _tracks.size()) return;
  StopCurrent();
  _tracks[static_cast<std::size_t>(index)]->fRestart();
  _current = index;
}

void MAHJONG_MUSIC::NextTrack() {
  if (_tracks.empty()) return;
  // With fewer than four tracks the rotation covers those there are.
  const std::size_t pool = std::min(_tracks.size(), kRotationSize);
  std::vector<int> choices = Unplayed(pool);
  if (choices.empty()) {
    // Only the current track is left (or the rotation holds just one): it has been heard, so the
    // group is over and a new one starts without it; a single track plays again.
    if (static_cast<std::size_t>(_current) < pool) _played[static_cast<std::size_t>(_current)] = 1;
    choices = Unplayed(pool);
    if (choices.empty()) choices.push_back(_current < static_cast<int>(pool) ? _current : 0);
  }
  // One draw picks among the tracks allowed, so any generator ends at once.
  const auto draw = static_cast<unsigned>(_random ? _random() : std::rand());
  const int index = choices[draw % choices.size()];

  QOR::fLog() << "new track " << index;
  StopCurrent();
  _current = index;
  _tracks[static_cast<std::size_t>(index)]->fRestart();
  _played[static_cast<std::size_t>(index)] = 1;
  _playing = 1;
}

void MAHJONG_MUSIC::SetVolume(float volume) {
  // Written so that NaN lands on 0 too.
  if (!(volume > 0.0f)) volume = 0.0f;
  if (volume > 1.0f) volume = 1.0f;
  for (QOR::QC_SOUND* track : _tracks) track->fSetVolume(volume);
}

void MAHJONG_MUSIC::Update() {
  if (_tracks.empty() || _playing == 0) return;
  if (_current < 0 || static_cast<std::size_t>(_current) >= _tracks.size()) {
    NextTrack();
    return;
  }
  const QOR::QC_SOUND* current = _tracks[static_cast<std::size_t>(_current)];
  // Without an audio device a track is never opened and never plays, so it never ends either:
  // choosing again on every tick would only fill the log.
  if (current->isOpened() && !current->isPlaying()) NextTrack();
}

void MAHJONG_MUSIC::SetRandom(std::function<int()> random) { _random = std::move(random); }

std::vector<int> MAHJONG_MUSIC::Unplayed(std::size_t pool) {
  // A group is over once every track of the rotation has played: start the next one.
  const bool all = std::all_of(_played.begin(), _played.begin() + static_cast<std::ptrdiff_t>(pool),
                               [](int played) { return played != 0; });
  if (all) std::fill(_played.begin(), _played.begin() + static_cast<std::ptrdiff_t>(pool), 0);
  std::vector<int> choices;
  for (std::size_t i = 0; i < pool; ++i) {
    if (_played[i] == 0 && static_cast<int>(i) != _current) choices.push_back(static_cast<int>(i));
  }
  return choices;
}

void MAHJONG_MUSIC::StopCurrent() {
  if (_current < 0 || static_cast<std::size_t>(_current) >= _tracks.size()) return;
  QOR::QC_SOUND* current = _tracks[static_cast<std::size_t>(_current)];
  if (current->isPlaying()) current->fStop();
}
