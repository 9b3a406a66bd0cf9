// The game's music: streamed Ogg Vorbis tracks of the pack "data/audio" in a random rotation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {
class QC_SOUND;
}

class MAHJONG_MUSIC {
 public:
  // Registers "data/audio", adds the six tracks and starts track 4.
  MAHJONG_MUSIC();

  // Appends the track when its sound could be made.
  void AddTrack(const std::string& fileName, int bufferCount = 4, bool streamed = true);
  // Stops the current track and restarts the one of that index; an index out of range is ignored.
  void PlayTrack(int index);
  // Chooses and starts the next track of the rotation.
  void NextTrack();
  // The volume of every track, clamped to 0..1.
  void SetVolume(float volume);
  // Starts the next track once the current one has ended.
  void Update();

  const std::vector<QOR::QC_SOUND*>& GetTracks() const { return _tracks; }
  const std::vector<int>& GetPlayed() const { return _played; }
  int GetCurrent() const { return _current; }

 private:
  std::vector<QOR::QC_SOUND*> _tracks;
  std::vector<int> _played;
  int _current = 0;
  std::uint8_t _playing = 0;
};

// The game's one music list (made by the init hook when MUSIC is on); null otherwise.
extern MAHJONG_MUSIC* gameMusic;
