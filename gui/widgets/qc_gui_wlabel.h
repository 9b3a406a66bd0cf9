// A wide text shown in a bitmap font inside the control's frame (its parents' rotation and scale
// apply), aligned around the control's position by the label's own anchor mode. The text is drawn
// literally: a '%' is an ordinary character. It does not react to the pointer; its width is that
// of the text's first line and its height the font's line height.
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"

#include <pugixml.hpp>

#include <string>

namespace QOR {

class QC_GUI_WLABEL : public QC_GUI_OBJECT {
 public:
  // Empty text, no font.
  explicit QC_GUI_WLABEL(int id);
  // The font stays the caller's.
  QC_GUI_WLABEL(int id, QC_FONT* font, const std::wstring& text);
  // Makes its own font from the description over the page (text buffer 600); the label deletes
  // that font and gives its page back through the texture-release hook.
  QC_GUI_WLABEL(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage, const std::wstring& text);
  ~QC_GUI_WLABEL() override;

  QS_GUI_EVENT* fUpdate() override { return nullptr; }
  void fRender() override;
  float fGetWidth() override;
  float fGetHeight() override;

  void fSetText(const std::wstring& text) { _text = text; }
  std::wstring fGetText() const { return _text; }
  // Another font, the caller's; a font the label made is deleted and its page given back.
  void fSetFont(QC_FONT* font);
  QC_FONT* fGetFont() const { return _font; }
  void fSetAlign(int mode) { _alignment = mode; }
  int fGetAlign() const { return _alignment; }
  // The localisation id of the form's text, kept for the owner.
  void fSetTextId(int id) { _textId = id; }
  int fGetTextId() const { return _textId; }
  // The form's font resource name, kept for reference.
  void fSetFontName(const std::string& name) { _fontName = name; }
  const std::string& fGetFontName() const { return _fontName; }

 private:
  std::wstring _text;
  QC_FONT* _font;
  int _alignment;
  bool _ownsFont;
  int _textId;
  std::string _fontName;
};

}  // namespace QOR
