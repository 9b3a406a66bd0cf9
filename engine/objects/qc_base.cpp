#include "engine/objects/qc_base.h"

namespace QOR {

QC_BASE::QC_BASE()
    : _name("nonamed"), _lastName("nolastname"), _id('n', 'o', 'i', 'd'), _updateLevel(1), _renderLevel(1), _z(0.0f) {}

QC_BASE::~QC_BASE() = default;

}  // namespace QOR
