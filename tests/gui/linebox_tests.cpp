// The line box driven through the real input object: focus by click and request, typing through
// the keyboard's text translation, caret keys, limits, the blink, the input area and drawing.
#include "gui/widgets/qc_gui_linebox.h"
#include "tests/gui/gui_test_kit.h"
#include "tests/kit/log_capture.h"

#include <cstring>
#include <memory>

using namespace QOR;
using gui_test::WidgetTest;

namespace {

constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kBackspace = 8;
constexpr int kDelete = 46;
constexpr int kHome = 36;
constexpr int kEnd = 35;
constexpr int kTab = 9;
constexpr int kShift = 16;

class LineBox : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    typeface = font();
    // 200 x 40 background at (300, 200): the default margins of 4 leave a 192 x 32 input area.
    box = std::make_unique<QC_GUI_LINEBOX>(3, texture(200, 40), typeface.get());
    box->fSetPosition(300.0f, 200.0f, 0.0f);
  }
  void TearDown() override {
    box.reset();
    WidgetTest::TearDown();
  }

  QS_GUI_EVENT* tick() {
    QS_GUI_EVENT* result = box->fUpdateAll();
    script.age();
    return result;
  }
  int event(QS_GUI_EVENT* result) { return result != nullptr ? result->_event : 0; }
  // A key pressed in one tick; its release arrives with the next messages.
  int key(int k) {
    script.down(k);
    const int e = event(tick());
    script.up(k);
    return e;
  }
  void typeText(const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) key(*k);
  }
  void focus() {
    script.move(300, 200);
    script.down(1);
    tick();
    script.up(1);
    tick();
  }

  std::unique_ptr<QC_FONT> typeface;
  std::unique_ptr<QC_GUI_LINEBOX> box;
};

TEST_F(LineBox, StartsEmptyInactiveAndUnlimited) {
  EXPECT_EQ(box->fGetTypeCode(), 3);
  EXPECT_TRUE(box->isEmpty());
  EXPECT_EQ(box->fGetMaxLength(), QC_GUI_LINEBOX::kUnlimited);
  EXPECT_EQ(box->fGetAlignment(), 7);
  EXPECT_FLOAT_EQ(box->fGetWidth(), 200.0f);
  EXPECT_FLOAT_EQ(box->fGetHitArea()->fGetWidth(), 192.0f);
  EXPECT_EQ(box->fGetFont(), typeface.get());
  // Unfocused, typing does nothing.
  EXPECT_EQ(key('A'), 0);
  EXPECT_TRUE(box->isEmpty());
}

TEST_F(LineBox, ClickInsideTakesTheFocusAndClickOutsideDropsIt) {
  script.move(300, 200);
  script.down(1);
  EXPECT_EQ(event(tick()), QE_GUI_DOWN);
  EXPECT_TRUE(box->isActive());
  script.up(1);
  EXPECT_EQ(tick(), nullptr);
  script.move(300, 218);  // on the background, below the input area
  script.down(1);
  EXPECT_EQ(tick(), nullptr);
  EXPECT_FALSE(box->isActive());
  EXPECT_FALSE(box->isCaretShown());
}

TEST_F(LineBox, TypedCharactersGoInAtTheCaretAndReportAChange) {
  focus();
  EXPECT_EQ(key('H'), QE_GUI_CHANGED);
  typeText("ELO");
  EXPECT_EQ(box->fGetText(), L"helo");
  EXPECT_EQ(box->fGetCaretPosition(), 4u);
  key(kLeft);
  EXPECT_EQ(key('L'), QE_GUI_CHANGED);
  EXPECT_EQ(box->fGetText(), L"hello");
  EXPECT_EQ(box->fGetCaretPosition(), 4u);  // behind the new character

  // A click and a character in the same tick report the change.
  script.down(1);
  script.down('S');
  EXPECT_EQ(event(tick()), QE_GUI_CHANGED);
  script.up(1);
  script.up('S');
  EXPECT_EQ(box->fGetText(), L"hellso");
}

TEST_F(LineBox, CaretKeysBackspaceAndDeleteEditWithoutReporting) {
  focus();
  typeText("ABC");
  EXPECT_EQ(key(kBackspace), 0);
  EXPECT_EQ(box->fGetText(), L"ab");
  key(kLeft);
  key(kLeft);
  key(kLeft);  // stays at 0
  EXPECT_EQ(box->fGetCaretPosition(), 0u);
  key(kBackspace);  // nothing before the caret
  EXPECT_EQ(box->fGetText(), L"ab");
  EXPECT_EQ(key(kDelete), 0);
  EXPECT_EQ(box->fGetText(), L"b");
  EXPECT_EQ(box->fGetCaretPosition(), 0u);  // delete never moves the caret
  key(kRight);
  key(kRight);  // stays at the end
  EXPECT_EQ(box->fGetCaretPosition(), 1u);
  key(kDelete);  // nothing at the end
  EXPECT_EQ(box->fGetText(), L"b");
  // Home, end, tab and the other system keys neither move the caret nor insert anything.
  EXPECT_EQ(key(kHome), 0);
  EXPECT_EQ(key(kEnd), 0);
  EXPECT_EQ(key(kTab), 0);
  EXPECT_EQ(key(13), 0);
  EXPECT_EQ(key(45), 0);
  EXPECT_EQ(box->fGetText(), L"b");
  EXPECT_EQ(box->fGetCaretPosition(), 1u);
}

