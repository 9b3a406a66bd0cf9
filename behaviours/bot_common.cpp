#include "behaviours/bot_common.h"

#include "engine/service/qc_globals.h"

namespace QOR {

void fInitBot(QC_BASE& bot, const char* tag) {
  bot._name = tag;
  bot._z = kBotZ;
  bot._renderLevel = 0;
}

QE_DURATION_SPEED fResolveDurationSpeed(float& duration, float& speed, float length) {
  if (duration != 0.0f && speed != 0.0f) return QE_DURATION_SPEED::kBothGiven;
  if (duration != 0.0f) {
    speed = length / duration;
    return QE_DURATION_SPEED::kComputed;
  }
  if (speed != 0.0f) {
    duration = length / speed;
    return QE_DURATION_SPEED::kComputed;
  }
  duration = 1.0f;
  speed = length;
  return QE_DURATION_SPEED::kBothZero;
}

float fBotDelta() { return qcFrameTime; }

bool fCountDelay(float& countdown, bool& ended) {
  ended = false;
  if (countdown <= 0.0f) return true;
  countdown -= fBotDelta();
  ended = countdown <= 0.0f;
  return false;
}

}  // namespace QOR
