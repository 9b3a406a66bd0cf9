#include "gui/widgets/qc_base_progress.h"

#include <cmath>

namespace QOR {

namespace {

float fClampFraction(float fraction) {
  if (std::isnan(fraction)) return 0.0f;
  if (0.0f > fraction) fraction = 0.0f;
  if (fraction > 1.0f) fraction = 1.0f;
  return fraction;
}

}  // namespace

QC_BASEPROGRESS::QC_BASEPROGRESS(int id) : QC_BASEPROGRESS(id, 0.0f, 100.0f) {}

QC_BASEPROGRESS::QC_BASEPROGRESS(int id, float minimum, float maximum)
    : QC_GUI_OBJECT(id),
      _full(false),
      _minimum(minimum),
      _maximum(maximum),
      _value(minimum),
      _fraction(0.0f),
      _onFilled(nullptr),
      _armed(true) {}

QC_BASEPROGRESS::~QC_BASEPROGRESS() { delete _onFilled; }

void QC_BASEPROGRESS::fNotifyFilled() {
  if (!_full) {
    _armed = true;
    return;
  }
  if (_armed) {
    _armed = false;
    fInvoke(_onFilled);
  }
}

void QC_BASEPROGRESS::fSetValue(float value) {
  _value = std::isnan(value) ? _minimum : value;
  if (_minimum > _value) _value = _minimum;
  if (_value > _maximum) _value = _maximum;
  const float range = _maximum - _minimum;
  _fraction = range != 0.0f ? fClampFraction((_value - _minimum) / range) : 0.0f;
  _full = _fraction >= 1.0f;
  fRefresh();
}

void QC_BASEPROGRESS::fSetPercent(float percent) {
  _fraction = fClampFraction(percent / 100.0f);
  _value = _minimum + (_maximum - _minimum) * _fraction;
  _full = _fraction >= 1.0f;
  fRefresh();
}

}  // namespace QOR
