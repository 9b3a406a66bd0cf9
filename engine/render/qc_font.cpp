// QC_FONT: construction, loading the description, measuring and alignment offsets.
#include "engine/render/qc_font.h"

#include "engine/math/float_to_int.h"
#include "engine/render/font_numbers.h"
#include "engine/service/qc_log.h"
#include "host/win_window.h"

#include <algorithm>

namespace QOR {

QC_FONT::QC_FONT(pugi::xml_node font, QC_TEXTURE_INFO* page, int bufferSize)
    : _bufferSize(bufferSize > 0 ? bufferSize : 1) {
  _narrowBuffer = new char[static_cast<std::size_t>(_bufferSize)]();
  _wideBuffer = new wchar_t[static_cast<std::size_t>(_bufferSize)]();
  if (fLoad(font, page) != 1) fLog("error loading font");
}

QC_FONT::QC_FONT() {
  MessageBoxA(nullptr, "Bad way creation font", "framework\\PRIMITIVES\\QC_FONT", MB_OK);
}

QC_FONT::~QC_FONT() {
  fClearGlyphs();
  delete _page;
  delete[] _narrowBuffer;
  delete[] _wideBuffer;
}

void QC_FONT::fClearGlyphs() {
  for (auto& entry : _glyphs) delete entry.second;
  _glyphs.clear();
}

int QC_FONT::fLoad(pugi::xml_node font, QC_TEXTURE_INFO* page) {
  _lineHeight = font.child("common").attribute("lineHeight").as_int(0);
  _spacing = 0;
  // The page's file name is read and not used: the page image is the texture the caller passes.
  (void)font.child("pages").first_child().attribute("file").value();
  delete _page;
  _page = new QC_SPRITE(page, nullptr);
  _pageWidth = _page->fGetPageWidth();
  _pageHeight = _page->fGetPageHeight();
  _defaultAdvance = 0;
  fClearGlyphs();
  _glyphCount = 0;
  // Without a page size no glyph rectangle can be placed on it.
  if (_pageWidth <= 0 || _pageHeight <= 0) return -1;

  const pugi::xml_node chars = font.child("chars");
  const double pageWidth = _pageWidth;
  const double pageHeight = _pageHeight;
  for (pugi::xml_node c = chars.child("char"); c; c = c.next_sibling("char")) {
    auto* glyph = new QC_GLYPH();
    glyph->_id = c.attribute("id").as_int(0);
    const int x = c.attribute("x").as_int(0);
    const int y = c.attribute("y").as_int(0);
    // A negative size is no rectangle at all.
    glyph->_width = std::max(0, c.attribute("width").as_int(0));
    glyph->_height = std::max(0, c.attribute("height").as_int(0));
    glyph->_xOffset = c.attribute("xoffset").as_int(0);
    glyph->_yOffset = c.attribute("yoffset").as_int(0);
    // In double precision: x + width cannot overflow there.
    glyph->_leftU = static_cast<float>(x / pageWidth);
    glyph->_topV = static_cast<float>(y / pageHeight);
    glyph->_rightU = static_cast<float>((static_cast<double>(x) + glyph->_width) / pageWidth);
    glyph->_bottomV = static_cast<float>((static_cast<double>(y) + glyph->_height) / pageHeight);
    auto [slot, added] = _glyphs.emplace(glyph->_id, glyph);
    if (!added) {
      delete slot->second;  // a later glyph with the same code replaces the earlier one
      slot->second = glyph;
    }
    ++_glyphCount;
  }
  if (_glyphCount != chars.attribute("count").as_int(0)) {
    fLog() << " Count chars " << _glyphCount << " not concide with chars count";
  }
  const QC_GLYPH* first = fFirstGlyph();
  if (first == nullptr) return -1;
  _page->fSetPageSize(first->_width, first->_height);
  _page->fSetAnchorPage(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _defaultAdvance = kDefaultAdvance;
  _alignment = 1;
  return 1;
}

int QC_FONT::fLoadFile(const char*) {
  fLog("Bad way loading font");
  return -1;
}

QC_GLYPH* QC_FONT::fFindGlyph(int code) const {
  const auto found = _glyphs.find(code);
  return found != _glyphs.end() ? found->second : nullptr;
}

QC_GLYPH* QC_FONT::fFirstGlyph() const { return _glyphs.empty() ? nullptr : _glyphs.begin()->second; }

float QC_FONT::fScaleX() const {
  const QS_TRANSFORM3* t = _page != nullptr ? _page->fGetTransform() : nullptr;
  return t != nullptr ? t->_scale.x : 1.0f;
}

float QC_FONT::fScaleY() const {
  const QS_TRANSFORM3* t = _page != nullptr ? _page->fGetTransform() : nullptr;
  return t != nullptr ? t->_scale.y : 1.0f;
}

void QC_FONT::fSetColor(std::uint32_t argb) {
  if (_page != nullptr) _page->fSetColor(argb);
}

std::uint32_t QC_FONT::fGetColor() const { return _page != nullptr ? _page->fGetVertexColor(0) : 0u; }

void QC_FONT::fSetScale(float s) {
  if (_page != nullptr && _page->fGetTransform() != nullptr) _page->fGetTransform()->fSetScale(s, s, s);
}

int QC_FONT::fGetCharWidth(int code) const {
  const QC_GLYPH* glyph = fFindGlyph(code);
  return glyph != nullptr ? glyph->_width : 0;
}

int QC_FONT::fGetLineWidth(const char* text) const {
  std::int64_t total = 0;
  for (const char* p = text != nullptr ? text : ""; *p != '\0' && *p != '\n'; ++p) {
    // Bytes are signed 8-bit codes: 128..255 are negative and find no glyph of a usual font.
    total += fGetCharWidth(static_cast<signed char>(*p)) + static_cast<std::int64_t>(_spacing);
  }
  return fClampToInt(total);
}

int QC_FONT::fGetLineWidthW(const wchar_t* text) const {
  if (_glyphs.empty()) return 0;
  const float scale = fScaleX();
  int total = 0;
  for (const wchar_t* p = text != nullptr ? text : L""; *p != L'\0' && *p != L'\n'; ++p) {
    const int width = fGetCharWidth(static_cast<int>(*p));
    if (width > 0) {
      total = fTruncateToInt(scale * static_cast<float>(static_cast<std::int64_t>(width) + _spacing) +
                             static_cast<float>(total));
    }
  }
  return total;
}

int QC_FONT::fGetFixedWidthW(const wchar_t* text) const {
  if (_glyphs.empty()) return 0;
  std::int64_t count = 0;
  for (const wchar_t* p = text != nullptr ? text : L""; *p != L'\0' && *p != L'\n'; ++p) ++count;
  return fClampToInt((static_cast<std::int64_t>(_defaultAdvance) + _spacing) * count);
}

int QC_FONT::fGetLineLength(const char* text) const {
  int count = 0;
  for (const char* p = text != nullptr ? text : ""; *p != '\0' && *p != '\n'; ++p) ++count;
  return count;
}

int QC_FONT::fCountLines(const char* text) const {
  int lines = 1;
  for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) lines += *p == '\n' ? 1 : 0;
  return lines;
}

int QC_FONT::fCountLinesW(const wchar_t* text) const {
  int lines = 1;
  for (const wchar_t* p = text != nullptr ? text : L""; *p != L'\0'; ++p) lines += *p == L'\n' ? 1 : 0;
  return lines;
}

int QC_FONT::fGetOffsetX(const char* text) const {
  const std::int64_t w = fGetLineWidth(text);
  switch (_alignment) {
    case 0:
    case 5:
    case 6:
      return fTruncateToInt(static_cast<double>(w) * -0.5);
    case 8:
      return fClampToInt(-w);
    default:  // 2 and 4 too: a narrow line is not shifted for right alignment
      return 0;
  }
}

int QC_FONT::fGetOffsetXW(const wchar_t* text) const {
  const std::int64_t w = fGetLineWidthW(text);
  switch (_alignment) {
    case 0:
    case 5:
    case 6:
      return fClampToInt(-w / 2);
    case 2:
    case 4:
    case 8:
      return fClampToInt(-w);
    default:
      return 0;
  }
}

// Float divisions as the font has always made them; a divisor of 0 or a huge block saturates
// instead of overflowing.
int QC_FONT::fGetOffsetY(const char* text) const {
  const std::int64_t h = static_cast<std::int64_t>(_lineHeight) * fCountLines(text);
  switch (_alignment) {
    case 0:
    case 7:
    case 8:
      return fClampToInt(-static_cast<std::int64_t>(fTruncateToInt(static_cast<float>(h) / _verticalDivisor)));
    case 5:
      return fClampToInt(h / 2);
    default:
      return 0;
  }
}

int QC_FONT::fGetOffsetYW(const wchar_t* text) const {
  const int lines = fCountLinesW(text);
  const std::int64_t h = static_cast<std::int64_t>(_lineHeight) * lines;
  switch (_alignment) {
    case 0:
    case 7:
    case 8:
      if (lines == 1) return fTruncateToInt(static_cast<float>(h) / -_verticalDivisor);
      return fTruncateToInt(static_cast<double>(h) / (static_cast<double>(_verticalDivisor) / -2.0));
    case 5:
      return fClampToInt(h / 2);
    default:
      return 0;
  }
}

}  // namespace QOR
