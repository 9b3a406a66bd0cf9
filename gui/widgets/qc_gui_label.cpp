#include "gui/widgets/qc_gui_label.h"

#include "engine/math/float_to_int.h"
#include "engine/service/qc_log.h"
#include "gui/base/gui_texture_release.h"

namespace QOR {

namespace {

constexpr int kOwnFontBuffer = 600;

}  // namespace

QC_GUI_LABEL::QC_GUI_LABEL(int id, QC_FONT* font, const char* text)
    : QC_GUI_OBJECT(id), _text(text), _font(font), _ownsFont(false) {
  _typeCode = 7;
}

QC_GUI_LABEL::QC_GUI_LABEL(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage, const char* text)
    : QC_GUI_OBJECT(id),
      _text(text),
      _font(new QC_FONT(fontDescription, fontPage, kOwnFontBuffer)),
      _ownsFont(true) {
  _typeCode = 7;
  _font->fSetAlign(QC_SPRITE::kAnchorCentre);
}

QC_GUI_LABEL::~QC_GUI_LABEL() { fDropOwnedFont(_font, _ownsFont); }

void QC_GUI_LABEL::fRender() {
  if (_font == nullptr) return;
  const QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
  // Literally, not through the formatting print: the text is no format.
  _font->fDrawText(fTruncateToInt(world._position.x), fTruncateToInt(world._position.y), fGetText());
}

void QC_GUI_LABEL::fLoadFont(pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage) {
  if (_font == nullptr) {
    fLog("Error loading font.");
    return;
  }
  if (_ownsFont && _font->fGetPage() != nullptr && _font->fGetPage()->fGetTexture() != fontPage) {
    fReleaseWidgetTexture(_font->fGetPage()->fGetTexture());
  }
  if (_font->fLoad(fontDescription, fontPage) != 1) fLog("Error loading font.");
}

void QC_GUI_LABEL::fSetFont(QC_FONT* font) {
  if (font == _font) return;
  fDropOwnedFont(_font, _ownsFont);
  _font = font;
  if (_font != nullptr) _font->fSetAlign(QC_SPRITE::kAnchorCentre);
}

void QC_GUI_LABEL::fSetScale(float scale) {
  if (_font != nullptr) _font->fSetScale(scale);
}

void QC_GUI_LABEL::fSetAlign(int mode) {
  if (_font != nullptr) _font->fSetAlign(mode);
}

void QC_GUI_LABEL::fSetOwnText(const std::string& text) {
  _ownText = text;
  _text = _ownText.c_str();
}

}  // namespace QOR
