// The game's music: streamed Ogg Vorbis tracks of the pack "data/audio" in a random rotation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace QOR {
class QC_SOUND;
}

class MAHJONG_MUSIC {
 public:
  // Registers "data/audio", adds the six tracks and starts track 4.
  MAHJONG_MUSIC();
  // With load, as above; without, an empty list that plays nothing until tracks are added and
  // the rotation is started with NextTrack.
  explicit MAHJONG_MUSIC(bool load);

  // Appends the track when its sound could be made.
  void AddTrack(const std::string& fileName, int bufferCount = 4, bool streamed = true);
  // Stops the current track and restarts the one of that index; an index out of range is ignored.
  void PlayTrack(int index);
  // Chooses and starts the next track of the rotation: one of the first four tracks (of those
  // there are, when fewer) not yet played in this group and not the current one; a new group
  // starts once all have played. A single track plays again; with none nothing happens.
  void NextTrack();
  // The volume of every track, clamped to 0..1.
  void SetVolume(float volume);
  // Starts the next track once the current one has ended (a track that could not be opened, with
  // no audio device, never ends).
  void Update();

  const std::vector<QOR::QC_SOUND*>& GetTracks() const { return _tracks; }
  const std::vector<int>& GetPlayed() const { return _played; }
  int GetCurrent() const { return _current; }
  bool isPlayingFlag() const { return _playing != 0; }
  // The generator of the rotation's draws (the C library's rand() by default; an empty function
  // restores it).
  void SetRandom(std::function<int()> random);

 private:
  // The tracks of the first pool that may come next (not played in this group, not the current
  // one); clears the group's flags first when all of them are set.
  std::vector<int> Unplayed(std::size_t pool);
  // Stops the current track when it is playing.
  void StopCurrent();

  std::vector<QOR::QC_SOUND*> _tracks;
  std::vector<int> _played;
  int _current = 0;
  std::uint8_t _playing = 0;
  std::function<int()> _random;
};

// The game's one music list (made by the init hook when MUSIC is on); null otherwise.
extern MAHJONG_MUSIC* gameMusic;
