#include "engine/sound/qc_mixer.h"

#include "engine/service/qc_log.h"

namespace QOR {

QC_MIXER::QC_MIXER() { fLog("Mixer constructor "); }

int QC_MIXER::fInit() {
  // No device is opened yet: the mixer stays silent and says so.
  _open = false;
  return -113;
}

void QC_MIXER::fUpdate() {}

}  // namespace QOR
