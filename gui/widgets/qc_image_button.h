// Push button outside the widget tree: one cell of a five-cell strip (cell = state: 0 normal,
// 1 pointer over, 2 pressed, 3 selected, 4 inactive) on its transform, a circle or rectangle hit
// area, mouse buttons 1 and 2. Its owner calls fUpdate once per tick (-102 on a completed click)
// and fRender once per frame.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_IMAGE_BUTTON {
 public:
  static constexpr int kClicked = -102;

  // With a null transform the button makes and owns its own. Width and height 0 take one cell of
  // the strip; a circle (type 1) with height 0 is as high as it is wide, and its radius is half
  // the width.
  QC_IMAGE_BUTTON(QC_TEXTURE_INFO* strip, QS_TRANSFORM3* transform, int hitType, float width, float height);
  // The same with the strip loaded by the renderer from a file.
  QC_IMAGE_BUTTON(const char* fileName, QS_TRANSFORM3* transform, int hitType, float width, float height);
  ~QC_IMAGE_BUTTON();
  QC_IMAGE_BUTTON(const QC_IMAGE_BUTTON&) = delete;
  QC_IMAGE_BUTTON& operator=(const QC_IMAGE_BUTTON&) = delete;

  // One step of the state machine: -102 on the release that completes a click; 1 or 2 on the tick
  // the pointer enters (2 when button 1 went down in that tick); 0 otherwise.
  int fUpdate();
  // Draws the current cell on the button's transform alone (its parents are not applied).
  void fRender();

  void fSetPosition(float x, float y) { _transform->fSetPosition(x, y, 0.0f); }
  QS_VEC2 fGetPosition() const { return _transform->fGetPosition(); }
  // Picture size and anchor; the hit area takes the size (a circle half the width as radius).
  void fSetSize(int width, int height, int anchorMode);
  int fGetWidth() const;
  int fGetHeight() const;
  QC_SPRITE* fGetImage() const { return _image; }
  int fGetState() const { return _state; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

  void fSelect() { fShowState(3); }
  void fDisable() { fShowState(4); }
  void fEnable() { fShowState(0); }
  void fReset() { fShowState(0); }
  void fRefreshFrame() { _image->fSetFrame(5, 1, _state); }
  // A new five-cell strip: the picture becomes one cell of it, centred on the button's transform
  // and showing the current state, and the hit area takes that cell's size (a circle half its
  // width as radius). A sprite given a new image alone would show the whole strip from its corner.
  void fSetStrip(QC_TEXTURE_INFO* strip);

  // The owner's callback records (not owned), invoked with argument 0, so their functions
  // receive the record's default argument.
  void fSetEnterCallback(QC_CALLBACK* callback) { _onEnter = callback; }
  void fSetLeaveCallback(QC_CALLBACK* callback) { _onLeave = callback; }
  void fSetPressCallback(QC_CALLBACK* callback) { _onPress = callback; }
  void fSetLeftClickCallback(QC_CALLBACK* callback) { _onLeftClick = callback; }
  void fSetRightClickCallback(QC_CALLBACK* callback) { _onRightClick = callback; }

 private:
  void fInit(QC_TEXTURE_INFO* strip, QS_TRANSFORM3* transform, int hitType, float width, float height);
  void fShowState(int state) {
    _state = state;
    fRefreshFrame();
  }
  void fLeave();

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
  bool _ownsTransform;
};

}  // namespace QOR
