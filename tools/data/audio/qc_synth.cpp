#include "tools/data/audio/qc_synth.h"

#include <algorithm>
#include <cmath>

namespace QOR::AUDIO {

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct NOISE {
  std::uint32_t state;
  explicit NOISE(std::uint32_t seed) : state(seed == 0 ? 0x9E3779B9u : seed) {}
  // -1..1
  double fNext() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (state / 4294967295.0) * 2.0 - 1.0;
  }
};

// Attack, hold for `held` seconds, then release: 0..1.
double fEnvelope(double t, double attack, double held, double release) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  if (t < held) return 1.0;
  const double r = (t - held) / std::max(1e-6, release);
  return r >= 1.0 ? 0.0 : 1.0 - r;
}

double fRingTime(INSTRUMENT instrument, double duration) {
  switch (instrument) {
    case INSTRUMENT::BELL: return 2.6;
    case INSTRUMENT::MUSIC_BOX: return 1.3;
    case INSTRUMENT::PLUCK: return std::min(3.0, duration + 1.6);
    case INSTRUMENT::FLUTE: return duration + 0.25;
    case INSTRUMENT::PAD: return duration + 1.3;
    case INSTRUMENT::BASS: return duration + 0.25;
    case INSTRUMENT::MARIMBA: return 1.0;
    case INSTRUMENT::WOODBLOCK: return 0.18;
    case INSTRUMENT::GONG: return 4.5;
    case INSTRUMENT::BRASS: return duration + 0.2;
    case INSTRUMENT::DRUM: return 0.7;
    case INSTRUMENT::CLACK: return 0.12;
  }
  return duration;
}

}  // namespace

