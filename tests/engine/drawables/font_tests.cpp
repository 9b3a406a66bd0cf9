// The bitmap font on the recording device: loading a description (and malformed ones), measuring,
// alignment, multi-line and wide text, scale, the print entries and drawing in a frame.
#include "engine/render/qc_font.h"
#include "tests/engine/drawables/drawables_test_kit.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace QOR;
using drawables_test::FontDocument;
using drawables_test::RecordingRenderer;

namespace {

class Font : public RecordingRenderer {
 protected:
  void SetUp() override {
    RecordingRenderer::SetUp();
    page = drawables_test::fLoadPage(*render);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->fGetWidth(), drawables_test::kPageWidth);
    ASSERT_NE(page, render->fGetDefaultTexture());
  }

  std::unique_ptr<QC_FONT> makeFont(const std::string& xml = drawables_test::fFontXml(), int bufferSize = 600) {
    const FontDocument description(xml);
    auto font = std::make_unique<QC_FONT>(description.font(), page, bufferSize);
    host_test::fRecordedCalls().clear();
    return font;
  }

  // Top-left corners of the glyph quads drawn since the last look.
  std::vector<std::pair<float, float>> glyphCorners() {
    const auto v = drawn();
    std::vector<std::pair<float, float>> corners;
    for (std::size_t i = 0; i + 3 < v.size(); i += 4) corners.emplace_back(v[i].x, v[i].y);
    return corners;
  }

  QC_TEXTURE_INFO* page = nullptr;
};

void expectCorner(const std::pair<float, float>& corner, float x, float y) {
  EXPECT_NEAR(corner.first, x, 1e-3f);
  EXPECT_NEAR(corner.second, y, 1e-3f);
}

TEST_F(Font, LoadsGlyphRectanglesAndPlacesThePivotInTheLowestGlyphsCell) {
  qor_test::LogCapture log;
  auto font = makeFont();
  EXPECT_FALSE(log.contains("error loading font"));
  EXPECT_FALSE(log.contains("not concide"));
  EXPECT_EQ(font->fGetGlyphCount(), 5);
  EXPECT_EQ(font->fGetLineHeight(), 10);
  EXPECT_EQ(font->fGetDefaultAdvance(), 20);
  EXPECT_EQ(font->fGetAlign(), 1);
  const QC_GLYPH* a = font->fFindGlyph('A');
  ASSERT_NE(a, nullptr);
  EXPECT_FLOAT_EQ(a->_rightU, 10.0f / 64.0f);
  EXPECT_FLOAT_EQ(a->_bottomV, 10.0f / 32.0f);
  ASSERT_NE(font->fFirstGlyph(), nullptr);
  EXPECT_EQ(font->fFirstGlyph()->_id, 32);
  // The page sprite takes the lowest glyph's cell (4 x 10) and its integer centre as the pivot.
  QC_SPRITE* sprite = font->fGetPage();
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->fGetPageWidth(), 4);
  EXPECT_EQ(sprite->fGetPageHeight(), 10);
  EXPECT_FLOAT_EQ(sprite->fGetTransform()->_pivot.x, 2.0f);
  EXPECT_FLOAT_EQ(sprite->fGetTransform()->_pivot.y, 5.0f);
}

TEST_F(Font, DrawsLinesOfGlyphsRelativeToThePivot) {
  auto font = makeFont();
  font->fSetColor(0xFF112233u);
  EXPECT_EQ(font->fGetColor(), 0xFF112233u);
  font->fDrawText(100, 50, "AB\nB");
  const auto v = drawn();
  ASSERT_EQ(v.size(), 12u);
  // A at (100, 50 + yoffset 1) less the pivot (2, 5); B after A's 6 pixels; the second line
  // one line height lower.
  EXPECT_NEAR(v[0].x, 98.0f, 1e-3f);
  EXPECT_NEAR(v[0].y, 46.0f, 1e-3f);
  EXPECT_NEAR(v[2].x, 104.0f, 1e-3f);
  EXPECT_NEAR(v[2].y, 56.0f, 1e-3f);
  EXPECT_FLOAT_EQ(v[0].u, 4.0f / 64.0f);
  EXPECT_FLOAT_EQ(v[2].v, 10.0f / 32.0f);
  EXPECT_EQ(v[1].color.fGetARGB(), 0xFF112233u);
  EXPECT_NEAR(v[4].x, 104.0f, 1e-3f);
  EXPECT_NEAR(v[4].y, 47.0f, 1e-3f);
  EXPECT_NEAR(v[8].x, 98.0f, 1e-3f);
  EXPECT_NEAR(v[8].y, 57.0f, 1e-3f);
  // All glyphs of the page go through one draw call.
  EXPECT_EQ(render->fGetFlushCount(), 1u);

  // An empty text draws nothing; a character without a glyph draws nothing but still advances
  // narrow text by the spacing.
  font->fDrawText(0, 0, "");
  font->fDrawText(0, 0, nullptr);
  EXPECT_TRUE(drawn().empty());
  font->_spacing = 3;
  font->fDrawText(100, 50, "zA");
  const auto corners = glyphCorners();
  ASSERT_EQ(corners.size(), 1u);
  expectCorner(corners[0], 101.0f, 46.0f);
}

