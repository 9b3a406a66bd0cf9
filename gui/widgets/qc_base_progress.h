// Value-and-range model of the progress displays: a value kept within [minimum, maximum], the
// fraction of the range it covers (0..1) and a full flag. Every change of the value asks the
// display to redraw through fRefresh, and a display that becomes full runs its filled callback.
#pragma once

#include "gui/base/qc_gui_object.h"

namespace QOR {

class QC_BASEPROGRESS : public QC_GUI_OBJECT {
 public:
  explicit QC_BASEPROGRESS(int id);
  // Value := minimum.
  QC_BASEPROGRESS(int id, float minimum, float maximum);
  // Deletes the filled callback record.
  ~QC_BASEPROGRESS() override;

  // Stores the range; the value, the fraction and the display stay until the next change.
  void fSetRange(float minimum, float maximum) {
    _minimum = minimum;
    _maximum = maximum;
  }
  // Clamps the value into the range and refreshes. An empty range (maximum = minimum) or a value
  // that is not a number gives the fraction 0.
  void fSetValue(float value);
  void fAddValue(float delta) { fSetValue(_value + delta); }
  // Sets the fraction (p / 100, clamped to 0..1; not a number gives 0) and the value from it.
  void fSetPercent(float percent);
  void fAddPercent(float delta) { fSetPercent(_fraction * 100.0f + delta); }
  float fGetMin() const { return _minimum; }
  float fGetMax() const { return _maximum; }
  float fGetValue() const { return _value; }
  float fGetPercent() const { return _fraction * 100.0f; }
  float fGetFraction() const { return _fraction; }
  bool isFull() const { return _full; }

  // Redraws the display for the current fraction.
  virtual void fRefresh() = 0;

  void fSetAngle(float radians) { _transform->fSetAngle(radians); }
  // The slot owns its record (deleted when replaced or with the display); invoked with the display.
  void fSetFilledCallback(QC_CALLBACK* callback) { fStoreCallback(_onFilled, callback); }
  QC_CALLBACK* fGetFilledCallback() const { return _onFilled; }

 protected:
  // Called by each refresh: the filled callback runs once each time the display becomes full; a
  // fraction below full arms it again.
  void fNotifyFilled();

  bool _full;
  float _minimum;
  float _maximum;
  float _value;
  float _fraction;
  QC_CALLBACK* _onFilled;
  bool _armed;
};

}  // namespace QOR
