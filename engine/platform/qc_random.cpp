#include "engine/platform/qc_random.h"

namespace QOR {

QC_RANDOM* qcCurrentRandom = nullptr;

QC_RANDOM::QC_RANDOM(std::uint32_t seed) : _state(seed) { qcCurrentRandom = this; }

int QC_RANDOM::fNext() {
  fAdvance();
  return static_cast<int>(_state & 0x7FFFFFFFu);
}

int QC_RANDOM::fRandInt(int min, int max) {
  if (min == max) return min;
  const int r = fNext();
  // The span is taken in 64 bits so that wide ranges cannot overflow; the draw is non-negative,
  // so the remainder keeps the sign of the span's magnitude as truncating division does.
  const std::int64_t span = static_cast<std::int64_t>(max) - static_cast<std::int64_t>(min);
  const std::int64_t offset = static_cast<std::int64_t>(r) % span;
  return static_cast<int>(static_cast<std::int64_t>(min) + offset);
}

float QC_RANDOM::fRandFloat(float min, float max) {
  fAdvance();
  const long double k = 1.0L / 65535.0L;
  const long double top = static_cast<long double>(_state >> 16);
  return static_cast<float>(static_cast<long double>(min) +
                            top * static_cast<long double>(static_cast<float>(k)) *
                                (static_cast<long double>(max) - static_cast<long double>(min)));
}

QS_POINT QC_RANDOM::fRandPoint(QS_POINT min, QS_POINT max) {
  QS_POINT p;
  p.x = fRandInt(min.x, max.x);
  p.y = fRandInt(min.y, max.y);
  return p;
}

}  // namespace QOR
