// Holder of a widget tree built as a whole (by the form factory): a root control with id 0 and the
// pair reported by the latest update. The holder owns the tree and deletes it with itself; the
// remembered pair is dropped as soon as the control it belongs to is deleted.
#pragma once

#include "engine/math/qs_vec2.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qs_gui_event.h"

#include <cstdint>

namespace QOR {

class QC_GUI_ROOT {
 public:
  QC_GUI_ROOT();
  ~QC_GUI_ROOT();
  QC_GUI_ROOT(const QC_GUI_ROOT&) = delete;
  QC_GUI_ROOT& operator=(const QC_GUI_ROOT&) = delete;

  // Updates the tree and remembers the result.
  QS_GUI_EVENT* fUpdate();
  void fRender();
  // Attaches a control (and its subtree) to the root; the holder becomes its owner.
  void fAddControl(QC_GUI_OBJECT* child);
  void fClear();
  void fRemoveControl(int id);
  void fRemoveControlByPtr(QC_GUI_OBJECT* control);
  QC_GUI_OBJECT* fFindControl(int id);
  int fGetControlEvent(int id);
  // Id and event of the latest update's pair; 0 when nothing reported (or the reporter is gone).
  int fGetLastId() const { return _lastResult != nullptr ? _lastResult->_id : 0; }
  int fGetLastEvent() const { return _lastResult != nullptr ? _lastResult->_event : 0; }
  QS_GUI_EVENT* fGetLastResult() const { return _lastResult; }

  void fSetPosition(float x, float y, float z) { _root->fSetPosition(x, y, z); }
  void fSetSize(int width, int height) { _root->fSetSize(width, height); }
  QS_VEC2 fGetPosition() const { return _root->fGetPosition(); }
  QC_GUI_OBJECT* fMove(float dx, float dy) { return _root->fMove(dx, dy); }
  void fSetVisible(bool visible) { _root->fSetVisible(visible); }
  void fSetEnabled(bool enabled) { _root->fSetEnabled(enabled); }
  bool isEnabled() const { return _root->isEnabled(); }
  QC_GUI_OBJECT* fGetRoot() const { return _root; }

 private:
  friend class QC_GUI_OBJECT;
  // Called by a control of this tree when it is deleted.
  void fForget(QC_GUI_OBJECT* control);

  QS_GUI_EVENT* _lastResult;
  std::uint32_t _spare;
  QC_GUI_OBJECT* _root;
};

}  // namespace QOR
