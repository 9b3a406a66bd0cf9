#include "gui/base/qc_gui_root.h"

namespace QOR {

QC_GUI_ROOT::QC_GUI_ROOT() : _lastResult(nullptr), _spare(0), _root(new QC_GUI_OBJECT(0)) {
  _root->_owner = this;
}

QC_GUI_ROOT::~QC_GUI_ROOT() {
  QC_GUI_OBJECT* root = _root;
  _root = nullptr;
  delete root;
  _lastResult = nullptr;
}

QS_GUI_EVENT* QC_GUI_ROOT::fUpdate() {
  _lastResult = _root->fUpdateAll();
  return _lastResult;
}

void QC_GUI_ROOT::fRender() { _root->fRenderAll(); }

void QC_GUI_ROOT::fAddControl(QC_GUI_OBJECT* child) { _root->fAddControl(child); }

void QC_GUI_ROOT::fClear() { _root->fClearControls(); }

void QC_GUI_ROOT::fRemoveControl(int id) { _root->fRemoveControl(id); }

void QC_GUI_ROOT::fRemoveControlByPtr(QC_GUI_OBJECT* control) { _root->fRemoveControlByPtr(control); }

QC_GUI_OBJECT* QC_GUI_ROOT::fFindControl(int id) { return _root->fFindControl(id); }

int QC_GUI_ROOT::fGetControlEvent(int id) { return _root->fGetControlEvent(id); }

void QC_GUI_ROOT::fForget(QC_GUI_OBJECT* control) {
  if (_lastResult == &control->_pair) _lastResult = nullptr;
}

}  // namespace QOR
