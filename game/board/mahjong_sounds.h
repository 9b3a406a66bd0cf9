// The game's sound effects, played by file name: Ogg Vorbis files of the pack "data/audio", made
// into sounds of the engine's mixer (which owns them).
#pragma once

#include <map>
#include <string>

namespace QOR {
class QC_SOUND;
}

class MAHJONG_SOUNDS {
 public:
  // An empty list; with load, registers "data/audio" and adds the game's 16 effects.
  explicit MAHJONG_SOUNDS(bool load);

  // Loads the file's bytes and makes a two-buffer sound over them, stored under the file name even
  // when it could not be made (null).
  void AddEffect(const std::string& fileName);
  // Restarts the effect from its beginning; an unknown name or a failed sound plays nothing.
  void Play(const std::string& fileName);
  // The volume of every effect, clamped to 0..1.
  void SetVolume(float volume);

  const std::map<std::string, QOR::QC_SOUND*>& GetEffects() const { return _effects; }

 private:
  std::map<std::string, QOR::QC_SOUND*> _effects;
};

// The game's one effect list (made by the init hook); null before it.
extern MAHJONG_SOUNDS* gameSounds;
