#include "engine/service/qc_resource_loader.h"

#include "engine/service/qc_log.h"

namespace QOR {

QS_RESOURCE* QC_RESOURCE_LOADER::fFindByData(const void* /*data*/) { return nullptr; }

bool QC_RESOURCE_LOADER::fUnscribeImage(const void* texture) {
  QS_RESOURCE* record = fFindByData(texture);
  if (record == nullptr) {
    fLog("Resource error in fUnscribeImage");
    return false;
  }
  if (record->fUnsubscribe()) fLog("Fully unscribe " + record->_sgResName);
  return true;
}

}  // namespace QOR
