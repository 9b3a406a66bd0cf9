// The text box driven through the real input object: a long text scrolled and kept whole, the
// length limit, click columns, editing, the blink clock, the narrow text, drawing, and sizes that
// would divide by zero.
#include "gui/widgets/qc_gui_textbox.h"
#include "tests/gui/gui_test_kit.h"
#include "tests/kit/log_capture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace QOR;
using gui_test::WidgetTest;

namespace {

constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kBackspace = 8;
constexpr int kDelete = 46;

class TextBox : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    typeface = font();
    // 200 x 40 at (300, 200) with a 20-pixel line height: (200 - 2 * 10) / 20 = 9 characters.
    box = std::make_unique<QC_GUI_TEXTBOX>(2, typeface.get(), texture(200, 40));
    box->fSetPosition(300.0f, 200.0f, 0.0f);
  }
  void TearDown() override {
    box.reset();
    WidgetTest::TearDown();
  }

  int tick() {
    QS_GUI_EVENT* result = box->fUpdateAll();
    script.age();
    return result != nullptr ? result->_event : 0;
  }
  int key(int k) {
    script.down(k);
    const int e = tick();
    script.up(k);
    return e;
  }
  void typeText(const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) key(*k);
  }
  // Press and release in two ticks; returns the press tick's event and keeps the release's.
  int click(int x, int y) {
    script.move(x, y);
    script.down(1);
    const int e = tick();
    script.up(1);
    released = tick();
    return e;
  }

  // The quads a box draws, each as its four corners (what was recorded before is dropped).
  std::vector<std::array<QS_VERTEX, 4>> quadsOf(QC_GUI_TEXTBOX& drawn) {
    draws();
    drawn.fRender();
    std::vector<std::array<QS_VERTEX, 4>> quads;
    for (const auto& draw : draws()) {
      for (std::size_t i = 0; (i + 3) * draw.stride < draw.vertices.size(); i += 4) {
        std::array<QS_VERTEX, 4> quad;
        for (std::size_t k = 0; k < 4; ++k) {
          std::memcpy(&quad[k], draw.vertices.data() + (i + k) * draw.stride, sizeof(QS_VERTEX));
        }
        quads.push_back(quad);
      }
    }
    return quads;
  }
  static float middleY(const std::array<QS_VERTEX, 4>& quad) {
    float top = quad[0].y;
    float bottom = quad[0].y;
    for (const QS_VERTEX& v : quad) {
      top = std::min(top, v.y);
      bottom = std::max(bottom, v.y);
    }
    return (top + bottom) / 2.0f;
  }

  std::unique_ptr<QC_FONT> typeface;
  std::unique_ptr<QC_GUI_TEXTBOX> box;
  int released = 0;
};