TEST_F(Font, MeasuresTheFirstLine) {
  auto font = makeFont();
  EXPECT_EQ(font->fGetLineWidth("AB"), 14);
  EXPECT_EQ(font->fGetLineWidth("A\nBBB"), 6);
  EXPECT_EQ(font->fGetLineWidthW(L"AB"), 14);
  EXPECT_EQ(font->fGetLineWidthW(L"A\u0416"), 16);
  EXPECT_EQ(font->fGetCharWidth(0x416), 10);
  EXPECT_EQ(font->fGetFixedWidthW(L"AB\nCDE"), 40);
  EXPECT_EQ(font->fGetLineLength("ABC\nD"), 3);
  EXPECT_EQ(font->fCountLines(""), 1);
  EXPECT_EQ(font->fCountLines("A\n"), 2);
  EXPECT_EQ(font->fCountLinesW(L"A\nB\nC"), 3);
  EXPECT_EQ(font->fGetLineWidth(nullptr), 0);
  EXPECT_EQ(font->fCountLinesW(nullptr), 1);
  // With spacing: narrow text counts it for characters without a glyph too; wide text does not.
  font->_spacing = 2;
  EXPECT_EQ(font->fGetLineWidth("AzB"), 20);
  EXPECT_EQ(font->fGetLineWidthW(L"AzB"), 18);
  EXPECT_EQ(font->fGetFixedWidthW(L"AB"), 44);
  // A byte above 127 is a negative code and finds no glyph.
  EXPECT_EQ(font->fGetLineWidth("\xC1"), 2);
}

TEST_F(Font, ScaleMovesTheWideAdvanceAndTheOffsetButNotTheNarrowAdvance) {
  auto font = makeFont();
  font->fSetScale(2.0f);
  EXPECT_EQ(font->fGetLineWidthW(L"AB"), 28);
  EXPECT_EQ(font->fGetLineWidth("AB"), 14);
  font->fDrawTextW(100, 50, L"AB");
  auto corners = glyphCorners();
  ASSERT_EQ(corners.size(), 2u);
  // A at (100, 50 + 2 * 1) less twice the pivot; B 12 pixels further (twice A's width).
  expectCorner(corners[0], 96.0f, 42.0f);
  expectCorner(corners[1], 108.0f, 44.0f);
  font->fDrawText(100, 50, "AB");
  corners = glyphCorners();
  ASSERT_EQ(corners.size(), 2u);
  expectCorner(corners[1], 102.0f, 44.0f);
}

