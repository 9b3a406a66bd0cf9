// The picture and hit area of a control drawn from a strip of five equal cells in one row (normal,
// over, pressed, selected or checked, inactive): the tree's push button and check box and the
// image check box build theirs the same way.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/render/qc_sprite.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

// One cell's width: a fifth of the strip's page width.
float fFiveCellWidth(const QC_SPRITE& strip);
// Cuts the picture to one cell (the cell width truncated, the page height), anchors it at its
// centre and shows cell 0.
void fShowFirstOfFiveCells(QC_SPRITE& strip);
// A rectangle hit area of one cell (the untruncated cell width, the page height) on the transform.
QC_HIT_AREA* fNewFiveCellHitArea(const QC_SPRITE& strip, QS_TRANSFORM3* transform);

}  // namespace QOR