TEST_F(TextBox, ReportsOnlyClicksAndScrollsALongTextKeepingItWhole) {
  EXPECT_EQ(box->fGetTypeCode(), 2);
  EXPECT_EQ(click(300, 200), QE_GUI_DOWN);
  EXPECT_TRUE(box->isActive());
  EXPECT_EQ(released, QE_GUI_UP);  // the release while active
  EXPECT_EQ(tick(), 0);
  // 180 pixels between the margins hold 22 letters of 8; thirty are typed and kept.
  const std::string typed = "ABCDEFGHIJKLMNOPQRSTUVXYZABCDE";
  for (char k : typed) EXPECT_EQ(key(k), 0);
  EXPECT_EQ(box->fGetText(), L"abcdefghijklmnopqrstuvxyzabcde");
  EXPECT_EQ(box->fGetCaretIndex(), 30);
  // The box shows the text's end with the caret behind it, all inside its margins.
  const auto shownText = [&] {
    std::vector<float> lefts;
    for (const auto& quad : quadsOf(*box)) lefts.push_back(quad[0].x);
    return lefts;
  };
  std::vector<float> lefts = shownText();
  // The background, 22 letters and the caret in its blink's shown half.
  ASSERT_EQ(lefts.size(), 1u + 22u + (box->isCaretShown() ? 1u : 0u));
  EXPECT_EQ(box->fGetFirstShown(), 8);
  EXPECT_GT(lefts[1], lefts[0]) << "right of the box's left edge";
  EXPECT_LE(lefts[22] + 8.0f - lefts[1], 180.0f) << "the letters shown fit between the margins";
  // Erasing from the end brings earlier letters back into the room freed: 25 letters show 22.
  for (int i = 0; i < 5; ++i) key(kBackspace);
  EXPECT_EQ(box->fGetFirstShown(), 3);
  typeText("ABCDE");
  // Back to the start, the start is shown again.
  for (int i = 0; i < 30; ++i) key(kLeft);
  EXPECT_EQ(box->fGetCaretIndex(), 0);
  lefts = shownText();
  EXPECT_EQ(box->fGetFirstShown(), 0);
  // A click counts columns from the first character shown.
  for (int i = 0; i < 30; ++i) key(kRight);
  shownText();
  click(210, 200);  // (210 - 300 + 100) / 20 = 0: the first shown
  EXPECT_EQ(box->fGetCaretIndex(), 8);
  // Typing up to the length limit; beyond it a character is refused and told.
  box->fSetMaxLength(31);
  key('F');
  qor_test::LogCapture log;
  key('G');
  EXPECT_EQ(box->fGetText().size(), 31u);
  EXPECT_TRUE(log.contains("Text box 2 is full (31 characters)"));
  // Inactive, it takes nothing.
  click(10, 10);
  EXPECT_FALSE(box->isActive());
  box->fSetMaxLength(QC_GUI_TEXTBOX::kDefaultMaxLength);
  key('Z');
  EXPECT_EQ(box->fGetText().size(), 31u);
}

TEST_F(TextBox, ClickPlacesTheCaretByColumn) {
  box->fSetTextA("abcd");
  click(205, 200);  // the left margin
  EXPECT_EQ(box->fGetCaretIndex(), 0);
  click(245, 200);  // (245 - 300 + 100) / 20 = 2
  EXPECT_EQ(box->fGetCaretIndex(), 2);
  click(395, 200);  // right of the last character
  EXPECT_EQ(box->fGetCaretIndex(), 4);
  key('X');
  EXPECT_EQ(box->fGetText(), L"abcdx");
}

TEST_F(TextBox, EditingKeys) {
  box->fSetTextA("abcdefghijkl");
  click(205, 200);
  for (int i = 0; i < 14; ++i) key(kRight);
  EXPECT_EQ(box->fGetCaretIndex(), 12);  // never right of the text
  key(kBackspace);
  EXPECT_EQ(box->fGetText(), L"abcdefghijk");
  EXPECT_EQ(box->fGetCaretIndex(), 11);
  key(kLeft);
  key(kLeft);
  key(kDelete);
  EXPECT_EQ(box->fGetText(), L"abcdefghik");
  EXPECT_EQ(box->fGetCaretIndex(), 9);
  key('Q');
  EXPECT_EQ(box->fGetText(), L"abcdefghiqk");
  box->fClearText();
  key(kBackspace);
  key(kDelete);
  key(kLeft);
  EXPECT_EQ(box->fGetCaretIndex(), 0);
  EXPECT_TRUE(box->fGetText().empty());
}

TEST_F(TextBox, KeysWithoutACharacterOrWithAMousePressInsertNothing) {
  click(300, 200);
  for (int k : {112, 9, 27}) key(k);  // a function key; Tab and Escape make control codes
  EXPECT_TRUE(box->fGetText().empty());
  EXPECT_EQ(box->fGetCaretIndex(), 0);
  script.down(2);  // the right mouse button goes down in the same tick as a key
  key('M');
  script.up(2);
  EXPECT_TRUE(box->fGetText().empty());
  key('M');
  EXPECT_EQ(box->fGetText(), L"m");
}

TEST_F(TextBox, BlinkClockRunsAlwaysAndTheCaretShowsTheFirstHalfSecond) {
  qcFrameTime = 0.25f;
  std::string shown;
  for (int i = 0; i < 8; ++i) {
    tick();  // inactive: the clock runs anyway
    shown += box->isCaretShown() ? '1' : '0';
  }
  // 0.25 shown, 0.5 and 0.75 hidden, 1.0 starts over keeping the state, ...
  EXPECT_EQ(shown, "10001000");
}

