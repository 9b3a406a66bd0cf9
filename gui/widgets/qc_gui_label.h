// A narrow (8-bit) text shown in a bitmap font at the world position of the control, with the
// font's own alignment and colour. The text is drawn literally: a '%' is an ordinary character.
// It does not react to the pointer and takes no room in a layout (width and height 0).
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"

#include <pugixml.hpp>

#include <string>

namespace QOR {

class QC_GUI_LABEL : public QC_GUI_OBJECT {
 public:
  // The font and the characters stay the caller's: both must outlive the label. A null font
  // draws nothing.
  QC_GUI_LABEL(int id, QC_FONT* font, const char* text);
  // Makes its own font from the description over the page (text buffer 600, centred). The label
  // deletes that font and gives its page back through the texture-release hook.
  QC_GUI_LABEL(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage, const char* text);
  ~QC_GUI_LABEL() override;

  QS_GUI_EVENT* fUpdate() override { return nullptr; }
  void fRender() override;

  // Reloads the label's font from a description over a page; logs "Error loading font." when
  // that fails (or when the label has no font). A page the label took for its own font before is
  // given back.
  void fLoadFont(pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage);
  // Another font, the caller's; a font the label made is deleted and its page given back. The
  // font's alignment becomes centred.
  void fSetFont(QC_FONT* font);
  QC_FONT* fGetFont() const { return _font; }
  void fSetScale(float scale);
  void fSetAlign(int mode);

  // The text shown (never null).
  const char* fGetText() const { return _text != nullptr ? _text : ""; }
  // Shows a copy of the text that the label keeps itself (the form factory's labels).
  void fSetOwnText(const std::string& text);

 private:
  const char* _text;
  QC_FONT* _font;
  bool _ownsFont;
  std::string _ownText;
};

}  // namespace QOR
