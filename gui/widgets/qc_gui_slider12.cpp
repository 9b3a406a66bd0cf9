#include "gui/widgets/qc_gui_slider12.h"

namespace QOR {

namespace {

constexpr float kDefaultButtonDistance = 1.5f;

}  // namespace

QC_GUI_SLIDER12::QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius,
                                 float buttonDistance, float minimum, float maximum, float step, float value)
    : QC_GUI_STRIP_SLIDER(id, texture, kFrames, start, end, radius, buttonDistance, minimum, maximum, step, value) {
  _typeCode = 11;
  // The body reaches 2 pixels further, under both caps.
  const float angle = fLayOutTrack(buttonDistance, 2.0f);
  _strip.fTurn(angle, -QC_GUI_SLIDER_STRIP::kHalfPi, 0.0f);
}

QC_GUI_SLIDER12::QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius,
                                 float minimum, float maximum, float step, float value)
    : QC_GUI_SLIDER12(id, texture, start, end, radius, kDefaultButtonDistance, minimum, maximum, step, value) {}

QC_GUI_SLIDER12::QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, float buttonDistance)
    : QC_GUI_STRIP_SLIDER(id, texture, kFrames, QC_GUI_SLIDER_STRIP::fFrameWidthOf(texture, kFrames),
                          buttonDistance) {
  _typeCode = 11;
}

void QC_GUI_SLIDER12::fSetTrack(float x1, float y1, float x2, float y2) {
  const float angle = fPlaceTrack(x1, y1, x2, y2);
  _strip.fTurn(angle, QC_GUI_SLIDER_STRIP::kHalfPi, 0.0f);
}

}  // namespace QOR
