#include "gui/base/qc_gui_object.h"

#include "gui/base/qc_gui_root.h"

#include <algorithm>

namespace QOR {

namespace {

// Events after which the reporting branch holds the focus and its siblings lose it.
bool isFocusEvent(int event) {
  return event == QE_GUI_UP || event == QE_GUI_DOWN || event == QE_GUI_FOCUS_EVENT || event == QE_GUI_FOCUS_REQUEST;
}

}  // namespace

QC_GUI_OBJECT::QC_GUI_OBJECT(int id)
    : _typeCode(-1),
      _pair{id, QE_GUI_NONE},
      _visible(true),
      _enabled(true),
      _active(false),
      _transform(new QS_TRANSFORM3()),
      _owner(nullptr),
      _parent(nullptr),
      _onEnter(nullptr),
      _onLeave(nullptr),
      _onDown(nullptr),
      _onUp(nullptr) {}

QC_GUI_OBJECT::~QC_GUI_OBJECT() {
  // Children first: their transforms are placed in this one.
  fClearControls();
  if (_parent != nullptr) {
    std::vector<QC_GUI_OBJECT*>& siblings = _parent->_children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    _parent = nullptr;
  }
  if (_owner != nullptr) _owner->fForget(this);
  delete _transform;
  delete _onEnter;
  delete _onLeave;
  delete _onDown;
  delete _onUp;
}

QS_GUI_EVENT* QC_GUI_OBJECT::fUpdateAll() {
  if (!_enabled) return nullptr;
  // By index: a callback run inside a child's update may change the list.
  for (std::size_t i = 0; i < _children.size(); ++i) {
    QC_GUI_OBJECT* child = _children[i];
    QS_GUI_EVENT* result = child->fUpdateAll();
    if (result == nullptr) continue;
    if (isFocusEvent(result->_event)) {
      _active = true;
      for (QC_GUI_OBJECT* other : _children) {
        if (other != child) other->fSetActive(false);
      }
    }
    return result;
  }
  return fUpdate();
}

void QC_GUI_OBJECT::fRenderAll() {
  if (!_visible) return;
  fRender();
  for (std::size_t i = 0; i < _children.size(); ++i) _children[i]->fRenderAll();
}

bool QC_GUI_OBJECT::isAncestorOrSelf(const QC_GUI_OBJECT* control) const {
  for (const QC_GUI_OBJECT* p = this; p != nullptr; p = p->_parent) {
    if (p == control) return true;
  }
  return false;
}

void QC_GUI_OBJECT::fSetOwnerTree(QC_GUI_ROOT* owner) {
  _owner = owner;
  for (QC_GUI_OBJECT* child : _children) child->fSetOwnerTree(owner);
}

void QC_GUI_OBJECT::fAddControl(QC_GUI_OBJECT* child) { fInsertControl(child, static_cast<int>(_children.size())); }

void QC_GUI_OBJECT::fInsertControl(QC_GUI_OBJECT* child, int index) {
  // A second parent would delete the child twice; a loop would never end a walk.
  if (child == nullptr || child->_parent != nullptr || isAncestorOrSelf(child)) return;
  child->_parent = this;
  child->_transform->fSetParent(_transform);
  child->fSetOwnerTree(_owner);
  const int count = static_cast<int>(_children.size());
  const int at = std::clamp(index, 0, count);
  _children.insert(_children.begin() + at, child);
}

void QC_GUI_OBJECT::fDeleteDetached(QC_GUI_OBJECT* child) {
  child->_parent = nullptr;
  delete child;
}

void QC_GUI_OBJECT::fClearControls() {
  std::vector<QC_GUI_OBJECT*> children;
  children.swap(_children);
  for (QC_GUI_OBJECT* child : children) fDeleteDetached(child);
}

template <typename Match>
bool QC_GUI_OBJECT::fRemoveWhere(const Match& match) {
  for (std::size_t i = 0; i < _children.size(); ++i) {
    QC_GUI_OBJECT* child = _children[i];
    if (match(child)) {
      _children.erase(_children.begin() + static_cast<std::ptrdiff_t>(i));
      fDeleteDetached(child);
      return true;
    }
    // A match further down does not end the walk at this level.
    child->fRemoveWhere(match);
  }
  return false;
}

void QC_GUI_OBJECT::fRemoveControl(int id) {
  fRemoveWhere([id](const QC_GUI_OBJECT* c) { return c->_pair._id == id; });
}

void QC_GUI_OBJECT::fRemoveControlByPtr(QC_GUI_OBJECT* control) {
  if (control == nullptr) return;
  fRemoveWhere([control](const QC_GUI_OBJECT* c) { return c == control; });
}

QC_GUI_OBJECT* QC_GUI_OBJECT::fFindControl(int id) {
  for (QC_GUI_OBJECT* child : _children) {
    if (child->_pair._id == id) return child;
    if (QC_GUI_OBJECT* found = child->fFindControl(id)) return found;
  }
  return nullptr;
}

int QC_GUI_OBJECT::fGetControlEvent(int id) {
  const QC_GUI_OBJECT* control = fFindControl(id);
  return control != nullptr ? control->_pair._event : 0;
}

void QC_GUI_OBJECT::fSetActive(bool active) {
  _active = active;
  for (QC_GUI_OBJECT* child : _children) child->fSetActive(active);
}

QC_GUI_OBJECT* QC_GUI_OBJECT::fMove(float dx, float dy) {
  _transform->fAddPosition(dx, dy, 0.0f);
  return this;
}

int QC_GUI_OBJECT::fInvoke(QC_CALLBACK* callback) {
  return fInvokeCallback(callback, reinterpret_cast<std::uintptr_t>(static_cast<QC_GUI_OBJECT*>(this)));
}

void QC_GUI_OBJECT::fStoreCallback(QC_CALLBACK*& slot, QC_CALLBACK* callback) {
  if (slot == callback) return;
  delete slot;
  slot = callback;
}

}  // namespace QOR