TEST_F(Font, AlignmentOffsetsOfNarrowAndWideText) {
  auto font = makeFont();
  // Right alignment: the narrow line starts at x, the wide line ends at x.
  font->fSetAlign(2);
  EXPECT_EQ(font->fGetOffsetX("AB"), 0);
  EXPECT_EQ(font->fGetOffsetXW(L"AB"), -14);
  font->fDrawTextW(100, 50, L"AB");
  auto corners = glyphCorners();
  ASSERT_EQ(corners.size(), 2u);
  expectCorner(corners[0], 84.0f, 46.0f);  // 100 - 14 - pivot 2
  font->fSetAlign(8);
  EXPECT_EQ(font->fGetOffsetX("AB"), -14);
  EXPECT_EQ(font->fGetOffsetXW(L"AB"), -14);

  // Centred: half the width to the left; one line moves up by a quarter of its height.
  font->fSetAlign(0);
  EXPECT_EQ(font->fGetOffsetX("ABB"), -11);  // truncate(22 * -0.5)
  EXPECT_EQ(font->fGetOffsetXW(L"A"), -3);
  EXPECT_EQ(font->fGetOffsetY("AB"), -2);
  EXPECT_EQ(font->fGetOffsetYW(L"AB"), -2);
  // Three lines: narrow by 3/4 of a line height, wide by half the block (1.5 lines).
  EXPECT_EQ(font->fGetOffsetY("A\nB\nA"), -7);
  EXPECT_EQ(font->fGetOffsetYW(L"A\nB\nA"), -15);
  // Each line is centred on its own.
  font->fDrawText(100, 50, "AB\nA");
  corners = glyphCorners();
  ASSERT_EQ(corners.size(), 3u);
  expectCorner(corners[0], 91.0f, 41.0f);  // x 100 - 7 - 2, y 50 - 5 + 1 - 5
  expectCorner(corners[2], 95.0f, 51.0f);  // x 100 - 3 - 2, one line lower

  // Top-centre moves the text down by half its height; the other modes do not move it.
  font->fSetAlign(5);
  EXPECT_EQ(font->fGetOffsetY("A\nB"), 10);
  EXPECT_EQ(font->fGetOffsetYW(L"A\nB"), 10);
  for (const int mode : {1, 2, 3, 4, 6}) {
    font->fSetAlign(mode);
    EXPECT_EQ(font->fGetOffsetY("A\nB"), 0) << mode;
    EXPECT_EQ(font->fGetOffsetYW(L"A\nB"), 0) << mode;
  }
  font->fSetAlign(3);
  EXPECT_EQ(font->fGetOffsetX("AB"), 0);
  EXPECT_EQ(font->fGetOffsetXW(L"AB"), 0);
}

TEST_F(Font, WideTextDrawsCharactersBeyondEightBits) {
  auto font = makeFont();
  font->fDrawTextW(100, 50, L"A\u0416?B");
  const auto v = drawn();
  ASSERT_EQ(v.size(), 12u);
  // U+0416 after A; '?' has no glyph and does not move the pen.
  EXPECT_NEAR(v[4].x, 104.0f, 1e-3f);
  EXPECT_NEAR(v[4].y, 45.0f, 1e-3f);
  EXPECT_NEAR(v[6].x, 114.0f, 1e-3f);
  EXPECT_NEAR(v[6].y, 57.0f, 1e-3f);
  EXPECT_FLOAT_EQ(v[4].u, 20.0f / 64.0f);
  EXPECT_NEAR(v[8].x, 114.0f, 1e-3f);
}

TEST_F(Font, PrintFormatsIntoTheBuffersAndDraws) {
  auto font = makeFont();
  font->fPrint(10, 10, "%i%%", 100);
  EXPECT_STREQ(font->fGetText(), "100%");
  EXPECT_EQ(glyphCorners().size(), 1u);  // only '%' has a glyph
  font->fPrintW(10, 10, L"%05i", 42);
  EXPECT_STREQ(font->fGetTextW(), L"00042");
  font->fPrintW(10, 10, L"%5i|%3s", 42, L"ABBA");
  EXPECT_STREQ(font->fGetTextW(), L"   42|ABBA");
  font->fPrintW(10, 10, L"%i/%i", 3);
  EXPECT_STREQ(font->fGetTextW(), L"3/");
  // A localised text passed as the format asks for an argument nobody passed.
  font->fPrintW(10, 10, L"Score: %d %s!");
  EXPECT_STREQ(font->fGetTextW(), L"Score:  !");
  font->fPrint(10, 10, "%s and %d", 5);
  EXPECT_STREQ(font->fGetText(), " and ");
  drawn();

  // The narrow text is cut at buffer size - 5 characters, the wide text at buffer size - 1.
  auto small = makeFont(drawables_test::fFontXml(), 10);
  small->fPrint(0, 0, "ABABABABABAB");
  EXPECT_STREQ(small->fGetText(), "ABABA");
  small->fPrintW(0, 0, L"ABABABABABAB");
  EXPECT_STREQ(small->fGetTextW(), L"ABABABABA");
  auto tiny = makeFont(drawables_test::fFontXml(), 3);
  tiny->fPrint(0, 0, "AB");
  EXPECT_STREQ(tiny->fGetText(), "");
}

