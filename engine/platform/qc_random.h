// The game's one random stream: a 32-bit linear congruential generator.
#pragma once

#include "engine/math/qs_point.h"

#include <cstdint>

namespace QOR {

class QC_RANDOM {
 public:
  explicit QC_RANDOM(std::uint32_t seed);

  QC_RANDOM* fSetSeed(std::uint32_t seed) {
    _state = seed;
    return this;
  }
  std::uint32_t fGetState() const { return _state; }

  // Next number in 0..2147483647.
  int fNext();
  // min when min == max (no draw); else min + draw mod (max - min): max itself is never drawn.
  int fRandInt(int min, int max);
  // min..max, both ends reachable.
  float fRandFloat(float min, float max);
  float fRandAnyFloat() { return fRandFloat(-10000.0f, 10000.0f); }
  bool fRandBool() { return fRandInt(0, 1) != 0; }
  QS_POINT fRandPoint(QS_POINT min, QS_POINT max);
  // Called once per update step; the generator needs nothing then.
  void fFrameHook() {}

 private:
  void fAdvance() { _state = _state * 1664525u + 1013904223u; }
  std::uint32_t _state;
};

extern QC_RANDOM* qcCurrentRandom;

}  // namespace QOR
