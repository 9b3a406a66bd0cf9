// What every behaviour component shares: its place in the manager's order, the resolution of a
// timed mover's duration and speed, and the firing of an end callback.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/objects/qc_message_arg.h"
#include "engine/service/qc_callback.h"

#include <bit>
#include <cstdint>

namespace QOR {

// A bot's Z: the float with bits 0x7f7fc99e (about 3.4e38, not the largest float), so bots come
// first in an update pass and last in a render pass.
inline constexpr float kBotZ = std::bit_cast<float>(std::uint32_t{0x7f7fc99eu});

// Gives a new bot its tag as name, the bot Z and render level 0 (bots draw nothing).
void fInitBot(QC_BASE& bot, const char* tag);

// How a timed mover's duration and speed were settled.
enum class QE_DURATION_SPEED {
  kBothGiven,  // both non-zero: used as given
  kComputed,   // one was zero and was computed from the other and the length
  kBothZero,   // neither given: one second, speed = length
};

// Settles duration and speed from the length of the mover's difference: a zero duration becomes
// length / speed, a zero speed length / duration, both zero one second at speed length.
QE_DURATION_SPEED fResolveDurationSpeed(float& duration, float& speed, float length);

// Fires the end callback with its own default argument; nothing for a null callback.
inline void fFireEndCallback(QC_CALLBACK* callback) {
  if (callback != nullptr) fInvokeCallback(callback, 0);
}

// The messages of a timed bot: 1 runs its step, 38 keeps d as its end callback (fired at its end);
// every other message goes on.
template <typename Step>
int fBotMessage(int id, std::intptr_t d, QC_CALLBACK*& endCallback, Step step) {
  if (id == QC_BASE::kMessageUpdate) return step();
  if (id == QC_BASE::kMessageEndCallback) endCallback = fArgToPointer<QC_CALLBACK>(d);
  return QC_BASE::kGoOn;
}

// The frame delta every bot counts down by.
float fBotDelta();

// The countdown of a bot's delay: while it is above 0 it loses dt and the step ends there; true
// when the step may go on. ended is set when this step brought the countdown to 0 or below, the
// moment a bot with a set-up at start captures its start state.
bool fCountDelay(float& countdown, bool& ended);

}  // namespace QOR
