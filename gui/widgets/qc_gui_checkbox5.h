// Check box of the widget tree drawn from a five-cell strip: unchecked normal, pointer over and
// pressed, checked (cell 3, drawn over the look of the pointer) and disabled. A press and release
// over it checks or unchecks it; the up callback and the reported 8 announce both, the owner reads
// the state (3 checked). Enter and leave are recorded in the pair but not returned; a checked box
// ignores them and keeps its state.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_gui_picture_control.h"

namespace QOR {

class QC_GUI_CHECKBOX5 : public QC_GUI_PICTURE_CONTROL {
 public:
  // On the renderer's default texture.
  explicit QC_GUI_CHECKBOX5(int id);
  // One cell of the strip (a fifth of its width) anchored at its centre; rectangle hit area.
  QC_GUI_CHECKBOX5(int id, QC_TEXTURE_INFO* strip);

  QS_GUI_EVENT* fUpdate() override;
  // Checked: the base cell (normal, over or pressed by the pointer) first, then cell 3 over it.
  void fRender() override;
  // Picture and hit area both take the size.
  void fSetSize(int width, int height) override;

  // 0 normal, 1 over, 2 pressed, 3 checked, 4 disabled.
  int fGetState() const { return _state; }
  bool isChecked() const { return _state == 3; }
  bool isPointerOver() const { return _pointerOver; }
  bool isPressed() const { return _pressed; }

 private:
  void fBuild(QC_TEXTURE_INFO* strip);
  void fShow() { _image->fSetFrame(5, 1, _state); }
  // The rows of the hovered state; returns the pair on a press, else null.
  QS_GUI_EVENT* fUpdateOver(bool inside);

  bool _pointerOver;
  bool _pressed;
  int _state;
};

}  // namespace QOR