double fMidi(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

QS_NOTE fNote(double start, double duration, double midi, double gain, double pan) {
  QS_NOTE note;
  note.start = start;
  note.duration = duration;
  note.frequency = fMidi(midi);
  note.gain = gain;
  note.pan = pan;
  return note;
}

QC_MIX::QC_MIX(double seconds, bool wrap)
    : _wrap(wrap),
      _left(static_cast<std::size_t>(std::max(1.0, std::ceil(seconds * kSampleRate))), 0.0f),
      _right(_left.size(), 0.0f) {}

void QC_MIX::fAdd(long long frame, float left, float right) {
  const long long n = static_cast<long long>(_left.size());
  if (frame < 0) return;
  if (frame >= n) {
    if (!_wrap) return;
    frame %= n;
  }
  _left[static_cast<std::size_t>(frame)] += left;
  _right[static_cast<std::size_t>(frame)] += right;
}

void QC_MIX::fReverb(double wet, double roomSize) {
  const std::size_t n = _left.size();
  const int combBase[4] = {1116, 1188, 1277, 1356};
  const int allBase[2] = {556, 441};
  for (int channel = 0; channel < 2; ++channel) {
    std::vector<float>& data = channel == 0 ? _left : _right;
    const std::vector<float> dry = data;
    std::vector<std::vector<float>> combs;
    std::vector<std::size_t> combPos(4, 0);
    std::vector<float> combLow(4, 0.0f);
    for (int c = 0; c < 4; ++c) {
      combs.emplace_back(static_cast<std::size_t>((combBase[c] + channel * 23) * roomSize) + 1, 0.0f);
    }
    std::vector<std::vector<float>> alls;
    std::vector<std::size_t> allPos(2, 0);
    for (int a = 0; a < 2; ++a) {
      alls.emplace_back(static_cast<std::size_t>((allBase[a] + channel * 13) * roomSize) + 1, 0.0f);
    }
    // A wrapping mix runs the loop twice and keeps the second pass, so the tail of its end is
    // heard at its start.
    const std::size_t passes = _wrap ? 2 : 1;
    const std::size_t total = n * passes;
    for (std::size_t i = 0; i < total; ++i) {
      const float input = dry[i % n] * 0.05f;
      float sum = 0.0f;
      for (int c = 0; c < 4; ++c) {
        std::vector<float>& line = combs[c];
        const float out = line[combPos[c]];
        combLow[c] = out * 0.75f + combLow[c] * 0.25f;
        line[combPos[c]] = input + combLow[c] * 0.84f;
        combPos[c] = (combPos[c] + 1) % line.size();
        sum += out;
      }
      for (int a = 0; a < 2; ++a) {
        std::vector<float>& line = alls[a];
        const float buffered = line[allPos[a]];
        const float out = -sum + buffered;
        line[allPos[a]] = sum + buffered * 0.5f;
        allPos[a] = (allPos[a] + 1) % line.size();
        sum = out;
      }
      if (i + n >= total) {
        const std::size_t at = i % n;
        data[at] = static_cast<float>(dry[at] * (1.0 - wet * 0.3) + sum * wet);
      }
    }
  }
}

void QC_MIX::fNormalize(double peak) {
  float most = 0.0f;
  for (float v : _left) most = std::max(most, std::fabs(v));
  for (float v : _right) most = std::max(most, std::fabs(v));
  if (most <= 1e-9f) return;
  const float k = static_cast<float>(peak / most);
  for (float& v : _left) v *= k;
  for (float& v : _right) v *= k;
}

void QC_MIX::fFadeOut(double seconds) {
  const std::size_t n = _left.size();
  const std::size_t len = std::min(n, static_cast<std::size_t>(seconds * kSampleRate));
  for (std::size_t i = 0; i < len; ++i) {
    const float k = static_cast<float>(i) / static_cast<float>(std::max<std::size_t>(1, len));
    _left[n - 1 - i] *= k;
    _right[n - 1 - i] *= k;
  }
}

void fPlay(QC_MIX& mix, INSTRUMENT instrument, const QS_NOTE& note, std::uint32_t seed) {
  const double f = note.frequency;
  const double ring = fRingTime(instrument, note.duration);
  const long long frames = static_cast<long long>(ring * kSampleRate);
  const long long first = static_cast<long long>(std::llround(note.start * kSampleRate));
  const double angle = (std::clamp(note.pan, -1.0, 1.0) + 1.0) * kTwoPi / 8.0;
  const double gl = std::cos(angle) * note.gain;
  const double gr = std::sin(angle) * note.gain;
  NOISE noise(seed * 2654435761u + static_cast<std::uint32_t>(f * 16));

  // Karplus-Strong string for the pluck.
  std::vector<double> string;
  std::size_t stringPos = 0;
  if (instrument == INSTRUMENT::PLUCK) {
    const std::size_t length = std::max<std::size_t>(2, static_cast<std::size_t>(kSampleRate / std::max(20.0, f)));
    string.resize(length);
    double low = 0.0;
    for (double& s : string) {
      low = low * 0.5 + noise.fNext() * 0.5;
      s = low;
    }
  }
  double lowNoise = 0.0;
  for (long long i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double v = 0.0;
    switch (instrument) {
      case INSTRUMENT::BELL: {
        const double index = 2.2 * std::exp(-t / 0.6);
        v = std::sin(kTwoPi * f * t + index * std::sin(kTwoPi * 3.5 * f * t)) * std::exp(-t / 1.1);
        v += 0.3 * std::sin(kTwoPi * 2.76 * f * t) * std::exp(-t / 0.45);
        v *= std::min(1.0, t / 0.003);
        break;
      }
      case INSTRUMENT::MUSIC_BOX: {
        v = std::sin(kTwoPi * f * t) * std::exp(-t / 0.45);
        v += 0.35 * std::sin(kTwoPi * 4.0 * f * t) * std::exp(-t / 0.1);
        v += 0.12 * std::sin(kTwoPi * 3.0 * f * t) * std::exp(-t / 0.2);
        v *= std::min(1.0, t / 0.002);
        break;
      }
      case INSTRUMENT::PLUCK: {
        const std::size_t next = (stringPos + 1) % string.size();
        const double out = string[stringPos];
        string[stringPos] = (string[stringPos] + string[next]) * 0.4985;
        stringPos = next;
        v = out * 1.4 * (t > note.duration + 1.0 ? std::max(0.0, 1.0 - (t - note.duration - 1.0) / 0.6) : 1.0);
        break;
      }
      case INSTRUMENT::FLUTE: {
        const double vibrato = 1.0 + 0.004 * std::sin(kTwoPi * 5.0 * t) * std::min(1.0, t / 0.4);
        const double phase = kTwoPi * f * vibrato * t;
        lowNoise = lowNoise * 0.9 + noise.fNext() * 0.1;
        v = std::sin(phase) + 0.18 * std::sin(2 * phase) + 0.05 * std::sin(3 * phase) + lowNoise * 0.25;
        v *= fEnvelope(t, 0.08, note.duration, 0.2);
        break;
      }
      case INSTRUMENT::PAD: {
        v = std::sin(kTwoPi * f * 1.004 * t) + std::sin(kTwoPi * f * 0.996 * t) +
            0.6 * std::sin(kTwoPi * f * t + 1.3) + 0.18 * std::sin(kTwoPi * 2 * f * t);
        v *= 0.3 * (1.0 + 0.08 * std::sin(kTwoPi * 0.3 * t)) * fEnvelope(t, 0.7, note.duration, 1.2);
        break;
      }
      case INSTRUMENT::BASS: {
        v = std::sin(kTwoPi * f * t) + 0.3 * std::sin(kTwoPi * 2 * f * t) + 0.08 * std::sin(kTwoPi * 3 * f * t);
        v *= std::exp(-t / 1.2) * fEnvelope(t, 0.01, note.duration, 0.2);
        break;
      }
      case INSTRUMENT::MARIMBA: {
        v = std::sin(kTwoPi * f * t) * std::exp(-t / 0.32);
        v += 0.25 * std::sin(kTwoPi * 4.0 * f * t) * std::exp(-t / 0.04);
        v *= std::min(1.0, t / 0.002);
        break;
      }
      case INSTRUMENT::WOODBLOCK: {
        v = (std::sin(kTwoPi * f * t) + 0.4 * std::sin(kTwoPi * 1.58 * f * t)) * std::exp(-t / 0.03);
        v += noise.fNext() * 0.15 * std::exp(-t / 0.004);
        break;
      }
      case INSTRUMENT::GONG: {
        const double index = 1.4 * std::exp(-t / 1.5);
        v = std::sin(kTwoPi * f * t + index * std::sin(kTwoPi * 1.41 * f * t));
        v += 0.4 * std::sin(kTwoPi * 2.31 * f * t) * std::exp(-t / 0.9);
        v *= std::min(1.0, t / 0.04) * std::exp(-t / 2.2);
        break;
      }
      case INSTRUMENT::BRASS: {
        const double env = fEnvelope(t, 0.06, note.duration, 0.15);
        v = std::sin(kTwoPi * f * t + (0.6 + 1.4 * env) * std::sin(kTwoPi * f * t)) * env;
        break;
      }
      case INSTRUMENT::DRUM: {
        const double pitch = f * (1.0 + 1.2 * std::exp(-t / 0.03));
        v = std::sin(kTwoPi * pitch * t) * std::exp(-t / 0.22);
        v += noise.fNext() * 0.1 * std::exp(-t / 0.01);
        break;
      }
      case INSTRUMENT::CLACK: {
        for (double offset : {0.0, 0.028}) {
          const double u = t - offset;
          if (u < 0.0) continue;
          v += (std::sin(kTwoPi * 2300.0 * u) * 0.5 + std::sin(kTwoPi * 3500.0 * u) * 0.3 +
                std::sin(kTwoPi * f * u)) *
                   std::exp(-u / 0.014) +
               noise.fNext() * 0.3 * std::exp(-u / 0.003);
        }
        break;
      }
    }
    mix.fAdd(first + i, static_cast<float>(v * gl), static_cast<float>(v * gr));
  }
}

void fSweep(QC_MIX& mix, double start, double duration, double fromHz, double toHz, double gain,
            std::uint32_t seed) {
  NOISE noise(seed);
  const long long frames = static_cast<long long>(duration * kSampleRate);
  const long long first = static_cast<long long>(std::llround(start * kSampleRate));
  double low = 0.0;
  double band = 0.0;
  for (long long i = 0; i < frames; ++i) {
    const double u = static_cast<double>(i) / std::max<long long>(1, frames);
    const double centre = fromHz * std::pow(toHz / fromHz, u);
    const double k = 2.0 * std::sin(3.141592653589793 * std::min(centre, 15000.0) / kSampleRate);
    const double input = noise.fNext();
    low += k * band;
    const double high = input - low - 0.35 * band;
    band += k * high;
    const double v = band * std::sin(3.141592653589793 * u) * gain;
    mix.fAdd(first + i, static_cast<float>(v * (1.0 - 0.3 * u)), static_cast<float>(v * (0.7 + 0.3 * u)));
  }
}

}  // namespace QOR::AUDIO
