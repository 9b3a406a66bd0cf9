// The list box driven through the real input: the scroller's range for the item count, selection
// by a press on a row, the arrow keys with their scrolling, presses on the scroller, the events it
// reports, an empty list, item texts drawn literally, bad counts and divisors, and the pictures it
// gives back.
#include "gui/widgets/qc_gui_listbox.h"
#include "gui/widgets/qc_gui_panel.h"
#include "gui/widgets/qc_gui_slider13.h"
#include "tests/gui/sliders/slider_test_kit.h"

#include <climits>
#include <memory>
#include <string>

using namespace QOR;
using slider_test::Box;
using slider_test::SliderTest;
using slider_test::boxOf;

namespace {

// The list at (400, 300) on a 200 x 60 panel (x 300..500, y 270..330): three rows of 20. The
// scroller's frames are 30 wide; it stands right of the panel at (515, 300) with its knob there
// (radius 10) and its end buttons at (515, 255) and (515, 345).
constexpr int kDown = QC_GUI_LISTBOX::kKeyDown;
constexpr int kUp = QC_GUI_LISTBOX::kKeyUp;
constexpr int kPanelTop = 270;

class ListBox : public SliderTest {
 protected:
  void SetUp() override {
    SliderTest::SetUp();
    listTexture = texture(200, 20);
    panelTexture = texture(200, 60);
    sliderTexture = texture(390, 30);
    list = std::make_unique<QC_GUI_LISTBOX>(5, listTexture, panelTexture, sliderTexture, fontNode(), fontPage(), 1.5f);
    list->fSetPosition(400.0f, 300.0f, 0.0f);
  }
  void fill(int count) {
    for (int i = 0; i < count; ++i) list->fAddItem(("item" + std::to_string(i)).c_str());
  }
  float scroll() const { return list->fGetScroller()->fGetValue(); }
  // Hovers the list so that it is active and takes the arrow keys.
  void hover() {
    moveTo(*list, 400, 300);
    ASSERT_TRUE(list->isActive());
  }

  QC_TEXTURE_INFO* listTexture = nullptr;
  QC_TEXTURE_INFO* panelTexture = nullptr;
  QC_TEXTURE_INFO* sliderTexture = nullptr;
  std::unique_ptr<QC_GUI_LISTBOX> list;
};

TEST_F(ListBox, TheScrollerRangeCoversTheRowsThatDoNotFit) {
  EXPECT_FALSE(list->fGetPanel()->isMovable());
  fill(3);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMax(), 0.0f);
  fill(7);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMin(), 0.0f);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMax(), 7.0f);
  EXPECT_EQ(list->fSetVisibleCount(5), 1);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMax(), 5.0f);
  EXPECT_EQ(list->fGetRowHeight(), 12);
  // Counts and divisors below one are refused and change nothing.
  EXPECT_EQ(list->fSetVisibleCount(0), -1);
  EXPECT_EQ(list->fSetVisibleCount(-3), -1);
  EXPECT_EQ(list->fGetVisibleCount(), 5);
  EXPECT_EQ(list->fSetInsetDivisor(0), -1);
  EXPECT_EQ(list->fGetInsetDivisor(), 20);
  list->fRemoveItem(10);
  list->fRemoveItem(-1);
  EXPECT_EQ(list->fGetItemCount(), 10);
  list->fRemoveItem(0);
  list->fRemoveLast();
  EXPECT_EQ(list->fGetItemCount(), 8);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMax(), 3.0f);
  EXPECT_STREQ(list->fGetItemText(0), L"item1");
  list->fClearItems();
  list->fRemoveLast();
  EXPECT_EQ(list->fGetItemCount(), 0);
}

TEST_F(ListBox, APressSelectsTheRowUnderTheMouse) {
  fill(10);
  list->fGetScroller()->fSetValue(4.0f);
  EXPECT_EQ(moveTo(*list, 400, kPanelTop + 30), nullptr);
  EXPECT_EQ(list->fGetEvent(), QE_GUI_ENTER);
  QS_GUI_EVENT* down = press(*list);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->_id, 5);
  EXPECT_EQ(down->_event, QE_GUI_DOWN);
  EXPECT_EQ(list->fGetSelected(), 5);
  EXPECT_STREQ(list->fGetSelectedText(), L"item5");
  QS_GUI_EVENT* up = release(*list);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->_event, QE_GUI_UP);

  // Below the last item: the last item.
  list->fClearItems();
  fill(2);
  list->fGetScroller()->fSetValue(0.0f);
  moveTo(*list, 350, kPanelTop + 55);
  press(*list);
  release(*list);
  EXPECT_EQ(list->fGetSelected(), 1);
}

