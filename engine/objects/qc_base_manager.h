// The object manager's ordering of its list of message-driven objects.
#pragma once

#include "engine/objects/qc_base.h"

namespace QOR {

class QC_BASE_MANAGER {
 public:
  // The sort order of the manager's list, highest Z first: true exactly when a's Z is greater
  // than b's; false when either is null.
  static bool fCompareZ(const QC_BASE* a, const QC_BASE* b) {
    if (a == nullptr || b == nullptr) return false;
    return a->_z > b->_z;
  }
};

}  // namespace QOR