TEST_F(TextBox, NarrowTextInOneSharedBuffer) {
  EXPECT_EQ(box->fGetTextA(), nullptr);
  EXPECT_EQ(box->fGetTextW(), nullptr);
  box->fSetTextA("lv12");
  const char* first = box->fGetTextA();
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first, "lv12");
  EXPECT_EQ(std::wstring(box->fGetTextW()), L"lv12");
  QC_GUI_TEXTBOX other(9, typeface.get(), texture(100, 20));
  other.fSetTextA("zz");
  EXPECT_STREQ(other.fGetTextA(), "zz");  // replaces the previous result
  // Bytes above 127 widen as signed values; the narrow form is UTF-8, not the locale's.
  box->fSetTextA("\xE9");
  EXPECT_EQ(box->fGetText(), std::wstring(1, static_cast<wchar_t>(0xFFE9)));
  EXPECT_STREQ(box->fGetTextA(), "\xEF\xBF\xA9");
}

TEST_F(TextBox, CharacterOperations) {
  EXPECT_EQ(box->fAppendChar(L'a'), 0);
  EXPECT_EQ(box->fInsertChar(L'b', 0), 0);
  EXPECT_EQ(box->fInsertChar(L'c', 99), 0);  // clamped to the end
  EXPECT_EQ(box->fGetText(), L"bac");
  EXPECT_EQ(box->fDeleteChar(true), 1);  // the caret is at 0
  EXPECT_EQ(box->fDeleteChar(false), 0);
  EXPECT_EQ(box->fGetText(), L"ac");
  box->fSetTextA("ab   ");
  box->fTrimRight();
  EXPECT_EQ(box->fGetText(), L"ab");
  box->fSetTextA("abcdefghi");
  box->fSetMaxLength(9);
  EXPECT_EQ(box->fAppendChar(L'z'), 1);
  EXPECT_EQ(box->fInsertChar(L'z', 0), 1);
  // A shorter text pulls the caret back inside it.
  click(395, 200);
  EXPECT_EQ(box->fGetCaretIndex(), 9);
  box->fSetTextA("ab");
  EXPECT_EQ(box->fGetCaretIndex(), 2);
}

TEST_F(TextBox, SizesThatWouldDivideByZeroAreClamped) {
  auto flat = font(0);  // a line height of 0: the cell is 0 wide
  QC_GUI_TEXTBOX box0(5, flat.get(), texture(100, 20));
  EXPECT_EQ(box0.fGetCellWidth(), 0);
  box0.fSetPosition(50.0f, 50.0f, 0.0f);
  box0.fSetTextA("abc");
  script.move(60, 50);
  script.down(1);
  box0.fUpdateAll();
  script.age();
  script.up(1);
  EXPECT_EQ(box0.fGetCaretIndex(), 3);  // one-pixel columns: (60 - 50 + 50) / 1, at most the end
  // No margins, and a box of no width, show nothing and divide by nothing.
  box->fSetTextA("abc");
  box->fSetMarginDivisor(0)->fSetSize(-50, 0);
  box->fRender();
  box->fSetSpacing(-20);
  box->fRender();
  EXPECT_EQ(box->fGetText(), L"abc");
}

TEST_F(TextBox, SizeAndSpacingChangeWhatIsShownAndWhereClicksLand) {
  box->fSetSize(400, 0);
  EXPECT_FLOAT_EQ(box->fGetWidth(), 400.0f);
  EXPECT_FLOAT_EQ(box->fGetHeight(), 40.0f);
  // The widened box takes clicks over all of it: (100, 180)..(500, 220).
  EXPECT_EQ(click(490, 200), QE_GUI_DOWN);
  EXPECT_EQ(click(110, 200), QE_GUI_DOWN);
  EXPECT_EQ(click(505, 200), 0);
  // 360 pixels between the margins: 45 letters of 8, or 30 with a spacing of 4.
  box->fSetTextA(std::string(45, 'a').c_str());
  click(490, 200);
  for (int i = 0; i < 45; ++i) key(kRight);
  box->fRender();
  EXPECT_EQ(box->fGetFirstShown(), 0);
  box->fSetSpacing(4);
  box->fRender();
  EXPECT_EQ(box->fGetFirstShown(), 15);
  box->fSetFont(nullptr);
  EXPECT_EQ(box->fGetCellWidth(), 1);
}