TEST_F(ListBox, ArrowKeysMoveTheSelectionAndKeepItInView) {
  fill(10);
  hover();
  key(*list, kDown);
  key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), 2);
  EXPECT_FLOAT_EQ(scroll(), 0.0f);
  key(*list, kDown);  // item 3 leaves the three rows: scroll by one
  EXPECT_EQ(list->fGetSelected(), 3);
  EXPECT_FLOAT_EQ(scroll(), 1.0f);

  // Above the view: the view jumps back to it.
  list->fGetScroller()->fSetValue(5.0f);
  key(*list, kUp);
  EXPECT_EQ(list->fGetSelected(), 2);
  EXPECT_FLOAT_EQ(scroll(), 4.0f);
  list->fGetScroller()->fSetValue(5.0f);
  key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), 3);
  EXPECT_FLOAT_EQ(scroll(), 3.0f);

  // Below the view on Up: the selected row becomes the first one shown.
  for (int i = 0; i < 12; ++i) key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), 9);
  EXPECT_FLOAT_EQ(scroll(), 7.0f);
  list->fGetScroller()->fSetValue(0.0f);
  key(*list, kUp);
  EXPECT_EQ(list->fGetSelected(), 8);
  EXPECT_FLOAT_EQ(scroll(), 7.0f);  // a step of 8, clamped to the range
  for (int i = 0; i < 12; ++i) key(*list, kUp);
  EXPECT_EQ(list->fGetSelected(), 0);
  EXPECT_FLOAT_EQ(scroll(), 0.0f);

  // Both keys in one tick: Down first, then Up.
  script.down(kDown);
  script.down(kUp);
  tick(*list);
  EXPECT_EQ(list->fGetSelected(), 0);

  // An inactive list ignores the keys.
  moveTo(*list, 100, 100);
  EXPECT_EQ(list->fGetEvent(), QE_GUI_LEAVE);
  EXPECT_FALSE(list->isActive());
  key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), 0);
}

TEST_F(ListBox, AnEmptyListSelectsNothingAndDrawsNoBar) {
  hover();
  key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), -1);
  EXPECT_STREQ(list->fGetSelectedText(), L"");
  EXPECT_STREQ(list->fGetItemText(-1), L"");
  EXPECT_FLOAT_EQ(scroll(), 0.0f);
  press(*list);
  EXPECT_EQ(list->fGetSelected(), -1);
  draws();
  list->fRender();
  EXPECT_EQ(quads().size(), 8u);  // panel and the scroller's seven sprites
  list->fAddItem("x");
  key(*list, kDown);
  EXPECT_EQ(list->fGetSelected(), 0);
  list->fRender();
  EXPECT_EQ(quads().size(), 10u);  // and now the bar and one glyph
}

TEST_F(ListBox, PressesOnTheScrollerLeaveTheSelectionAlone) {
  fill(10);
  // The knob counts as part of the list: its press is reported by the list but selects nothing.
  moveTo(*list, 515, 300);
  EXPECT_TRUE(list->isHovered());
  EXPECT_EQ(press(*list)->_event, QE_GUI_DOWN);
  EXPECT_EQ(list->fGetScroller()->fGetEvent(), QE_GUI_DOWN);
  EXPECT_EQ(list->fGetSelected(), 0);
  EXPECT_EQ(release(*list)->_event, QE_GUI_UP);

  // An end button lies outside the list: its press deactivates the list while the scroller steps.
  moveTo(*list, 515, 345);
  moveTo(*list, 515, 345);
  EXPECT_EQ(list->fGetScroller()->fGetPartState(QC_BASESLIDER::kEnd2), QC_BASESLIDER::kHovered);
  EXPECT_FALSE(list->isActive());
  EXPECT_EQ(press(*list), nullptr);
  EXPECT_EQ(release(*list), nullptr);
  EXPECT_FLOAT_EQ(scroll(), 1.0f);
  EXPECT_EQ(list->fGetSelected(), 0);
}

TEST_F(ListBox, EnterAndLeaveAreRecordedAndAPressElsewhereDeactivates) {
  EXPECT_EQ(moveTo(*list, 400, 300), nullptr);
  EXPECT_EQ(list->fGetEvent(), QE_GUI_ENTER);
  EXPECT_TRUE(list->isActive());
  EXPECT_EQ(tick(*list), nullptr);
  EXPECT_EQ(list->fGetEvent(), QE_GUI_NONE);
  EXPECT_EQ(moveTo(*list, 400, 400), nullptr);
  EXPECT_EQ(list->fGetEvent(), QE_GUI_LEAVE);
  EXPECT_FALSE(list->isHovered());
  // A press and release elsewhere report nothing.
  EXPECT_EQ(press(*list), nullptr);
  EXPECT_EQ(release(*list), nullptr);
  // Pressed inside, released after leaving: no 8.
  moveTo(*list, 400, 300);
  press(*list);
  script.move(400, 400);
  EXPECT_EQ(release(*list), nullptr);
}

