// One factory per behaviour component: each makes the bot with new from the same parameters, in
// the same order, as its constructor, and hands it to the caller, who owns it.
#pragma once

#include "behaviours/qc_bot_blink.h"
#include "behaviours/qc_bot_blob.h"
#include "behaviours/qc_bot_change_float.h"
#include "behaviours/qc_bot_color.h"
#include "behaviours/qc_bot_follow.h"
#include "behaviours/qc_bot_joint.h"
#include "behaviours/qc_bot_lazy_blinker.h"
#include "behaviours/qc_bot_move.h"
#include "behaviours/qc_bot_move_bezier.h"
#include "behaviours/qc_bot_rotate.h"
#include "behaviours/qc_bot_scale.h"
#include "behaviours/qc_bot_sleep.h"
#include "behaviours/qc_bot_swing.h"
#include "behaviours/qc_bot_switch.h"

#include <cstdint>
#include <vector>

namespace QOR {

QC_BOT_MOVE* fCreateBotMove(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                            float delay);
QC_BOT_MOVE_ON* fCreateBotMoveOn(QS_TRANSFORM3* target, float duration, float speed, float velocityX, float velocityY,
                                 float unused, std::uint32_t word);
QC_BOT_ROTATE_TO* fCreateBotRotateTo(QS_TRANSFORM3* target, float duration, float speed, float goalX, float goalY,
                                     float goalZ, float delay);
QC_BOT_ROTATE_ON* fCreateBotRotateOn(QS_TRANSFORM3* target, float duration, float speed, float angleX, float angleY,
                                     float angleZ, float delay);
QC_BOT_SCALE* fCreateBotScale(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                              float delay);
// The two states are taken by value.
QC_BOT_SWITCH* fCreateBotSwitch(QS_TRANSFORM3* target, float duration, QS_TRANSFORM3 first, QS_TRANSFORM3 second,
                                float delay);
QC_BOT_BLOB* fCreateBotBlob(QS_TRANSFORM3* target, float duration, float amplitude, float frequency, float damping,
                            float startScale, float endScale, float delay, bool repeat);
QC_BOT_COLOR* fCreateBotColor(QS_VERTEX_ARRAY* target, float duration, QC_COLOR32 endColor, float delay);
QC_BOT_SLEEP* fCreateBotSleep(int* variable, QC_CALLBACK* endCallback, float duration, std::int32_t value);
QC_BOT_SWING* fCreateBotSwing(float* variable, float amplitude, float startTime, float timeScale, float delay);
QC_BOT_BLINK_PULSE* fCreateBotBlinkPulse(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                         float maxPeriod, int count, float pause, bool endless, float lifetime,
                                         float delay);
QC_BOT_BLINK_ANALOG* fCreateBotBlinkAnalog(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                           float maxPeriod, int count, float pause, bool endless, float lifetime,
                                           float delay);
QC_BOT_LAZY_BLINKER* fCreateBotLazyBlinker(QS_VERTEX_ARRAY* target, bool hidden, float fadeTime, float holdTime);
QC_BOT_MOVE_QUADBEZIER* fCreateBotMoveQuadBezier(QS_TRANSFORM3* target, const QS_VEC3& control, const QS_VEC3& end,
                                                 float duration, float speed, float delay);
QC_BOT_MOVE_CUBEBEZIER* fCreateBotMoveCubeBezier(QS_TRANSFORM3* target, const QS_VEC3& control1,
                                                 const QS_VEC3& control2, const QS_VEC3& end, float duration,
                                                 float speed, float delay);
QC_BOT_MOVE_BEZIER* fCreateBotMoveBezier(QS_TRANSFORM3* target, const std::vector<QS_VEC3>& points, const QS_VEC3& end,
                                         float duration, float speed, float delay);
QC_BOT_CHANGE_FLOAT* fCreateBotChangeFloat(float* variable, float amount, float duration, float speed, float delay);
QC_BOT_RIGID_JOINT* fCreateBotRigidJoint(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime, float delay);
QC_BOT_DISTANCE_JOINT* fCreateBotDistanceJoint(QS_TRANSFORM3* moving, QS_TRANSFORM3* anchor, float lifetime,
                                               float delay);
QC_BOT_FOLLOW* fCreateBotFollow(QS_TRANSFORM3* follower, QS_TRANSFORM3* leader, float speed, float lifetime,
                                bool stopWhenClose, float delay);

}  // namespace QOR
