// A vertical list of wide-text items on a panel, a fixed number of rows at a time, with a
// selection bar behind the selected row and a 13-frame slider right of the panel as its scroller
// (its value is the first visible row). A press on a row selects it; while the list is active the
// up and down arrow keys move the selection and scroll to keep it in view. Type code 13.
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

class QC_GUI_PANEL;
class QC_GUI_SLIDER13;

class QC_GUI_LISTBOX : public QC_GUI_OBJECT {
 public:
  static constexpr int kDefaultVisibleCount = 3;
  static constexpr int kDefaultInsetDivisor = 20;
  static constexpr int kFontBufferSize = 600;
  static constexpr int kKeyUp = 38;
  static constexpr int kKeyDown = 40;

  // The form factory's constructor: selection bar, panel and scroller pictures, the font's
  // description element and page image (no font when the element is empty), and the scroller's
  // button distance. Margins start at 0.
  QC_GUI_LISTBOX(int id, QC_TEXTURE_INFO* listTexture, QC_TEXTURE_INFO* panelTexture, QC_TEXTURE_INFO* sliderTexture,
                 pugi::xml_node fontElement, QC_TEXTURE_INFO* fontTexture, float sliderButtonDistance);
  // The renderer's default texture for panel, selection bar and scroller, and no font.
  explicit QC_GUI_LISTBOX(int id);
  // Releases the selection bar's texture and the font's page through the texture-release hook,
  // then frees the font, the selection bar, the hit area, the panel and the scroller.
  ~QC_GUI_LISTBOX() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override;
  // Size of the panel and its hit area; rows, scroller radius and track follow.
  void fSetSize(int width, int height) override;

  // Appends the UTF-8 text as a wide item (null counts as the empty text).
  void fAddItem(const char* text);
  // Erases item `index` when it exists.
  void fRemoveItem(int index);
  // Erases the last item; nothing on an empty list.
  void fRemoveLast();
  // Erases every item; the scroller's range stays until the next refresh.
  void fClearItems() { _items.clear(); }
  // The selected item's text; the empty text when no item is selected.
  const wchar_t* fGetSelectedText() const { return fGetItemText(_selected); }
  // The item's text; the empty text for an index outside the list.
  const wchar_t* fGetItemText(int index) const;
  // Scroller range 0..(items - visible rows) when the items do not fit, else 0..0.
  void fRefresh();
  // Rows shown (at least 1): 1 when set, -1 (and nothing changes) for n below 1.
  int fSetVisibleCount(int n);
  // Text colour (ARGB) of the font, when there is one.
  void fSetFontColor(std::uint32_t argb);
  void fSetLeftMargin(int margin) { _leftMargin = margin; }
  void fSetUpperMargin(int margin) { _upperMargin = margin; }
  // Places the scroller d pixels right of the panel's right edge.
  void fSetSliderDistance(int d);
  int fGetSliderDistance() const;
  // Divisor of the scroller radius and track inset and of the text inset (at least 1): 1 when
  // set, -1 (and nothing changes) for n below 1.
  int fSetInsetDivisor(int n);
  // The font resource's name, kept for the form factory.
  void fSetFontName(const std::string& name) { _fontName = name; }
  const std::string& fGetFontName() const { return _fontName; }

  int fGetSelected() const { return _selected; }
  int fGetItemCount() const { return static_cast<int>(_items.size()); }
  int fGetVisibleCount() const { return _visibleCount; }
  int fGetInsetDivisor() const { return _insetDivisor; }
  int fGetRowHeight() const { return _rowHeight; }
  int fGetLeftMargin() const { return _leftMargin; }
  int fGetUpperMargin() const { return _upperMargin; }
  bool isHovered() const { return _hovered; }
  QC_GUI_PANEL* fGetPanel() const { return _panel; }
  QC_GUI_SLIDER13* fGetScroller() const { return _scroller; }
  QC_FONT* fGetFont() const { return _font; }
  QC_SPRITE* fGetSelectionBar() const { return _selectionBar; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

 private:
  void fBuild(QC_TEXTURE_INFO* listTexture, QC_TEXTURE_INFO* panelTexture, QC_TEXTURE_INFO* sliderTexture,
              QC_FONT* font, float sliderButtonDistance, bool scrollDown);
  float fPanelWidth() const;
  float fPanelHeight() const;
  float fScrollValue() const;
  void fOnArrowKeys();

  QC_HIT_AREA* _hitArea;
  bool _hovered;
  int _visibleCount;
  int _selected;
  int _insetDivisor;
  int _rowHeight;
  QC_SPRITE* _selectionBar;
  QC_GUI_PANEL* _panel;
  QC_GUI_SLIDER13* _scroller;
  QC_FONT* _font;
  std::vector<std::wstring> _items;
  int _leftMargin;
  int _upperMargin;
  std::string _fontName;
};

}  // namespace QOR
