// A small deterministic synthesiser for the game's sounds and music: additive and FM instruments
// played into a stereo mix, a plain reverb, and a mix that can wrap round its end so that the
// tails of a music loop's last notes sound at its start (a seamless loop).
#pragma once

#include <cstdint>
#include <vector>

namespace QOR::AUDIO {

inline constexpr int kSampleRate = 44100;

class QC_MIX {
 public:
  // seconds long; with wrap set, samples past the end land at the start.
  QC_MIX(double seconds, bool wrap);

  std::size_t fFrames() const { return _left.size(); }
  void fAdd(long long frame, float left, float right);
  std::vector<float>& fLeft() { return _left; }
  std::vector<float>& fRight() { return _right; }
  const std::vector<float>& fLeft() const { return _left; }
  const std::vector<float>& fRight() const { return _right; }

  // A room reverb (wet share 0..1); in a wrapping mix its tail wraps round too.
  void fReverb(double wet, double roomSize);
  // Scales the mix so that its peak is `peak` (0..1); a silent mix stays silent.
  void fNormalize(double peak);
  // Fades the last `seconds` out (for one-shot sounds).
  void fFadeOut(double seconds);

 private:
  bool _wrap;
  std::vector<float> _left;
  std::vector<float> _right;
};

enum class INSTRUMENT {
  BELL,       // FM bell, long ring
  MUSIC_BOX,  // bright tine, short ring
  PLUCK,      // plucked zither string (Karplus-Strong)
  FLUTE,      // breathy flute with vibrato
  PAD,        // soft detuned strings, slow swell
  BASS,       // round low bass
  MARIMBA,    // wooden bar
  WOODBLOCK,  // temple block tick
  GONG,       // low shimmering gong
  BRASS,      // soft FM horn
  DRUM,       // deep frame drum thump
  CLACK,      // two stones knocking
};

struct QS_NOTE {
  double start = 0.0;     // seconds
  double duration = 0.2;  // seconds the note is held (rings on after by its instrument)
  double frequency = 440.0;
  double gain = 0.5;
  double pan = 0.0;       // -1 left .. 1 right
};

// Plays one note into the mix. seed varies the noisy instruments deterministically.
void fPlay(QC_MIX& mix, INSTRUMENT instrument, const QS_NOTE& note, std::uint32_t seed = 1);

// A filtered noise sweep (whoosh) from one centre frequency to another.
void fSweep(QC_MIX& mix, double start, double duration, double fromHz, double toHz, double gain,
            std::uint32_t seed);

// Equal-tempered frequency of a MIDI note number.
double fMidi(double note);

// A note on MIDI note number midi.
QS_NOTE fNote(double start, double duration, double midi, double gain, double pan = 0.0);

}  // namespace QOR::AUDIO
