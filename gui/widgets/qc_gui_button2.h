// Simpler push button of the widget tree drawn from a two-cell strip (up, down). It reports 7 on
// the tick mouse button 1 goes down over it and 8 when the button comes up or the pointer slides
// off while it is held, logging "DOWN" and "UP"; it reports no enter or leave. Instead of the
// base's four callbacks it invokes its own down and up pair.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "gui/widgets/qc_gui_picture_control.h"

namespace QOR {

class QC_GUI_BUTTON2 : public QC_GUI_PICTURE_CONTROL {
 public:
  // Half the strip's width (integer division), anchored at its centre; rectangle hit area of the
  // picture's size.
  QC_GUI_BUTTON2(int id, QC_TEXTURE_INFO* strip);
  // Deletes its own callback records; the base gives the strip back.
  ~QC_GUI_BUTTON2() override;

  QS_GUI_EVENT* fUpdate() override;

  // The button's own callbacks; each slot owns its record (deleted when replaced or with the
  // button) and is invoked with the button as the argument.
  void fSetButtonDownCallback(QC_CALLBACK* callback) { fStoreCallback(_onButtonDown, callback); }
  void fSetButtonUpCallback(QC_CALLBACK* callback) { fStoreCallback(_onButtonUp, callback); }

  // 0 up, 2 down.
  int fGetState() const { return _state; }

 private:
  int _state;
  QC_CALLBACK* _onButtonDown;
  QC_CALLBACK* _onButtonUp;
};

}  // namespace QOR
