#include "gui/widgets/five_cell_strip.h"

#include "engine/math/float_to_int.h"

namespace QOR {

float fFiveCellWidth(const QC_SPRITE& strip) { return static_cast<float>(strip.fGetPageWidth()) * 0.2f; }

void fShowFirstOfFiveCells(QC_SPRITE& strip) {
  strip.fSetSize(fTruncateToInt(fFiveCellWidth(strip)), strip.fGetPageHeight());
  strip.fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  strip.fSetFrame(5, 1, 0);
}

QC_HIT_AREA* fNewFiveCellHitArea(const QC_SPRITE& strip, QS_TRANSFORM3* transform) {
  return new QC_HIT_AREA(QC_HIT_AREA::kRectangle, transform, fFiveCellWidth(strip),
                         static_cast<float>(strip.fGetPageHeight()), 0, 0);
}

}  // namespace QOR
