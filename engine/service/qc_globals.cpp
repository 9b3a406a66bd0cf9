#include "engine/service/qc_globals.h"

#include <cstring>

namespace QOR {

QC_INPUT* qcINPUT = nullptr;
QC_RENDER* qcRENDER = nullptr;
QC_TIMER* qcTIMER = nullptr;
QC_RANDOM* qcRANDOM = nullptr;
QC_WINDOW* qcWINDOW = nullptr;
QC_GAME* qcGAME = nullptr;
QC_FILE_SYSTEM* qcFILE_SYSTEM = nullptr;
QC_MIXER* qcMIXER = nullptr;
QC_RESOURCE_LOADER* qcRESOURCE_LOADER = nullptr;

float qcFrameTime = 0.0f;
std::string qcLastError = "Created with Quillon2 30.07.12";

std::uint32_t fFloatToDword(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof(bits));
  return bits;
}

}  // namespace QOR
