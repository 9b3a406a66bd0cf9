// A background picture of the widget tree, the usual parent of a form's other widgets. It records
// enter (3), leave (4) and drag (9) in its pair and returns the pair on a press over it (7) and on
// the release while over it and active (8). While movable, a press starts a drag that keeps the
// grabbed point under the pointer (children move with it) until mouse button 1 comes up.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "gui/widgets/qc_gui_picture_control.h"

namespace QOR {

class QC_GUI_PANEL : public QC_GUI_PICTURE_CONTROL {
 public:
  // On the renderer's default texture.
  explicit QC_GUI_PANEL(int id);
  // The texture at its size anchored at its centre, rectangle hit area of that size; movable.
  QC_GUI_PANEL(int id, QC_TEXTURE_INFO* texture);
  // Deletes the grab callback record; the base gives the texture back.
  ~QC_GUI_PANEL() override;

  QS_GUI_EVENT* fUpdate() override;
  // Picture, hit area and the recorded size.
  void fSetSize(int width, int height) override;

  // Shows another texture (the quad and its colours stay) and takes its size. The texture shown
  // before is given back, as the panel gives back whatever it shows when it is destroyed.
  void fSetTexture(QC_TEXTURE_INFO* texture);

  void fSetMovable(bool movable) { _movable = movable; }
  bool isMovable() const { return _movable; }
  // Invoked with the panel on every tick of a drag. The slot owns its record.
  void fSetGrabCallback(QC_CALLBACK* callback) { fStoreCallback(_onGrab, callback); }
  QC_CALLBACK* fGetGrabCallback() const { return _onGrab; }
  bool isGrabbed() const { return _grabbed; }
  bool isPointerOver() const { return _pointerOver; }
  int fGetPanelWidth() const { return _width; }
  int fGetPanelHeight() const { return _height; }
  int fGetGrabOffsetX() const { return _grabOffsetX; }
  int fGetGrabOffsetY() const { return _grabOffsetY; }

 private:
  void fBuild(QC_TEXTURE_INFO* texture);

  bool _pointerOver;
  bool _grabbed;
  int _width;
  int _height;
  int _grabOffsetX;
  int _grabOffsetY;
  bool _movable;
  QC_CALLBACK* _onGrab;
};

}  // namespace QOR
