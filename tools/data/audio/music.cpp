// The six music tracks. Each is a short piece in its own mood, composed by rule from a fixed
// seed: a chord progression held by a pad, a bass, an arpeggio, percussion for the livelier
// pieces and a pentatonic melody in two-bar phrases (A A' B A''). The mix wraps round its end, so
// every track loops without a seam; each lasts a minute or more.
#include "tools/data/audio/audio_parts.h"

#include <array>
#include <cmath>
#include <vector>

namespace QOR::AUDIO {

namespace {

enum class PERCUSSION { NONE, SOFT, BLOCKS, DRUMS };

struct SONG {
  double bpm;
  int bars;
  int root;  // MIDI note of the key
  bool minor;
  std::vector<int> progression;  // scale degree of each bar's chord, repeated
  INSTRUMENT melody;
  int melodyOctave;  // semitones added to the melody's register
  INSTRUMENT arp;
  int arpStep;  // eighths between arpeggio notes (0 = none)
  PERCUSSION percussion;
  bool gongs;
  double reverb;
  std::uint32_t seed;
};

const std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::array<int, 5> kMajorPenta = {0, 2, 4, 7, 9};
const std::array<int, 5> kMinorPenta = {0, 3, 5, 7, 10};

SONG fSong(int track) {
  switch (track) {
    case 1:  // lotus pond: calm, flowing
      return {72, 24, 62, false, {0, 5, 3, 4}, INSTRUMENT::FLUTE, 12, INSTRUMENT::PLUCK, 2,
              PERCUSSION::NONE, false, 0.35, 101};
    case 2:  // cranes: light and airy
      return {90, 24, 55, false, {0, 3, 4, 0, 5, 3, 1, 4}, INSTRUMENT::BELL, 24, INSTRUMENT::MARIMBA,
              1, PERCUSSION::SOFT, false, 0.3, 202};
    case 3:  // bamboo grove: lively wood and strings
      return {100, 28, 57, true, {0, 5, 6, 4}, INSTRUMENT::PLUCK, 12, INSTRUMENT::MARIMBA, 1,
              PERCUSSION::BLOCKS, false, 0.2, 303};
    case 4:  // phoenix: warm and heroic
      return {84, 24, 52, true, {0, 3, 5, 4}, INSTRUMENT::BRASS, 12, INSTRUMENT::PLUCK, 2,
              PERCUSSION::DRUMS, true, 0.3, 404};
    case 5:  // cherry blossom: gentle, heard at start-up
      return {66, 24, 60, false, {0, 4, 5, 3}, INSTRUMENT::MUSIC_BOX, 12, INSTRUMENT::PLUCK, 4,
              PERCUSSION::NONE, false, 0.4, 505};
    default:  // azure dragon: slow and mysterious
      return {60, 16, 54, true, {0, 0, 5, 4}, INSTRUMENT::FLUTE, 0, INSTRUMENT::BELL, 4,
              PERCUSSION::SOFT, true, 0.45, 606};
  }
}

struct RANDOM {
  std::uint32_t state;
  std::uint32_t fNext() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  int fInt(int lo, int hi) { return lo + static_cast<int>(fNext() % static_cast<std::uint32_t>(hi - lo + 1)); }
};

struct MELODY_NOTE {
  int eighth;      // start within the phrase, in eighths
  int length;      // eighths
  int degree;      // pentatonic degree (0 = root of the melody register)
  bool rest;
};

// A two-bar phrase: rhythm from a small set of patterns, pitch by a gentle random walk.
std::vector<MELODY_NOTE> fPhrase(RANDOM& random, int startDegree) {
  static const std::vector<std::vector<int>> kRhythms = {
      {2, 2, 2, 2}, {3, 1, 2, 2}, {2, 1, 1, 4}, {4, 2, 2}, {1, 1, 2, 2, 2}, {2, 2, 4}, {3, 3, 2}, {6, 2}};
  std::vector<MELODY_NOTE> notes;
  int degree = startDegree;
  for (int bar = 0; bar < 2; ++bar) {
    // The phrase ends on a long note.
    const std::vector<int>& rhythm =
        bar == 1 ? kRhythms[static_cast<std::size_t>(random.fInt(5, 7))]
                 : kRhythms[static_cast<std::size_t>(random.fInt(0, 6))];
    int at = bar * 8;
    for (std::size_t i = 0; i < rhythm.size(); ++i) {
      MELODY_NOTE note;
      note.eighth = at;
      note.length = rhythm[i];
      degree += random.fInt(-2, 2);
      if (degree < 0) degree = 1;
      if (degree > 9) degree = 8;
      note.degree = degree;
      note.rest = (i > 0 && random.fInt(0, 9) == 0);
      notes.push_back(note);
      at += rhythm[i];
    }
  }
  return notes;
}

int fPentaNote(const SONG& song, int degree) {
  const std::array<int, 5>& penta = song.minor ? kMinorPenta : kMajorPenta;
  const int octave = degree / 5;
  return song.root + song.melodyOctave + octave * 12 + penta[static_cast<std::size_t>(degree % 5)];
}

std::vector<int> fChord(const SONG& song, int degree) {
  const std::array<int, 7>& scale = song.minor ? kMinor : kMajor;
  std::vector<int> chord;
  for (int k = 0; k < 3; ++k) {
    const int d = degree + 2 * k;
    chord.push_back(song.root + (d / 7) * 12 + scale[static_cast<std::size_t>(d % 7)]);
  }
  return chord;
}

}  // namespace

std::unique_ptr<QC_MIX> fMakeTrack(int track) {
  if (track < 1 || track > 6) return nullptr;
  const SONG song = fSong(track);
  const double beat = 60.0 / song.bpm;
  const double bar = beat * 4.0;
  const double eighth = beat / 2.0;
  auto mix = std::make_unique<QC_MIX>(bar * song.bars, true);
  RANDOM random{song.seed * 2654435761u + 1u};

  // Harmony, bass, arpeggio and percussion, bar by bar.
  for (int b = 0; b < song.bars; ++b) {
    const double t0 = b * bar;
    const int degree = song.progression[static_cast<std::size_t>(b) % song.progression.size()];
    const std::vector<int> chord = fChord(song, degree);
    for (std::size_t k = 0; k < chord.size(); ++k) {
      fPlay(*mix, INSTRUMENT::PAD, fNote(t0, bar * 0.95, chord[k], 0.09, -0.5 + 0.5 * static_cast<double>(k)));
    }
    fPlay(*mix, INSTRUMENT::BASS, fNote(t0, beat * 1.8, chord[0] - 12, 0.28, 0.0));
    fPlay(*mix, INSTRUMENT::BASS, fNote(t0 + beat * 2, beat * 1.6, chord[0] - 12 + (song.minor ? 7 : 7), 0.2, 0.0));
    if (song.arpStep > 0) {
      int k = 0;
      for (int e = 0; e < 8; e += song.arpStep, ++k) {
        const int note = chord[static_cast<std::size_t>(k % 3)] + 12 * ((k / 3) % 2);
        fPlay(*mix, song.arp, fNote(t0 + e * eighth, eighth * song.arpStep * 0.9, note, 0.1,
                                    (k % 2 == 0) ? -0.35 : 0.35),
              song.seed + static_cast<std::uint32_t>(b * 16 + e));
      }
    }
    switch (song.percussion) {
      case PERCUSSION::NONE: break;
      case PERCUSSION::SOFT: {
        QS_NOTE tick = fNote(t0 + beat, 0.05, 0, 0.08, 0.3);
        tick.frequency = 1400;
        fPlay(*mix, INSTRUMENT::WOODBLOCK, tick, 70);
        tick.start = t0 + 3 * beat;
        fPlay(*mix, INSTRUMENT::WOODBLOCK, tick, 71);
        break;
      }
      case PERCUSSION::BLOCKS: {
        for (int e = 0; e < 8; ++e) {
          if (e % 2 == 0 && e != 4) continue;
          QS_NOTE tick = fNote(t0 + e * eighth, 0.05, 0, e % 4 == 3 ? 0.12 : 0.08, e % 4 == 3 ? 0.4 : -0.4);
          tick.frequency = e % 4 == 3 ? 1050 : 1500;
          fPlay(*mix, INSTRUMENT::WOODBLOCK, tick, 80 + static_cast<std::uint32_t>(e));
        }
        QS_NOTE drum = fNote(t0, 0.2, 0, 0.3, 0.0);
        drum.frequency = 70;
        fPlay(*mix, INSTRUMENT::DRUM, drum, 90);
        drum.start = t0 + 2.5 * beat;
        drum.gain = 0.2;
        fPlay(*mix, INSTRUMENT::DRUM, drum, 91);
        break;
      }
      case PERCUSSION::DRUMS: {
        QS_NOTE drum = fNote(t0, 0.2, 0, 0.34, 0.0);
        drum.frequency = 62;
        fPlay(*mix, INSTRUMENT::DRUM, drum, 92);
        drum.start = t0 + 2 * beat;
        drum.gain = 0.26;
        fPlay(*mix, INSTRUMENT::DRUM, drum, 93);
        drum.start = t0 + 3.5 * beat;
        drum.gain = 0.16;
        drum.frequency = 90;
        fPlay(*mix, INSTRUMENT::DRUM, drum, 94);
        break;
      }
    }
    if (song.gongs && b % 8 == 0) {
      fPlay(*mix, INSTRUMENT::GONG, fNote(t0, 1.0, song.root - 12, 0.2, 0.0));
    }
  }

  // Melody in sections of eight bars: A A' B A'' (the second half of the first section rests,
  // so the piece breathes).
  const std::vector<MELODY_NOTE> phraseA = fPhrase(random, 4);
  const std::vector<MELODY_NOTE> phraseB = fPhrase(random, 6);
  for (int b = 0; b + 1 < song.bars; b += 2) {
    const int slot = (b / 2) % 4;
    const int section = b / 8;
    if (section == 1 && slot >= 2) continue;  // a breathing space
    std::vector<MELODY_NOTE> phrase = slot == 2 ? phraseB : phraseA;
    if (slot == 1 || slot == 3) {
      // Variations: the last notes move, and the very last comes home to the root.
      RANDOM vary{song.seed + static_cast<std::uint32_t>(b) * 977u};
      for (std::size_t i = phrase.size() / 2; i < phrase.size(); ++i) {
        phrase[i].degree = std::max(0, phrase[i].degree + vary.fInt(-1, 1));
      }
      phrase.back().degree = slot == 3 ? 5 : 7;
    }
    for (const MELODY_NOTE& note : phrase) {
      if (note.rest) continue;
      const double start = b * bar + note.eighth * eighth;
      fPlay(*mix, song.melody, fNote(start, note.length * eighth * 0.92, fPentaNote(song, note.degree),
                                     song.melody == INSTRUMENT::BELL ? 0.2 : 0.3, 0.1),
            song.seed + static_cast<std::uint32_t>(b * 32 + note.eighth));
    }
  }
  mix->fReverb(song.reverb, 1.1);
  mix->fNormalize(0.8);
  return mix;
}

}  // namespace QOR::AUDIO
