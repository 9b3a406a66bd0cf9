#include "behaviours/qc_bot_factories.h"

namespace QOR {

QC_BOT_MOVE* fCreateBotMove(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                            float delay) {
  return new QC_BOT_MOVE(target, duration, speed, endX, endY, endZ, delay);
}

QC_BOT_MOVE_ON* fCreateBotMoveOn(QS_TRANSFORM3* target, float duration, float speed, float velocityX, float velocityY,
                                 float unused, std::uint32_t word) {
  return new QC_BOT_MOVE_ON(target, duration, speed, velocityX, velocityY, unused, word);
}

QC_BOT_ROTATE_TO* fCreateBotRotateTo(QS_TRANSFORM3* target, float duration, float speed, float goalX, float goalY,
                                     float goalZ, float delay) {
  return new QC_BOT_ROTATE_TO(target, duration, speed, goalX, goalY, goalZ, delay);
}

QC_BOT_ROTATE_ON* fCreateBotRotateOn(QS_TRANSFORM3* target, float duration, float speed, float angleX, float angleY,
                                     float angleZ, float delay) {
  return new QC_BOT_ROTATE_ON(target, duration, speed, angleX, angleY, angleZ, delay);
}

QC_BOT_SCALE* fCreateBotScale(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                              float delay) {
  return new QC_BOT_SCALE(target, duration, speed, endX, endY, endZ, delay);
}

QC_BOT_SWITCH* fCreateBotSwitch(QS_TRANSFORM3* target, float duration, QS_TRANSFORM3 first, QS_TRANSFORM3 second,
                                float delay) {
  return new QC_BOT_SWITCH(target, duration, first, second, delay);
}

QC_BOT_BLOB* fCreateBotBlob(QS_TRANSFORM3* target, float duration, float amplitude, float frequency, float damping,
                            float startScale, float endScale, float delay, bool repeat) {
  return new QC_BOT_BLOB(target, duration, amplitude, frequency, damping, startScale, endScale, delay, repeat);
}

QC_BOT_COLOR* fCreateBotColor(QS_VERTEX_ARRAY* target, float duration, QC_COLOR32 endColor, float delay) {
  return new QC_BOT_COLOR(target, duration, endColor, delay);
}

QC_BOT_SLEEP* fCreateBotSleep(int* variable, QC_CALLBACK* endCallback, float duration, std::int32_t value) {
  return new QC_BOT_SLEEP(variable, endCallback, duration, value);
}

QC_BOT_SWING* fCreateBotSwing(float* variable, float amplitude, float startTime, float timeScale, float delay) {
  return new QC_BOT_SWING(variable, amplitude, startTime, timeScale, delay);
}

QC_BOT_BLINK_PULSE* fCreateBotBlinkPulse(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                         float maxPeriod, int count, float pause, bool endless, float lifetime,
                                         float delay) {
  return new QC_BOT_BLINK_PULSE(target, minAlpha, maxAlpha, minPeriod, maxPeriod, count, pause, endless, lifetime,
                                delay);
}

QC_BOT_BLINK_ANALOG* fCreateBotBlinkAnalog(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                           float maxPeriod, int count, float pause, bool endless, float lifetime,
                                           float delay) {
  return new QC_BOT_BLINK_ANALOG(target, minAlpha, maxAlpha, minPeriod, maxPeriod, count, pause, endless, lifetime,
                                 delay);
}

QC_BOT_LAZY_BLINKER* fCreateBotLazyBlinker(QS_VERTEX_ARRAY* target, bool hidden, float fadeTime, float holdTime) {
  return new QC_BOT_LAZY_BLINKER(target, hidden, fadeTime, holdTime);
}

QC_BOT_MOVE_QUADBEZIER* fCreateBotMoveQuadBezier(QS_TRANSFORM3* target, const QS_VEC3& control, const QS_VEC3& end,
                                                 float duration, float speed, float delay) {
  return new QC_BOT_MOVE_QUADBEZIER(target, control, end, duration, speed, delay);
}

QC_BOT_MOVE_CUBEBEZIER* fCreateBotMoveCubeBezier(QS_TRANSFORM3* target, const QS_VEC3& control1,
                                                 const QS_VEC3& control2, const QS_VEC3& end, float duration,
                                                 float speed, float delay) {
  return new QC_BOT_MOVE_CUBEBEZIER(target, control1, control2, end, duration, speed, delay);
}

QC_BOT_MOVE_BEZIER* fCreateBotMoveBezier(QS_TRANSFORM3* target, const std::vector<QS_VEC3>& points, const QS_VEC3& end,
                                         float duration, float speed, float delay) {
  return new QC_BOT_MOVE_BEZIER(target, points, end, duration, speed, delay);
}

QC_BOT_CHANGE_FLOAT* fCreateBotChangeFloat(float* variable, float amount, float duration, float speed, float delay) {
  return new QC_BOT_CHANGE_FLOAT(variable, amount, duration, speed, delay);
}

QC_BOT_RIGID_JOINT* fCreateBotRigidJoint(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime, float delay) {
  return new QC_BOT_RIGID_JOINT(moving, anchor, lifetime, delay);
}

QC_BOT_DISTANCE_JOINT* fCreateBotDistanceJoint(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime,
                                               float delay) {
  return new QC_BOT_DISTANCE_JOINT(moving, anchor, lifetime, delay);
}

QC_BOT_FOLLOW* fCreateBotFollow(QS_TRANSFORM3* follower, QS_TRANSFORM3* leader, float speed, float lifetime,
                                bool stopWhenClose, float delay) {
  return new QC_BOT_FOLLOW(follower, leader, speed, lifetime, stopWhenClose, delay);
}

}  // namespace QOR