TEST_F(LineBox, HeldKeyInsertsOnceAndExcludedCharactersNever) {
  focus();
  script.down('K');
  tick();
  tick();
  tick();
  EXPECT_EQ(box->fGetText(), L"k");
  script.up('K');
  box->fSetExcludedChars(L"x");
  EXPECT_FALSE(box->isCharAllowed(L'x'));
  EXPECT_EQ(key('X'), 0);
  EXPECT_EQ(box->fGetText(), L"k");
  // A key that makes no character (a function key) inserts nothing, nor do Tab and Escape with
  // their control codes, even in a font that draws them.
  const auto controls = font(20, {9, 27});
  box->fSetFont(controls.get());
  for (int k : {112, kTab, 27}) EXPECT_EQ(key(k), 0) << k;
  EXPECT_EQ(box->fGetText(), L"k");
}

TEST_F(LineBox, LengthLimitAndWidthLimit) {
  focus();
  box->fSetMaxLength(3);
  typeText("ABCD");
  EXPECT_EQ(box->fGetText(), L"abc");
  box->fSetMaxLength(0);
  EXPECT_EQ(box->fGetMaxLength(), QC_GUI_LINEBOX::kUnlimited);
  // 192 wide: a character needs room for itself twice beyond the text. 22 letters (176) fit;
  // a 23rd would need 176 + 16 = 192, which is not strictly less than the width.
  typeText("DEFGHIJKLMNOPQRSTUVW");
  EXPECT_EQ(box->fGetText().size(), 22u);
  EXPECT_EQ(key('Y'), 0);
  EXPECT_EQ(box->fGetText().size(), 22u);
  // A longer text is not cut by a smaller maximum.
  box->fSetMaxLength(5);
  EXPECT_EQ(box->fGetText().size(), 22u);
}

TEST_F(LineBox, AFullFieldTakesNoNarrowerLetterAfterARefusedOne) {
  focus();
  const auto typeWide = [&] {
    script.down(kShift);
    const int e = key('W');
    script.up(kShift);
    tick();
    return e;
  };
  // 19 letters (152): a 'W' (20 wide) needs 152 + 40, not less than 192, and is refused; an 'i'
  // would still find room for itself, but the field is full and takes nothing more.
  typeText("ABCDEFGHIJKLMNOPQRS");
  ASSERT_EQ(box->fGetText().size(), 19u);
  EXPECT_EQ(typeWide(), 0);
  EXPECT_TRUE(box->isFull());
  EXPECT_EQ(key('I'), 0);
  key(kLeft);
  EXPECT_EQ(key('I'), 0);
  EXPECT_EQ(box->fGetText(), L"abcdefghijklmnopqrs");
  // Erasing makes room again: the narrow letter goes in, and a wide one where it fits.
  key(kBackspace);
  EXPECT_FALSE(box->isFull());
  EXPECT_EQ(key('I'), QE_GUI_CHANGED);
  EXPECT_EQ(box->fGetText(), L"abcdefghijklmnopqis");
  box->fSetText(L"abc");
  EXPECT_EQ(typeWide(), QE_GUI_CHANGED);
  EXPECT_EQ(box->fGetText(), L"Wabc");
}

TEST_F(LineBox, SetTextChecksLengthAndWidthAndPutsTheCaretFirst) {
  box->fSetText(std::wstring(24, L'a'));  // exactly as wide as the input area
  EXPECT_EQ(box->fGetText().size(), 24u);
  EXPECT_EQ(box->fGetCaretPosition(), 0u);
  box->fSetText(std::wstring(25, L'a'));
  EXPECT_EQ(box->fGetText().size(), 24u);
  box->fSetMaxLength(2);
  box->fSetText(L"abc");
  EXPECT_EQ(box->fGetText().size(), 24u);
  box->fSetText(L"ab");
  EXPECT_EQ(box->fGetText(), L"ab");
  box->fSetCaretPosition(9);
  EXPECT_EQ(box->fGetCaretPosition(), 2u);
  box->fSetCaretPosition(-3);
  EXPECT_EQ(box->fGetCaretPosition(), 0u);
  box->fClearText();
  EXPECT_TRUE(box->isEmpty());
}