TEST_F(Font, PrintInAFrameDrawsInTheFramesWorldAndPutsTheAlignmentBack) {
  auto font = makeFont();
  QS_TRANSFORM3 owner;
  owner.fSetPosition(300.0f, 200.0f, 0.0f);
  QS_TRANSFORM3 frame;
  frame.fSetPosition(20.0f, 10.0f, 0.0f);
  frame.fSetParent(&owner);
  font->fSetAlign(1);
  font->fPrintWInFrame(&frame, 0, L"A%%B");
  EXPECT_STREQ(font->fGetTextW(), L"A%B");
  EXPECT_EQ(font->fGetAlign(), 1);
  EXPECT_EQ(font->fGetPage()->fGetTransform()->_parent, nullptr);
  const auto corners = glyphCorners();
  ASSERT_EQ(corners.size(), 3u);
  // Centred on (320, 210): the line is 19 wide, so it starts 9 to the left; one line moves up 2.
  expectCorner(corners[0], 320.0f - 9.0f - 2.0f, 210.0f - 2.0f + 1.0f - 5.0f);
  // A conversion in the text finds no argument and prints nothing.
  font->fPrintWInFrame(&frame, 1, L"%d%s%f|");
  EXPECT_STREQ(font->fGetTextW(), L"|");
  font->fPrintWInFrame(nullptr, 1, L"A");
  EXPECT_TRUE(glyphCorners().empty());
}

TEST_F(Font, ACountThatDisagreesIsLoggedAndTheGlyphsStay) {
  qor_test::LogCapture log;
  auto fewer = makeFont(drawables_test::fFontXml(
      "<common lineHeight=\"10\"/>", "count=\"3\""));
  EXPECT_TRUE(log.hasLine(" Count chars 5 not concide with chars count"));
  EXPECT_EQ(fewer->fGetGlyphCount(), 5);
  EXPECT_NE(fewer->fFindGlyph(37), nullptr);
  auto missing = makeFont(drawables_test::fFontXml("<common lineHeight=\"10\"/>", ""));
  EXPECT_EQ(missing->fGetGlyphCount(), 5);
  EXPECT_FALSE(log.contains("error loading font"));
}

TEST_F(Font, AMalformedDescriptionGivesAnEmptyFontThatDrawsNothing) {
  const std::string noChars = "<font><common lineHeight=\"12\"/><chars count=\"0\"/></font>";
  const std::string notXml = "<font><common lineHeight=";
  for (const std::string& xml : {noChars, notXml, std::string("")}) {
    qor_test::LogCapture log;
    auto font = makeFont(xml);
    EXPECT_TRUE(log.hasLine("error loading font")) << xml;
    EXPECT_EQ(font->fGetGlyphCount(), 0);
    EXPECT_EQ(font->fGetDefaultAdvance(), 0);
    EXPECT_EQ(font->fGetLineWidthW(L"AB"), 0);
    EXPECT_EQ(font->fGetFixedWidthW(L"AB"), 0);
    EXPECT_EQ(font->fGetLineWidth("AB"), 0);
    font->fSetAlign(0);
    font->fPrint(10, 10, "%d AB", 4);
    font->fPrintW(10, 10, L"%d AB", 4);
    font->fSetColor(0xFF00FF00u);
    EXPECT_TRUE(glyphCorners().empty());
  }

  // A page without a size cannot place a glyph: the font fails clearly instead of dividing by 0.
  qor_test::LogCapture log;
  const FontDocument description(drawables_test::fFontXml());
  QC_FONT font(description.font(), nullptr, 600);
  EXPECT_TRUE(log.hasLine("error loading font"));
  EXPECT_EQ(font.fGetGlyphCount(), 0);
  font.fPrintW(0, 0, L"AB");
  EXPECT_TRUE(glyphCorners().empty());
}

