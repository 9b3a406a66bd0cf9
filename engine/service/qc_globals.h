// The engine globals: one pointer per service object, the frame delta and the last error text.
// Each is set once at start-up and lives until the process ends.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

class QC_INPUT;
class QC_RENDER;
class QC_TIMER;
class QC_RANDOM;
class QC_WINDOW;
class QC_GAME;
class QC_FILE_SYSTEM;
class QC_MIXER;
class QC_RESOURCE_LOADER;

extern QC_INPUT* qcINPUT;
extern QC_RENDER* qcRENDER;
extern QC_TIMER* qcTIMER;
extern QC_RANDOM* qcRANDOM;
extern QC_WINDOW* qcWINDOW;
extern QC_GAME* qcGAME;
extern QC_FILE_SYSTEM* qcFILE_SYSTEM;
extern QC_MIXER* qcMIXER;
extern QC_RESOURCE_LOADER* qcRESOURCE_LOADER;

// Seconds of the last update step, in whole milliseconds; every animation counts down by it.
extern float qcFrameTime;
// Last error text; starts as the build banner.
extern std::string qcLastError;

// The 32 bits of a float as an unsigned integer, for float render-state values.
std::uint32_t fFloatToDword(float value);

}  // namespace QOR
