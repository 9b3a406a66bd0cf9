// The text widgets: where and what the narrow and the wide label draw (literally, percent signs
// included), their sizes, and what they give back when destroyed.
#include "gui/widgets/qc_gui_label.h"
#include "gui/widgets/qc_gui_wlabel.h"
#include "tests/gui/forms/forms_test_kit.h"
#include "tests/kit/log_capture.h"

#include <memory>

using namespace QOR;
using forms_test::FormWidgetTest;
using forms_test::fQuads;

namespace {

class Labels : public FormWidgetTest {
 protected:
  // The glyphs a render drew, as page u of each quad's left edge times the page width.
  std::vector<int> drawnGlyphX(QC_GUI_OBJECT& label) {
    draws();
    label.fRender();
    std::vector<int> xs;
    for (const QS_VERTEX& v : fQuads(draws())) xs.push_back(static_cast<int>(std::lround(v.u * gui_test::kPageWidth)));
    return xs;
  }
};

TEST_F(Labels, NarrowLabelDrawsItsTextLiterallyAtItsTruncatedWorldPosition) {
  auto typeface = font();
  QC_GUI_LABEL label(1, typeface.get(), "ab%d%");
  EXPECT_EQ(label.fGetTypeCode(), 7);
  EXPECT_EQ(label.fUpdate(), nullptr);
  EXPECT_FLOAT_EQ(label.fGetWidth(), 0.0f);
  EXPECT_FLOAT_EQ(label.fGetHeight(), 0.0f);
  // 'a', 'b', '%', 'd', '%': nothing is taken as a conversion.
  EXPECT_EQ(drawnGlyphX(label), (std::vector<int>{0, 8, 234, 24, 234}));

  // World position (10.9, -3.7) through a parent: drawn at (10, -3).
  QC_GUI_OBJECT parent(0);
  parent.fSetPosition(10.0f, -4.0f, 0.0f);
  auto* single = new QC_GUI_LABEL(2, typeface.get(), "a");
  single->fSetAlign(QC_SPRITE::kAnchorTopLeft);
  single->fSetPosition(0.9f, 0.3f, 0.0f);
  parent.fAddControl(single);
  single->fRender();
  const QS_VEC2 at = typeface->fGetPage()->fGetTransform()->fGetPosition();
  EXPECT_FLOAT_EQ(at.x, 10.0f);
  EXPECT_FLOAT_EQ(at.y, -3.0f);
}

TEST_F(Labels, NarrowLabelWithoutFontDrawsNothingAndAnOwnFontGoesBackWithIt) {
  QC_GUI_LABEL none(1, nullptr, "abc");
  EXPECT_TRUE(drawnGlyphX(none).empty());

  auto own = std::make_unique<QC_GUI_LABEL>(2, fontNode(), fontPage(), nullptr);
  ASSERT_NE(own->fGetFont(), nullptr);
  EXPECT_EQ(own->fGetFont()->fGetAlign(), 0);
  EXPECT_STREQ(own->fGetText(), "");
  own->fSetOwnText("xyz");
  EXPECT_EQ(drawnGlyphX(*own).size(), 3u);
  own.reset();
  EXPECT_EQ(gui_test::fReleaseCount(fontPage()), 1);

  // A caller's font is only borrowed: its page is not given back.
  auto typeface = font();
  { QC_GUI_LABEL borrowed(3, typeface.get(), "a"); }
  EXPECT_EQ(gui_test::fReleaseCount(fontPage()), 1);

  qor_test::LogCapture log;
  none.fLoadFont(fontNode(), fontPage());
  EXPECT_TRUE(log.hasLine("Error loading font."));
}

TEST_F(Labels, WideLabelMeasuresItsFirstLineAndDrawsInItsFrame) {
  auto typeface = font();
  QC_GUI_WLABEL label(5, typeface.get(), L"ab\nabcd");
  EXPECT_EQ(label.fGetTypeCode(), 12);
  EXPECT_FLOAT_EQ(label.fGetWidth(), 16.0f);
  EXPECT_FLOAT_EQ(label.fGetHeight(), 20.0f);
  EXPECT_EQ(label.fUpdate(), nullptr);

  label.fSetText(L"a%s%");
  label.fSetAlign(QC_SPRITE::kAnchorTopLeft);
  label.fSetPosition(300.0f, 200.0f, 0.0f);
  EXPECT_EQ(drawnGlyphX(label), (std::vector<int>{0, 234, 144, 234}));
  // The page was placed in the label's frame only for the call; the font keeps its alignment.
  EXPECT_EQ(typeface->fGetPage()->fGetTransform()->_parent, nullptr);
  EXPECT_EQ(typeface->fGetAlign(), 1);

  QC_GUI_WLABEL empty(6);
  EXPECT_FLOAT_EQ(empty.fGetWidth(), 0.0f);
  EXPECT_FLOAT_EQ(empty.fGetHeight(), 0.0f);
  EXPECT_TRUE(drawnGlyphX(empty).empty());
}

TEST_F(Labels, WideLabelGivesBackThePageOfTheFontItMade) {
  auto label = std::make_unique<QC_GUI_WLABEL>(5, fontNode(), fontPage(), L"abc");
  label->fSetTextId(42);
  label->fSetFontName("font.xml");
  EXPECT_EQ(label->fGetTextId(), 42);
  EXPECT_EQ(label->fGetFontName(), "font.xml");
  EXPECT_EQ(drawnGlyphX(*label).size(), 3u);
  label.reset();
  EXPECT_EQ(gui_test::fReleaseCount(fontPage()), 1);
}

}  // namespace