TEST_F(TextBox, NullFontIsLoggedAndLeavesAnInertBox) {
  qor_test::LogCapture log;
  QC_GUI_TEXTBOX broken(6, nullptr, texture(100, 20));
  EXPECT_TRUE(log.hasLine("QC_GUI_TEXTBOX constructor ERROR"));
  script.move(0, 0);
  script.down(1);
  EXPECT_EQ(broken.fUpdateAll(), nullptr);
  broken.fRender();
  EXPECT_FLOAT_EQ(broken.fGetWidth(), 0.0f);
  broken.fSetSize(10, 10);
}

TEST_F(TextBox, FontLoadingByNameIsReported) {
  qor_test::LogCapture log;
  box->fLoadFont("fonts/any.xml");
  EXPECT_TRUE(log.hasLine("Error loading font."));
  QC_GUI_TEXTBOX plain(7);
  EXPECT_EQ(plain.fGetFont(), nullptr);
  EXPECT_EQ(plain.fGetCellWidth(), 1);
  EXPECT_FLOAT_EQ(plain.fGetWidth(), 16.0f);  // the renderer's default texture
  log.clear();
  plain.fLoadFont("fonts/any.xml");
  EXPECT_FALSE(log.contains("Error loading font."));
}

TEST_F(TextBox, DrawsTheTextLiterallyAndTheCaretOnlyWhileActive) {
  auto quadsDrawn = [&]() {
    std::vector<QS_VERTEX> corners;
    for (const auto& quad : quadsOf(*box)) corners.push_back(quad[0]);
    return corners;
  };
  box->fSetTextA("a%b");
  draws();
  EXPECT_EQ(quadsDrawn().size(), 4u);  // background, 'a', '%', 'b'; no caret while inactive
  click(205, 200);  // caret at 0, shown in the first half second
  ASSERT_TRUE(box->isCaretShown());
  const auto quads = quadsDrawn();
  ASSERT_EQ(quads.size(), 5u);  // background, 'a', the caret, '%', 'b'
  EXPECT_FLOAT_EQ(quads[2].x, quads[1].x - 5.0f);
  EXPECT_FLOAT_EQ(quads[3].x, quads[1].x + 8.0f);
  EXPECT_FLOAT_EQ(quads[4].x, quads[1].x + 14.0f);
  // The line stands in the middle of the box, wherever the font's page puts its pivot (here the
  // first glyph, 1 x 1, puts it at the top): a 16-pixel glyph of a 20-pixel line is centred within
  // 2 pixels of the box's middle.
  pugi::xml_document description;
  ASSERT_TRUE(description.load_string(
      "<font><common lineHeight=\"20\"/><chars count=\"2\"><char id=\"1\" x=\"0\" y=\"0\" width=\"1\" "
      "height=\"1\"/><char id=\"97\" x=\"0\" y=\"0\" width=\"8\" height=\"16\"/></chars></font>"));
  QC_FONT pinned(description.child("font"), fontPage(), 600);
  QC_GUI_TEXTBOX centred(8, &pinned, texture(200, 40));
  centred.fSetPosition(300.0f, 200.0f, 0.0f);
  centred.fSetTextA("a");
  const auto letter = quadsOf(centred);
  ASSERT_EQ(letter.size(), 2u);  // the background and the letter
  EXPECT_NEAR(middleY(letter[1]), middleY(letter[0]), 2.0f);
  EXPECT_EQ(typeface->fGetAlign(), 1);
  typeface->fSetAlign(0);
  quadsDrawn();
  EXPECT_EQ(typeface->fGetAlign(), 0);  // restored after drawing

  QC_GUI_TEXTBOX plain(7);
  plain.fSetTextA("abc");
  plain.fRender();
  EXPECT_TRUE(draws().empty());  // nothing without a font, not even the background
}

}  // namespace
