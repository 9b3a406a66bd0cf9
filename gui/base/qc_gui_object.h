// Root class of every widget and, on its own, the plain container of a widget tree. A control has
// an id, a transform placed in its parent's, visible / enabled / active flags, owned children in
// update and draw order and four event callbacks. Once per tick the owner updates the top of a
// tree with fUpdateAll (children first, the first report wins); once per frame it draws it with
// fRenderAll.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/service/qc_callback.h"
#include "gui/base/qs_gui_event.h"

#include <cstdint>
#include <vector>

namespace QOR {

class QC_GUI_ROOT;

class QC_GUI_OBJECT {
 public:
  explicit QC_GUI_OBJECT(int id);
  // Deletes the children still attached, detaches the control from its parent, tells its holder
  // and frees the transform and the callback records.
  virtual ~QC_GUI_OBJECT();
  QC_GUI_OBJECT(const QC_GUI_OBJECT&) = delete;
  QC_GUI_OBJECT& operator=(const QC_GUI_OBJECT&) = delete;

  // The control's own step: sets its event and returns its pair when it reports, else null.
  virtual QS_GUI_EVENT* fUpdate() { return nullptr; }
  virtual void fRender() {}
  virtual void fSetPosition(float x, float y, float z) { _transform->fSetPosition(x, y, z); }
  virtual void fSetSize(int /*width*/, int /*height*/) {}
  virtual float fGetWidth() { return 0.0f; }
  virtual float fGetHeight() { return 0.0f; }

  // Tree walks.
  QS_GUI_EVENT* fUpdateAll();
  void fRenderAll();
  // Attaches a child at the end (fAddControl) or before index (clamped to 0..count). The child's
  // transform is placed in this control's; the parent owns the child from then on. A null child,
  // a child that already has a parent, or one that would make the tree loop is refused.
  void fAddControl(QC_GUI_OBJECT* child);
  void fInsertControl(QC_GUI_OBJECT* child, int index);
  // Deletes every descendant.
  void fClearControls();
  // Removes and deletes the first control with the id (or the pointer) found by the walk.
  void fRemoveControl(int id);
  void fRemoveControlByPtr(QC_GUI_OBJECT* control);
  // Pre-order search of the descendants (this control itself is not compared).
  QC_GUI_OBJECT* fFindControl(int id);
  // Event code of the descendant with the id, 0 when there is none.
  int fGetControlEvent(int id);
  // Sets the active (focus) flag of this control and all its descendants.
  void fSetActive(bool active);

  // Accessors.
  void fSetVisible(bool visible) { _visible = visible; }
  bool isVisible() const { return _visible; }
  void fSetEnabled(bool enabled) { _enabled = enabled; }
  bool isEnabled() const { return _enabled; }
  bool isActive() const { return _active; }
  void fSetId(int id) { _pair._id = id; }
  int fGetId() const { return _pair._id; }
  int fGetEvent() const { return _pair._event; }
  int fGetTypeCode() const { return _typeCode; }
  QS_GUI_EVENT* fGetEventPair() { return &_pair; }
  QS_TRANSFORM3* fGetTransform() const { return _transform; }
  // The transform's own position, not the world one.
  QS_VEC2 fGetPosition() const { return _transform->fGetPosition(); }
  float fGetAngle() const { return _transform->_rotation.z; }
  QC_GUI_OBJECT* fMove(float dx, float dy);
  QC_GUI_OBJECT* fGetParent() const { return _parent; }
  QC_GUI_ROOT* fGetOwner() const { return _owner; }
  const std::vector<QC_GUI_OBJECT*>& fGetChildren() const { return _children; }

  // Callback slots. A slot owns the record stored in it: the record is deleted when the slot gets
  // another one and when the control is destroyed. Widgets invoke them with the control itself
  // (a QC_GUI_OBJECT pointer) as the argument.
  void fSetEnterCallback(QC_CALLBACK* callback) { fStoreCallback(_onEnter, callback); }
  void fSetLeaveCallback(QC_CALLBACK* callback) { fStoreCallback(_onLeave, callback); }
  void fSetDownCallback(QC_CALLBACK* callback) { fStoreCallback(_onDown, callback); }
  void fSetUpCallback(QC_CALLBACK* callback) { fStoreCallback(_onUp, callback); }
  QC_CALLBACK* fGetEnterCallback() const { return _onEnter; }
  QC_CALLBACK* fGetLeaveCallback() const { return _onLeave; }
  QC_CALLBACK* fGetDownCallback() const { return _onDown; }
  QC_CALLBACK* fGetUpCallback() const { return _onUp; }

 protected:
  // Invokes a callback with this control as the argument; a null record does nothing.
  int fInvoke(QC_CALLBACK* callback);
  // Replaces the record held by a slot, deleting the previous one.
  static void fStoreCallback(QC_CALLBACK*& slot, QC_CALLBACK* callback);
  // Reports an event: stores it and returns the pair.
  QS_GUI_EVENT* fReport(int event) {
    _pair._event = event;
    return &_pair;
  }

  int _typeCode;
  QS_GUI_EVENT _pair;
  bool _visible;
  bool _enabled;
  bool _active;
  QS_TRANSFORM3* _transform;
  QC_GUI_ROOT* _owner;
  QC_GUI_OBJECT* _parent;
  std::vector<QC_GUI_OBJECT*> _children;
  QC_CALLBACK* _onEnter;
  QC_CALLBACK* _onLeave;
  QC_CALLBACK* _onDown;
  QC_CALLBACK* _onUp;

 private:
  friend class QC_GUI_ROOT;
  bool isAncestorOrSelf(const QC_GUI_OBJECT* control) const;
  void fSetOwnerTree(QC_GUI_ROOT* owner);
  // Deletes a child that was taken out of the list.
  static void fDeleteDetached(QC_GUI_OBJECT* child);
  template <typename Match>
  bool fRemoveWhere(const Match& match);
};

}  // namespace QOR