TEST_F(Font, MissingOrHostileAttributesReadAsNumbersThatDrawSafely) {
  // No lineHeight, a glyph without attributes but its id, a negative size, a duplicate code,
  // sizes at the int limit.
  const std::string xml =
      "<font><chars count=\"5\">"
      "<char id=\"65\"/>"
      "<char id=\"66\" x=\"0\" y=\"0\" width=\"-5\" height=\"-5\"/>"
      "<char id=\"67\" x=\"2147483647\" y=\"2147483647\" width=\"2147483647\" height=\"2147483647\" "
      "yoffset=\"2147483647\"/>"
      "<char id=\"68\" x=\"0\" width=\"4\" height=\"4\"/>"
      "<char id=\"68\" x=\"8\" width=\"6\" height=\"4\"/>"
      "</chars></font>";
  qor_test::LogCapture log;
  auto font = makeFont(xml);
  EXPECT_FALSE(log.contains("error loading font"));
  EXPECT_EQ(font->fGetGlyphCount(), 5);
  EXPECT_EQ(font->fGetLineHeight(), 0);
  EXPECT_EQ(font->fGetCharWidth('A'), 0);
  EXPECT_EQ(font->fGetCharWidth('B'), 0);
  // The later glyph with a code replaces the earlier one.
  EXPECT_EQ(font->fGetCharWidth('D'), 6);
  EXPECT_FLOAT_EQ(font->fFindGlyph('D')->_leftU, 8.0f / 64.0f);
  EXPECT_TRUE(std::isfinite(font->fFindGlyph('C')->_rightU));
  // Widths that would overflow saturate.
  EXPECT_EQ(font->fGetLineWidth("CCCC"), INT_MAX);
  EXPECT_EQ(font->fGetLineWidthW(L"CCCC"), INT_MAX);
  font->fSetAlign(0);
  EXPECT_EQ(font->fGetOffsetX("CCCC"), -1073741823);
  font->fDrawText(0, 0, "CC\nCC");
  font->fDrawTextW(0, 0, L"CC\nCC");
  // Zero line height: every line lands on the same y.
  font->fSetAlign(1);
  font->fDrawText(10, 10, "D\nD");
  const auto corners = glyphCorners();
  ASSERT_GE(corners.size(), 2u);
  EXPECT_FLOAT_EQ(corners[corners.size() - 1].second, corners[corners.size() - 2].second);
}

TEST_F(Font, DivisorsAndScalesFromDataCannotBreakTheOffsets) {
  auto font = makeFont();
  font->fSetAlign(0);
  font->_verticalDivisor = 0.0f;
  EXPECT_EQ(font->fGetOffsetY("AB"), -INT_MAX);
  EXPECT_EQ(font->fGetOffsetYW(L"AB"), INT_MIN);
  EXPECT_EQ(font->fGetOffsetYW(L"A\nB"), INT_MIN);
  font->_lineHeight = 0;
  EXPECT_EQ(font->fGetOffsetY("AB"), 0);  // 0 / 0 is no number: no offset
  font->_lineHeight = INT_MAX;
  font->_verticalDivisor = 4.0f;
  font->fSetAlign(5);
  EXPECT_EQ(font->fGetOffsetY("A\nB\nC"), INT_MAX);
  font->fDrawText(0, 0, "A\nB\nC");
  font->fSetScale(std::numeric_limits<float>::infinity());
  EXPECT_EQ(font->fGetLineWidthW(L"AB"), INT_MAX);
  font->fDrawTextW(0, 0, L"AB");
  drawn();
}

TEST_F(Font, TheUnsupportedWaysOfMakingAFontFailWithoutStopping) {
  qor_test::LogCapture log;
  QC_FONT font;
  EXPECT_EQ(font.fGetGlyphCount(), 0);
  EXPECT_EQ(font.fLoadFile("font.xml"), -1);
  EXPECT_TRUE(log.hasLine("Bad way loading font"));
  font.fPrint(0, 0, "%d", 1);
  font.fPrintW(0, 0, L"%d", 1);
  font.fPrintWInFrame(nullptr, 0, L"A");
  font.fSetColor(0xFFFFFFFFu);
  font.fSetScale(2.0f);
  EXPECT_EQ(font.fGetColor(), 0u);
  EXPECT_STREQ(font.fGetText(), "");
  EXPECT_EQ(font.fDrawChar('A', 0, 0), 0);
}

TEST_F(Font, ReloadingReplacesGlyphsAndPage) {
  auto font = makeFont();
  const FontDocument other(
      "<font><common lineHeight=\"20\"/><chars count=\"1\"><char id=\"90\" x=\"0\" y=\"0\" width=\"8\" "
      "height=\"8\"/></chars></font>");
  EXPECT_EQ(font->fLoad(other.font(), page), 1);
  EXPECT_EQ(font->fGetGlyphCount(), 1);
  EXPECT_EQ(font->fFindGlyph('A'), nullptr);
  EXPECT_EQ(font->fGetLineHeight(), 20);
  EXPECT_FLOAT_EQ(font->fGetPage()->fGetTransform()->_pivot.x, 4.0f);
}

}  // namespace
