// QC_FONT: drawing glyphs and lines of text, and the print entries.
#include "engine/math/float_to_int.h"
#include "engine/render/font_numbers.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_font_test_door.h"

namespace QOR {

int QC_FONT::fDrawChar(int code, int x, int y) {
  const QC_GLYPH* glyph = fFindGlyph(code);
  if (glyph == nullptr) return 0;
  if (_page != nullptr) {
    _page->fDrawPart(static_cast<float>(x), static_cast<float>(y) + static_cast<float>(glyph->_yOffset) * fScaleY(),
                     glyph->_leftU, glyph->_topV, glyph->_rightU, glyph->_bottomV, glyph->_width, glyph->_height);
  }
  return glyph->_width;
}

void QC_FONT::fDrawText(int x, int y, const char* text) {
  if (text == nullptr) return;
  if (font_test::isTracing()) fTraceDraw(x, y, nullptr, text);
  std::int64_t offsetX = fGetOffsetX(text);
  const std::int64_t offsetY = fGetOffsetY(text);
  std::int64_t line = 0;
  std::int64_t pen = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') {
      ++line;
      pen = 0;
      offsetX = fGetOffsetX(p + 1);
      continue;
    }
    const int width = fDrawChar(static_cast<signed char>(*p), fClampToInt(x + pen + offsetX),
                                fClampToInt(y + _lineHeight * line + offsetY));
    // The pen moves by the spacing even where no glyph was drawn.
    pen = fClampToInt(pen + width + _spacing);
  }
}

void QC_FONT::fDrawTextW(int x, int y, const wchar_t* text) {
  if (text == nullptr) return;
  if (font_test::isTracing()) fTraceDraw(x, y, text, nullptr);
  const float scale = fScaleX();
  std::int64_t offsetX = fGetOffsetXW(text);
  const std::int64_t offsetY = fGetOffsetYW(text);
  std::int64_t line = 0;
  float pen = 0.0f;
  for (const wchar_t* p = text; *p != L'\0'; ++p) {
    if (*p == L'\n') {
      ++line;
      pen = 0.0f;
      offsetX = fGetOffsetXW(p + 1);
      continue;
    }
    const int drawX = fTruncateToInt(static_cast<float>(x) + pen + static_cast<float>(offsetX));
    const int width = fDrawChar(static_cast<int>(*p), drawX, fClampToInt(y + _lineHeight * line + offsetY));
    // A character without a glyph does not move the pen.
    if (width != 0) pen = scale * static_cast<float>(static_cast<std::int64_t>(width) + _spacing) + pen;
  }
}

void QC_FONT::fTraceDraw(int x, int y, const wchar_t* wide, const char* narrow) const {
  font_test::QS_TRACED_TEXT traced;
  traced.font = this;
  traced.x = x;
  traced.y = y;
  traced.narrow = narrow != nullptr;
  if (wide != nullptr) traced.text = wide;
  for (const char* p = narrow; p != nullptr && *p != '\0'; ++p) {
    traced.text += static_cast<wchar_t>(static_cast<signed char>(*p));
  }
  traced.frame = _page != nullptr && _page->fGetTransform() != nullptr ? _page->fGetTransform()->_parent : nullptr;
  font_test::fTraceText(traced);
}

void QC_FONT::fPrintList(int x, int y, const char* format, std::span<const QC_FORMAT_ARG> args) {
  if (_narrowBuffer == nullptr) return;
  // The formatted text is cut at buffer size - 5 characters, as vsnprintf with buffer size - 4.
  if (_bufferSize - 4 <= 0) {
    _narrowBuffer[0] = '\0';
    return;
  }
  fNarrowFormatList(_narrowBuffer, _bufferSize - 4, format, args);
  fDrawText(x, y, _narrowBuffer);
}

void QC_FONT::fPrintWList(int x, int y, const wchar_t* format, std::span<const QC_FORMAT_ARG> args) {
  if (_wideBuffer == nullptr) return;
  fWideFormatList(_wideBuffer, _bufferSize, format, args);
  fDrawTextW(x, y, _wideBuffer);
}

void QC_FONT::fPrintWInFrame(const QS_TRANSFORM3* frame, int alignment, const wchar_t* text) {
  if (frame == nullptr || _page == nullptr || _page->fGetTransform() == nullptr) return;
  // The frame's world is held here for the call; the page transform is placed in it.
  QS_TRANSFORM3 world = frame->fGetWorld(false, false, false);
  world._parent = nullptr;
  QS_TRANSFORM3* pageTransform = _page->fGetTransform();
  pageTransform->fSetParent(&world);
  const int saved = _alignment;
  _alignment = alignment;
  fPrintWList(0, 0, text, {});
  _alignment = saved;
  pageTransform->fSetParent(nullptr);
}

}  // namespace QOR
