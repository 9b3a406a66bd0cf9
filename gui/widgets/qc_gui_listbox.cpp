#include "gui/widgets/qc_gui_listbox.h"

#include "engine/math/float_to_int.h"
#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"
#include "gui/widgets/qc_gui_panel.h"
#include "gui/widgets/qc_gui_slider13.h"

#include <algorithm>
#include <climits>

namespace QOR {

namespace {

constexpr int kMouseButton = 1;
constexpr std::uint32_t kDefaultFontColor = 0xFF000000u;

// a + b without overflow: margins from a form may be anything.
int fAddSaturated(int a, long long b) {
  const long long sum = a + b;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace

QC_GUI_LISTBOX::QC_GUI_LISTBOX(int id, QC_TEXTURE_INFO* listTexture, QC_TEXTURE_INFO* panelTexture,
                               QC_TEXTURE_INFO* sliderTexture, pugi::xml_node fontElement,
                               QC_TEXTURE_INFO* fontTexture, float sliderButtonDistance)
    : QC_GUI_OBJECT(id) {
  QC_FONT* font = fontElement ? new QC_FONT(fontElement, fontTexture, kFontBufferSize) : nullptr;
  // The font page is handed over with its subscription; without a font nothing would give it back.
  if (font == nullptr && fontTexture != nullptr) fReleaseWidgetTexture(fontTexture);
  fBuild(listTexture, panelTexture, sliderTexture, font, sliderButtonDistance, true);
}

QC_GUI_LISTBOX::QC_GUI_LISTBOX(int id) : QC_GUI_OBJECT(id) {
  QC_TEXTURE_INFO* texture = fDefaultWidgetTexture();
  fBuild(texture, texture, texture, nullptr, 0.0f, false);
}

void QC_GUI_LISTBOX::fBuild(QC_TEXTURE_INFO* listTexture, QC_TEXTURE_INFO* panelTexture,
                            QC_TEXTURE_INFO* sliderTexture, QC_FONT* font, float sliderButtonDistance,
                            bool scrollDown) {
  _typeCode = 13;
  _panel = new QC_GUI_PANEL(1, panelTexture);
  _panel->fGetTransform()->fSetParent(_transform);
  _panel->fSetMovable(false);
  _font = font;
  if (_font != nullptr) _font->fSetColor(kDefaultFontColor);
  _hovered = false;
  _selected = 0;
  _insetDivisor = kDefaultInsetDivisor;
  _visibleCount = kDefaultVisibleCount;
  _rowHeight = _panel->fGetPanelHeight() / _visibleCount;
  _leftMargin = 0;
  _upperMargin = 0;
  _selectionBar = new QC_SPRITE(listTexture, nullptr);
  _selectionBar->fGetTransform()->fSetParent(_transform);
  _selectionBar->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);

  const float halfHeight = fPanelHeight() / 2.0f;
  QS_VEC2 start;
  QS_VEC2 end;
  if (scrollDown) {
    // The end buttons stand just beyond the panel's top and bottom edges.
    const float f = QC_GUI_SLIDER_STRIP::fFrameWidthOf(sliderTexture, QC_GUI_SLIDER13::kFrames);
    start = QS_VEC2(0.0f, -(f + halfHeight));
    end = QS_VEC2(0.0f, f + halfHeight);
  } else {
    start = QS_VEC2(0.0f, halfHeight);
    end = QS_VEC2(0.0f, -halfHeight);
  }
  _scroller = new QC_GUI_SLIDER13(2, sliderTexture, start, end, fPanelWidth() / static_cast<float>(_insetDivisor),
                                  sliderButtonDistance, 0.0f, 0.0f, 1.0f, 0.0f);
  _scroller->fGetTransform()->fSetParent(_transform);
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _panel->fGetTransform(), fPanelWidth(), fPanelHeight(), 0, 0);
  _active = false;
  fSetSliderDistance(0);
}

QC_GUI_LISTBOX::~QC_GUI_LISTBOX() {
  fReleaseWidgetTexture(_selectionBar->fGetTexture());
  if (_font != nullptr && _font->fGetPage() != nullptr) fReleaseWidgetTexture(_font->fGetPage()->fGetTexture());
  // The list made its font, so it frees it too; panel and scroller give back their own pictures.
  delete _font;
  delete _selectionBar;
  delete _hitArea;
  delete _panel;
  delete _scroller;
}

float QC_GUI_LISTBOX::fPanelWidth() const { return static_cast<float>(_panel->fGetPanelWidth()); }

float QC_GUI_LISTBOX::fPanelHeight() const { return static_cast<float>(_panel->fGetPanelHeight()); }

float QC_GUI_LISTBOX::fScrollValue() const { return _scroller->fGetValue(); }

void QC_GUI_LISTBOX::fSetSize(int width, int height) {
  _hitArea->fSetWidth(static_cast<float>(width));
  _hitArea->fSetHeight(static_cast<float>(height));
  _rowHeight = height / _visibleCount;
  _panel->fSetSize(width, height);
  _scroller->fSetRadius(static_cast<float>(width / _insetDivisor));
  const float x = static_cast<float>(width) / 2.0f - static_cast<float>(width / _insetDivisor);
  const float top = -static_cast<float>(height) / 2.0f + static_cast<float>(height / _insetDivisor);
  const float bottom = static_cast<float>(height) / 2.0f - static_cast<float>(height / _insetDivisor);
  _scroller->fSetTrack(x, top, x, bottom);
  if (_font != nullptr) _selectionBar->fSetSize(width, _font->fGetLineHeight());
  _selectionBar->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  fRefresh();
}

void QC_GUI_LISTBOX::fAddItem(const char* text) {
  _items.push_back(pugi::as_wide(text != nullptr ? text : ""));
  fRefresh();
}

void QC_GUI_LISTBOX::fRemoveItem(int index) {
  if (index < 0 || index >= fGetItemCount()) return;
  _items.erase(_items.begin() + index);
  fRefresh();
}

void QC_GUI_LISTBOX::fRemoveLast() {
  if (_items.empty()) return;
  _items.pop_back();
  fRefresh();
}

const wchar_t* QC_GUI_LISTBOX::fGetItemText(int index) const {
  if (index < 0 || index >= fGetItemCount()) return L"";
  return _items[static_cast<std::size_t>(index)].c_str();
}

void QC_GUI_LISTBOX::fRefresh() {
  const int count = fGetItemCount();
  const float last = count > _visibleCount ? static_cast<float>(count - _visibleCount) : 0.0f;
  _scroller->fSetRange(0.0f, last);
}

int QC_GUI_LISTBOX::fSetVisibleCount(int n) {
  if (n < 1) return -1;
  _visibleCount = n;
  _rowHeight = _panel->fGetPanelHeight() / n;
  fRefresh();
  return 1;
}

int QC_GUI_LISTBOX::fSetInsetDivisor(int n) {
  if (n < 1) return -1;
  _insetDivisor = n;
  return 1;
}

void QC_GUI_LISTBOX::fSetFontColor(std::uint32_t argb) {
  if (_font != nullptr) _font->fSetColor(argb);
}

void QC_GUI_LISTBOX::fSetSliderDistance(int d) {
  const float x = fPanelWidth() / 2.0f + _scroller->fGetWidth() / 2.0f + static_cast<float>(d);
  _scroller->fGetTransform()->fSetPosition(x, 0.0f, 0.0f);
}

int QC_GUI_LISTBOX::fGetSliderDistance() const {
  return fTruncateToInt(_scroller->fGetTransform()->_position.x -
                        (fPanelWidth() / 2.0f + _scroller->fGetWidth() / 2.0f));
}

QS_GUI_EVENT* QC_GUI_LISTBOX::fUpdate() {
  _pair._event = QE_GUI_NONE;
  const QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
  _scroller->fUpdate();
  float mx = 0.0f;
  float my = 0.0f;
  QC_GUI_INPUT::fGetMousePosF(&mx, &my);
  const bool over = _hitArea->isPointInside(mx, my) ||
                    _scroller->fGetHitArea(QC_BASESLIDER::kKnob)->isPointInside(mx, my);
  const bool pressed = QC_GUI_INPUT::isPressed(kMouseButton);
  if (over) {
    if (!_hovered) {
      _pair._event = QE_GUI_ENTER;
      _active = true;
      _hovered = true;
    }
    _panel->fUpdate();
    if (pressed) {
      _active = true;
      _pair._event = QE_GUI_DOWN;
      // A press the scroller did not take selects the row under the mouse. Rows of no height
      // select nothing.
      if (_scroller->fGetEvent() == QE_GUI_NONE && !_items.empty() && _rowHeight > 0) {
        const double row = (static_cast<double>(my) - world._position.y + fPanelHeight() / 2.0) / _rowHeight +
                           static_cast<double>(fScrollValue());
        _selected = std::clamp(fTruncateToInt(row), 0, fGetItemCount() - 1);
      }
      return &_pair;
    }
  } else {
    if (_hovered) {
      _pair._event = QE_GUI_LEAVE;
      _active = false;
      _hovered = false;
    }
    if (pressed) _active = false;
  }
  if (_active) fOnArrowKeys();
  if (QC_GUI_INPUT::isReleased(kMouseButton) && _active && _hovered) {
    _pair._event = QE_GUI_UP;
    return &_pair;
  }
  return nullptr;
}

void QC_GUI_LISTBOX::fOnArrowKeys() {
  const int count = fGetItemCount();
  if (QC_GUI_INPUT::fGetState(kKeyDown) == 1) {
    _selected = _selected >= count - 1 ? count - 1 : _selected + 1;
    if (static_cast<float>(_selected) - fScrollValue() >= static_cast<float>(_visibleCount)) _scroller->fStepBy(1);
    const float shown = static_cast<float>(_selected) - fScrollValue();
    if (shown < 0.0f) _scroller->fStepBy(fTruncateToInt(shown));
  }
  if (QC_GUI_INPUT::fGetState(kKeyUp) == 1) {
    _selected = _selected <= 0 ? 0 : _selected - 1;
    if (static_cast<float>(_selected) - fScrollValue() < 0.0f) _scroller->fStepBy(-1);
    const float shown = static_cast<float>(_selected) - fScrollValue();
    if (shown > static_cast<float>(_visibleCount - 1)) _scroller->fStepBy(fTruncateToInt(shown));
  }
}

void QC_GUI_LISTBOX::fRender() {
  _panel->fRender();
  const float value = fScrollValue();
  const float shownRow = static_cast<float>(_selected) - value;
  const float panelHeight = fPanelHeight();
  if (!_items.empty() && shownRow >= 0.0f && shownRow <= static_cast<float>(_visibleCount - 1)) {
    const float y = shownRow * static_cast<float>(_rowHeight) - panelHeight / 2.0f + static_cast<float>(_rowHeight / 2);
    _selectionBar->fGetTransform()->fSetPosition(0.0f, y, 0.0f);
    _selectionBar->fRenderInFrame(false, false, false);
  }
  if (_font != nullptr) {
    const QS_TRANSFORM3 world = _panel->fGetTransform()->fGetWorld(false, false, false);
    const float panelWidth = fPanelWidth();
    const double x0 = world._position.x - (panelWidth / 2.0 - panelWidth / _insetDivisor);
    const double y0 = world._position.y -
                      (panelHeight / 2.0 - _rowHeight / 2 + _font->fGetLineHeight() / 2);
    const int first = std::max(0, fTruncateToInt(value));
    const int last = std::min(fTruncateToInt(static_cast<double>(value) + _visibleCount), fGetItemCount());
    const int x = fAddSaturated(fTruncateToInt(x0), _leftMargin);
    for (int i = first; i < last; ++i) {
      const int y = fAddSaturated(fTruncateToInt(y0 + (i - static_cast<double>(value)) * _rowHeight), _upperMargin);
      // Item texts are drawn as they are: a '%' in one is a plain character.
      _font->fDrawTextW(x, y, _items[static_cast<std::size_t>(i)].c_str());
    }
  }
  _scroller->fRender();
}

}  // namespace QOR
