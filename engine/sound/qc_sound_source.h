// The OpenAL side of one sound: its source, the buffer last generated or being refilled, the
// sample rate and the source position.
#pragma once

#include "engine/math/qs_vec3.h"

#include <AL/al.h>

namespace QOR {

struct QC_SOUND_SOURCE {
  ALuint _source = 0;
  ALuint _buffer = 0;
  int _rate = 0;
  QS_VEC3 _position;
};

}  // namespace QOR
