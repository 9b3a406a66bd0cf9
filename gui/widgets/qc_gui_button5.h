// Push button of the widget tree drawn from a five-cell strip: normal, pointer over, pressed,
// selected and disabled. Reports enter (3) and leave (4) in its pair, and returns the pair on a
// press (7) and on the release of that press over it (8); a press that leaves the button is
// cancelled. Reacts to mouse button 1 only.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_gui_picture_control.h"

namespace QOR {

class QC_GUI_BUTTON5 : public QC_GUI_PICTURE_CONTROL {
 public:
  // On the renderer's default texture.
  explicit QC_GUI_BUTTON5(int id);
  // One cell of the strip (a fifth of its width), anchored at its centre on the control's
  // transform, with a rectangle hit area of the cell's size.
  QC_GUI_BUTTON5(int id, QC_TEXTURE_INFO* strip);

  QS_GUI_EVENT* fUpdate() override;

  // Selected (3) and disabled (4) ignore the pointer; fEnable returns to normal (0).
  void fSelect() { fSetState(3); }
  void fEnable() { fSetState(0); }
  void fDisable() { fSetState(4); }
  // Shows the cell of the current state.
  void fShowState() { _image->fSetFrame(5, 1, _state); }

  int fGetState() const { return _state; }
  bool isPressed() const { return _pressed; }

 private:
  void fBuild(QC_TEXTURE_INFO* strip);
  void fSetState(int state) {
    _state = state;
    fShowState();
  }
  // Leaving, or a press while over; true when a press was taken (the pair is returned at once).
  bool fUpdateOver(bool inside);

  bool _pressed;
  int _state;
};

}  // namespace QOR