TEST_F(ListBox, ItemTextsAreDrawnLiterallyAtTheirRows) {
  list->fAddItem("a%b");
  list->fAddItem("ab");
  list->fSetLeftMargin(5);
  list->fSetUpperMargin(7);
  draws();
  list->fRender();
  const auto drawn = quads();
  // Panel, selection bar, 'a' '%' 'b', 'a' 'b', then the scroller's seven sprites.
  ASSERT_EQ(drawn.size(), 1u + 1u + 3u + 2u + 7u);
  // The text starts one twentieth of the panel width inside its left edge; the 20-pixel line is
  // centred in its 20-pixel row.
  const Box a = boxOf(drawn[2]);
  list->fGetFont()->fDrawTextW(300 + 10 + 5, 270 + 7, L"a");
  const Box expected = boxOf(quads().at(0));
  EXPECT_FLOAT_EQ(a.left, expected.left);
  EXPECT_FLOAT_EQ(a.top, expected.top);
  EXPECT_FLOAT_EQ(boxOf(drawn[3]).left, a.left + 8.0f);   // '%'
  EXPECT_FLOAT_EQ(boxOf(drawn[3]).right, a.left + 14.0f);
  EXPECT_FLOAT_EQ(boxOf(drawn[4]).left, a.left + 14.0f);  // 'b'
  EXPECT_FLOAT_EQ(boxOf(drawn[5]).top, a.top + 20.0f);    // second row
  // The selection bar behind row 0, centred on it.
  const Box bar = boxOf(drawn[1]);
  EXPECT_FLOAT_EQ(bar.top, 270.0f);
  EXPECT_FLOAT_EQ(bar.bottom, 290.0f);

  // Items are UTF-8 turned into wide text.
  list->fAddItem("caf\xC3\xA9");
  EXPECT_STREQ(list->fGetItemText(2), L"caf\u00E9");
  list->fAddItem(nullptr);
  EXPECT_STREQ(list->fGetItemText(3), L"");
  // Margins at the ends of the int range saturate the text position.
  list->fSetLeftMargin(INT_MAX);
  list->fSetUpperMargin(INT_MIN);
  list->fRender();
}

TEST_F(ListBox, SizeRowsAndTheSliderDistance) {
  fill(10);
  list->fSetSize(240, 90);
  EXPECT_EQ(list->fGetRowHeight(), 30);
  EXPECT_FLOAT_EQ(list->fGetHitArea()->fGetHeight(), 90.0f);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetRadius(), 12.0f);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetEnd1().x, 108.0f);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetEnd1().y, -41.0f);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetEnd2().y, 41.0f);
  EXPECT_FLOAT_EQ(list->fGetSelectionBar()->fGetWidth(), 240.0f);
  EXPECT_FLOAT_EQ(list->fGetSelectionBar()->fGetHeight(), 20.0f);
  list->fSetSliderDistance(12);
  EXPECT_EQ(list->fGetSliderDistance(), 12);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetPosition().x, 120.0f + 15.0f + 12.0f);

  // Rows of no height: a press selects nothing, drawing stays defined.
  EXPECT_EQ(list->fSetVisibleCount(200), 1);
  EXPECT_EQ(list->fGetRowHeight(), 0);
  moveTo(*list, 400, 300);
  press(*list);
  release(*list);
  EXPECT_EQ(list->fGetSelected(), 0);
  list->fRender();
  list->fSetSize(0, 0);
  list->fRender();
  EXPECT_EQ(list->fSetInsetDivisor(3), 1);
  list->fSetSize(30, 30);
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetRadius(), 10.0f);
}

TEST_F(ListBox, DestructionGivesEveryPictureBackOnce) {
  list->fSetFontColor(0xFF112233u);
  EXPECT_EQ(list->fGetFont()->fGetColor(), 0xFF112233u);
  list.reset();
  EXPECT_EQ(gui_test::fReleaseCount(listTexture), 1);
  EXPECT_EQ(gui_test::fReleaseCount(panelTexture), 1);
  EXPECT_EQ(gui_test::fReleaseCount(sliderTexture), 1);
  EXPECT_EQ(gui_test::fReleaseCount(fontPage()), 1);

  // Without pictures and font: the default texture everywhere, nothing drawn for text.
  QC_GUI_LISTBOX plain(6);
  EXPECT_EQ(plain.fGetFont(), nullptr);
  EXPECT_EQ(plain.fGetSelectionBar()->fGetTexture(), render->fGetDefaultTexture());
  EXPECT_LT(plain.fGetScroller()->fGetEnd2().y, plain.fGetScroller()->fGetEnd1().y);  // runs upward
  plain.fAddItem("a");
  plain.fSetFontColor(0xFFFFFFFFu);
  moveTo(plain, 0, 0);
  plain.fRender();
  EXPECT_FALSE(quads().empty());
}

}  // namespace
