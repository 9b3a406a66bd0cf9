// Simpler push button of the widget tree drawn from a two-cell strip (up, down). It reports 7 on
// the tick mouse button 1 goes down over it and 8 when the button comes up or the pointer slides
// off while it is held, logging "DOWN" and "UP"; it reports no enter or leave. Instead of the
// base's four callbacks it invokes its own down and up pair.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_GUI_BUTTON2 : public QC_GUI_OBJECT {
 public:
  // Half the strip's width (integer division), anchored at its centre; rectangle hit area of the
  // picture's size.
  QC_GUI_BUTTON2(int id, QC_TEXTURE_INFO* strip);
  // Gives the strip back through the texture-release hook; deletes its own callback records.
  ~QC_GUI_BUTTON2() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override;
  float fGetWidth() override { return _image->fGetWidth(); }
  float fGetHeight() override { return _image->fGetHeight(); }

  // The button's own callbacks; each slot owns its record (deleted when replaced or with the
  // button) and is invoked with the button as the argument.
  void fSetButtonDownCallback(QC_CALLBACK* callback) { fStoreCallback(_onButtonDown, callback); }
  void fSetButtonUpCallback(QC_CALLBACK* callback) { fStoreCallback(_onButtonUp, callback); }

  // 0 up, 2 down.
  int fGetState() const { return _state; }
  QC_SPRITE* fGetImage() const { return _image; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

 private:
  QC_SPRITE* _image;
  QC_HIT_AREA* _hitArea;
  int _state;
  QC_CALLBACK* _onButtonDown;
  QC_CALLBACK* _onButtonUp;
};

}  // namespace QOR