TEST_F(LineBox, FocusRequestTakesTheFocusEveryTick) {
  box->fSetFocusRequest(true);
  EXPECT_EQ(event(tick()), QE_GUI_FOCUS_REQUEST);
  EXPECT_TRUE(box->isActive());
  script.move(0, 0);
  script.down(1);  // a click outside cannot take it away
  EXPECT_EQ(event(tick()), QE_GUI_FOCUS_REQUEST);
  EXPECT_TRUE(box->isActive());
  script.up(1);
  EXPECT_EQ(key('Q'), QE_GUI_CHANGED);
  box->fSetFocusRequest(false);
  EXPECT_EQ(tick(), nullptr);
}

TEST_F(LineBox, CaretBlinksOnTheFrameTimeWhileActive) {
  qcFrameTime = 0.25f;
  box->fSetCaretBlinkTime(0.5f);
  focus();  // the click's key counts as typing: shown, countdown restarted, then one more tick
  std::string shown;
  for (int i = 0; i < 8; ++i) {
    tick();
    shown += box->isCaretShown() ? '1' : '0';
  }
  // Each phase lasts three ticks: two to count the half period down, one to flip.
  EXPECT_EQ(shown, "10001110");
  script.move(0, 0);
  script.down(1);
  tick();
  EXPECT_FALSE(box->isCaretShown());  // hidden at once without the focus
}

TEST_F(LineBox, InputAreaFollowsItsMarginsAndTheTextItsAlignment) {
  box->fSetInputArea(10.0f, 0.0f, 8.0f, 10.0f);  // the player-name entry's margins
  // The background spans (200, 180)..(400, 220); the area (210, 180)..(392, 210).
  QC_HIT_AREA* area = box->fGetHitArea();
  EXPECT_FLOAT_EQ(area->fGetWidth(), 182.0f);
  EXPECT_FLOAT_EQ(area->fGetHeight(), 30.0f);
  EXPECT_TRUE(area->isPointInside(211.0f, 181.0f));
  EXPECT_TRUE(area->isPointInside(391.0f, 209.0f));
  EXPECT_FALSE(area->isPointInside(209.0f, 195.0f));
  EXPECT_FALSE(area->isPointInside(393.0f, 195.0f));
  EXPECT_FALSE(area->isPointInside(300.0f, 211.0f));

  // The text starts half the font's default advance inside the area's left edge, or ends as far
  // inside its right edge.
  auto textX = [&]() { return box->fGetTextTransform()->fGetWorld(false, false, false)._position.x; };
  EXPECT_FLOAT_EQ(textX(), 220.0f);
  box->fSetAlignment(QC_SPRITE::kAnchorRightCentre);
  EXPECT_EQ(box->fGetAlignment(), 8);
  EXPECT_FLOAT_EQ(textX(), 382.0f);
  box->fSetAlignment(5);
  EXPECT_EQ(box->fGetAlignment(), 0);
  EXPECT_FLOAT_EQ(textX(), 301.0f);
  box->fSetAlignment(42);
  EXPECT_EQ(box->fGetAlignment(), 0);
}

TEST_F(LineBox, DrawsEveryCharacterLiterallyWithTheCaretBeforeItsIndex) {
  box->fSetText(L"a%b");
  box->fSetCaretPosition(2);
  box->fShowCaret(true);
  draws();
  box->fRender();
  std::vector<QS_VERTEX> quads;  // the first vertex of each quad drawn
  for (const auto& draw : draws()) {
    for (std::size_t i = 0; i * draw.stride < draw.vertices.size(); i += 4) {
      QS_VERTEX v;
      std::memcpy(&v, draw.vertices.data() + i * draw.stride, sizeof(QS_VERTEX));
      quads.push_back(v);
    }
  }
  // Background, then 'a', '%', the caret and 'b' on the font page.
  ASSERT_EQ(quads.size(), 5u);
  const float a = quads[1].x;
  EXPECT_FLOAT_EQ(quads[2].x, a + 8.0f);   // '%' after 'a'
  EXPECT_FLOAT_EQ(quads[3].x, a + 12.0f);  // the caret, 2 pixels before 'b'
  EXPECT_FLOAT_EQ(quads[4].x, a + 14.0f);  // 'b'
  EXPECT_NEAR(quads[3].u * gui_test::kPageWidth, 228.0f, 0.01f);  // the caret glyph
  EXPECT_EQ(typeface->fGetPage()->fGetTransform()->_parent, nullptr);  // left without a frame
}

TEST_F(LineBox, OwnFontIsMadeFromTheDescriptionAndReplacedSafely) {
  auto own = std::make_unique<QC_GUI_LINEBOX>(4, texture(100, 30), fontNode(), fontPage());
  ASSERT_NE(own->fGetFont(), nullptr);
  EXPECT_EQ(own->fGetFont()->fGetLineHeight(), 20);
  own->fSetFont(typeface.get());  // the own font is deleted, the caller's one is only borrowed
  EXPECT_EQ(own->fGetFont(), typeface.get());
  own.reset();
  EXPECT_EQ(typeface->fGetLineHeight(), 20);  // still alive
}

}  // namespace
