// The durations every screen shares, read from fx_params.xml by the game manager when it loads
// (seconds; 0 until then): screen fades and slides, the level panel's appearance and departure.
#pragma once

extern float fadeInOutTime;
extern float showLevelTime;
extern float hideLevelTime;
