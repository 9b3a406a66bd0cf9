// Toggle outside the widget tree, drawn from a five-cell strip like QC_IMAGE_BUTTON; state 3 is
// checked. A click (down and up inside, either mouse button) checks or unchecks it; fUpdate then
// returns -102 and the owner reads isChecked.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_IMAGE_CHECKBOX {
 public:
  static constexpr int kClicked = -102;

  // Own transform, rectangle hit area of one cell of the strip.
  explicit QC_IMAGE_CHECKBOX(QC_TEXTURE_INFO* strip);
  // The same with the strip loaded by the renderer from a file.
  explicit QC_IMAGE_CHECKBOX(const char* fileName);
  ~QC_IMAGE_CHECKBOX();
  QC_IMAGE_CHECKBOX(const QC_IMAGE_CHECKBOX&) = delete;
  QC_IMAGE_CHECKBOX& operator=(const QC_IMAGE_CHECKBOX&) = delete;

  // 0, or -102 on the release that checked or unchecked it.
  int fUpdate();
  // In state 3 the base cell (normal, over or pressed) is drawn first and the check cell over it.
  void fRender();

  // Checks (3), unchecks (0) or disables (4) it from code.
  void fSetState(int state) {
    _state = state;
    fShowCell(state);
  }
  int fGetState() const { return _state; }
  bool isChecked() const { return _state == 3; }
  bool isCheckedBool() const { return _state == 3; }
  void fSetPosition(float x, float y) { _transform->fSetPosition(x, y, 0.0f); }
  QS_VEC2 fGetPosition() const { return _transform->fGetPosition(); }
  QC_SPRITE* fGetImage() const { return _image; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

  // The owner's callback records (not owned), invoked with argument 0.
  void fSetEnterCallback(QC_CALLBACK* callback) { _onEnter = callback; }
  void fSetLeaveCallback(QC_CALLBACK* callback) { _onLeave = callback; }
  void fSetPressCallback(QC_CALLBACK* callback) { _onPress = callback; }
  void fSetLeftClickCallback(QC_CALLBACK* callback) { _onLeftClick = callback; }
  void fSetRightClickCallback(QC_CALLBACK* callback) { _onRightClick = callback; }

 private:
  void fInit();
  void fShowCell(int cell) { _image->fSetFrame(5, 1, cell); }
  // The state-1 rows: leaving, or presses while over.
  void fUpdateOver(bool inside);

  bool _pointerOver;
  bool _pressedLeft;
  bool _pressedRight;
  int _state;
  QC_SPRITE* _image;
  QC_HIT_AREA* _hitArea;
  QS_TRANSFORM3* _transform;
  QC_CALLBACK* _onEnter;
  QC_CALLBACK* _onLeave;
  QC_CALLBACK* _onPress;
  QC_CALLBACK* _onLeftClick;
  QC_CALLBACK* _onRightClick;
};

}  // namespace QOR
