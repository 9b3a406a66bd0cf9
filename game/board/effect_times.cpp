#include "game/board/effect_times.h"

float fadeInOutTime = 0.0f;
float showLevelTime = 0.0f;
float hideLevelTime = 0.0f;
