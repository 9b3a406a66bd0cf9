#include "gui/widgets/qc_gui_wlabel.h"

#include "gui/base/gui_texture_release.h"

namespace QOR {

namespace {

constexpr int kOwnFontBuffer = 600;

}  // namespace

QC_GUI_WLABEL::QC_GUI_WLABEL(int id)
    : QC_GUI_OBJECT(id), _font(nullptr), _alignment(QC_SPRITE::kAnchorCentre), _ownsFont(false), _textId(0) {
  _typeCode = 12;
}

QC_GUI_WLABEL::QC_GUI_WLABEL(int id, QC_FONT* font, const std::wstring& text)
    : QC_GUI_OBJECT(id),
      _text(text),
      _font(font),
      _alignment(QC_SPRITE::kAnchorCentre),
      _ownsFont(false),
      _textId(0) {
  _typeCode = 12;
}

QC_GUI_WLABEL::QC_GUI_WLABEL(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage,
                             const std::wstring& text)
    : QC_GUI_OBJECT(id),
      _text(text),
      _font(new QC_FONT(fontDescription, fontPage, kOwnFontBuffer)),
      _alignment(QC_SPRITE::kAnchorCentre),
      _ownsFont(true),
      _textId(0) {
  _typeCode = 12;
}

QC_GUI_WLABEL::~QC_GUI_WLABEL() { fDropOwnedFont(_font, _ownsFont); }

void QC_GUI_WLABEL::fSetFont(QC_FONT* font) {
  if (font == _font) return;
  fDropOwnedFont(_font, _ownsFont);
  _font = font;
}

void QC_GUI_WLABEL::fRender() {
  if (_font == nullptr) return;
  QC_SPRITE* page = _font->fGetPage();
  if (page == nullptr || page->fGetTransform() == nullptr) return;
  // The page is placed in a copy of the label's world for this call, with the label's alignment;
  // the text goes through the plain drawing, never through the formatting print.
  QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
  world._parent = nullptr;
  QS_TRANSFORM3* pageTransform = page->fGetTransform();
  QS_TRANSFORM3* const savedParent = pageTransform->fSetParent(&world);
  const int savedAlignment = _font->fGetAlign();
  _font->fSetAlign(_alignment);
  _font->fDrawTextW(0, 0, _text.c_str());
  _font->fSetAlign(savedAlignment);
  pageTransform->fSetParent(savedParent);
}

float QC_GUI_WLABEL::fGetWidth() {
  return _font != nullptr ? static_cast<float>(_font->fGetLineWidthW(_text.c_str())) : 0.0f;
}

float QC_GUI_WLABEL::fGetHeight() { return _font != nullptr ? static_cast<float>(_font->fGetLineHeight()) : 0.0f; }

}  // namespace QOR
