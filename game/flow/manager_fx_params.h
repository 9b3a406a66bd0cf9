// The manager's screen-effect timings from fx_params.xml (a missing attribute reads as 0).
#pragma once

#include "engine/math/qs_vec2.h"

#include <cstdint>

struct MANAGER_FX_PARAMS {
  float startPanelBezierTime = 0.0f;
  QOR::QS_VEC2 startPanelBezierMid{0.0f, 0.0f};
  float countUpEffectDelay = 0.0f;
  float countUpIncrDelay = 0.0f;
  std::uint32_t countUpColor = 0;
  int countUpIncrement = 1;  // the count-up's step, at least 1
  float levelUnblockScale = 0.0f, levelUnblockTime = 0.0f, levelUnblockFade = 0.0f;
  float packLockScale = 0.0f, packLockTime = 0.0f, packLockFade = 0.0f;
  float packButtonScale = 0.0f, packButtonTime = 0.0f, packButtonFade = 0.0f;
  float motionTrailFreq = 0.0f;
  int motionTrailLength = 0;
  float browseTrophySpeed = 0.0f, browseLevelsSpeed = 0.0f;
  float flashRankDuration = 0.0f, flashRankScale = 0.0f;
  float starsBlobDuration = 0.0f, starsBlobAmplitude = 0.0f, starsBlobFrequency = 0.0f;
  float starsBlobDecay = 0.0f, starsBlobDelay = 0.0f;
};
