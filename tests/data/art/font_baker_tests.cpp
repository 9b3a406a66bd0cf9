// The font baker: rectangles the engine can draw with the game's letter spacings, the anchor
// glyph, the stroke page beside the fill page, and the same bytes on every run.
#include "tests/data/art/image_probe.h"
#include "tests/kit/scratch_folder.h"
#include "tools/data/art/qc_canvas.h"
#include "tools/data/fonts/font_steps.h"
#include "tools/data/fonts/qc_font_baker.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

QOR::QS_FONT_RECIPE recipe(int padding, double stroke) {
  QOR::QS_FONT_RECIPE r;
  r.fontFile = QOR::ART::fFontFile(QOR::ART::ART_FONT::SANS_BOLD);
  r.pixelSize = 20;
  r.padding = padding;
  r.strokeOutline = stroke;
  r.verticalDivisor = 2.0;
  return r;
}

TEST(FontBaker, RectanglesGiveTheAdvanceBackUnderTheGamesSpacing) {
  QOR::QS_BAKED_FONT font;
  ASSERT_TRUE(QOR::fBakeFont(recipe(8, 0.0), {'A', 'W', 'i', ' ', 0x416, 0x4E00}, font));
  // The anchor glyph comes first and the missing CJK character is left out.
  ASSERT_EQ(font.glyphs.size(), 6u);
  EXPECT_EQ(font.glyphs.front().id, 1u);
  EXPECT_EQ(font.glyphs.front().width, 1);
  EXPECT_EQ(font.glyphs.front().height, 1);
  for (const QOR::QS_BAKED_GLYPH& g : font.glyphs) {
    EXPECT_GE(g.x, 0);
    EXPECT_GE(g.y, 0);
    EXPECT_LE(g.x + g.width, font.pageWidth);
    EXPECT_LE(g.y + g.height, font.pageHeight);
    // Drawn with spacing -8, the pen moves at least by the glyph's own advance.
    if (g.id != 1) {
      EXPECT_GE(g.width - 8, g.xadvance) << g.id;
    }
  }
  // A space is drawable (it moves the pen) and has no ink.
  bool space = false;
  for (const QOR::QS_BAKED_GLYPH& g : font.glyphs) space = space || (g.id == ' ' && g.width > 0);
  EXPECT_TRUE(space);
}

TEST(FontBaker, DescriptionParsesTheWayTheEngineReadsIt) {
  QOR::QS_BAKED_FONT font;
  ASSERT_TRUE(QOR::fBakeFont(recipe(3, 2.0), QOR::fFontCharacters(), font));
  const std::string xml = QOR::fFontDescription(font, {"bold_0.png"});
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  const pugi::xml_node root = doc.child("font");
  EXPECT_EQ(root.child("common").attribute("lineHeight").as_int(), font.lineHeight);
  EXPECT_STREQ(root.child("pages").first_child().attribute("file").as_string(), "bold_0.png");
  const pugi::xml_node chars = root.child("chars");
  int count = 0;
  for (pugi::xml_node c = chars.first_child(); c; c = c.next_sibling("char")) ++count;
  EXPECT_EQ(count, chars.attribute("count").as_int());
  EXPECT_STREQ(chars.first_child().name(), "char");
  EXPECT_EQ(chars.first_child().attribute("id").as_int(), 1);
  // Latin, Cyrillic and the punctuation of names are all there.
  EXPECT_GT(count, 400);
  // The stroke page has the same size and holds dark outline pixels where the fill page is clear.
  ASSERT_EQ(font.strokePage.size(), font.page.size());
  int outlineOnly = 0;
  for (std::size_t i = 3; i < font.page.size(); i += 4) {
    if (font.page[i] == 0 && font.strokePage[i] > 200 && font.strokePage[i - 3] < 60) ++outlineOnly;
  }
  EXPECT_GT(outlineOnly, 1000);
}

TEST(FontBaker, TheStepWritesEveryFontTheSameWayTwice) {
  qor_test::ScratchDir one;
  qor_test::ScratchDir two;
  ASSERT_TRUE(one.fCreate("qor_art_fonts_one_"));
  ASSERT_TRUE(two.fCreate("qor_art_fonts_two_"));
  ASSERT_EQ(QOR::fMakeFonts(one.fPath()), 0);
  ASSERT_EQ(QOR::fMakeFonts(two.fPath()), 0);
  for (const QOR::QS_FONT_FILES& files : QOR::fFontFiles()) {
    const auto description = qor_test::fFileBytes(one.fPath() / files.description);
    ASSERT_FALSE(description.empty()) << files.description;
    EXPECT_EQ(description, qor_test::fFileBytes(two.fPath() / files.description));
    for (const std::string& page : files.pages) {
      const qor_test::QS_IMAGE image = qor_test::fReadImage(one.fPath() / page);
      EXPECT_TRUE(image.isValid()) << page;
      EXPECT_EQ(qor_test::fFileBytes(one.fPath() / page), qor_test::fFileBytes(two.fPath() / page)) << page;
    }
  }
}

TEST(FontBaker, AFaceThatCannotBeOpenedFailsCleanly) {
  QOR::QS_FONT_RECIPE bad = recipe(0, 0.0);
  bad.fontFile = "/nonexistent/font.ttf";
  QOR::QS_BAKED_FONT font;
  EXPECT_FALSE(QOR::fBakeFont(bad, {'A'}, font));
  EXPECT_FALSE(QOR::fWritePage({1, 2, 3}, 4, 4, "/tmp/never.png"));
}

}  // namespace
