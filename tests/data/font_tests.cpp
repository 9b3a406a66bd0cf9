// The bitmap fonts parse as the engine reads them, their glyphs lie on their pages, and they cover
// every character of strings.xml and of player names in Latin and Cyrillic.
#include "tests/data/data_fixture.h"
#include "tests/data/strings_table.h"

#include "tools/data/resource_layout.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <set>

namespace {

using qor_test::fResourceBytes;

struct FONT_CASE {
  const char* description;
  std::vector<const char*> pages;
};

const std::vector<FONT_CASE>& fonts() {
  static const std::vector<FONT_CASE> kFonts = {
      {QOR::kRegularFontFnt, {QOR::kRegularFontPng}},
      {QOR::kBoldFontFnt, {QOR::kBoldFontPng, QOR::kBoldFontStrokePng}},
      {QOR::kBigFontFnt, {QOR::kBigFontPng}},
      {"TrebuchetMSREGULAR.fnt", {"TrebuchetMSREGULAR_0.png"}},
  };
  return kFonts;
}

// Every character a font must draw: the texts of strings.xml, printable ASCII, the Russian
// alphabet and the common typographic punctuation of names.
std::set<unsigned> neededCharacters() {
  std::set<unsigned> needed;
  for (unsigned c = 0x20; c < 0x7F; ++c) needed.insert(c);
  for (unsigned c = 0x410; c <= 0x44F; ++c) needed.insert(c);
  for (unsigned c : {0x401u, 0x451u, 0x2013u, 0x2014u, 0x2026u, 0x2019u, 0x201Cu, 0x201Du, 0xABu, 0xBBu}) needed.insert(c);
  qor_test::QS_STRINGS_TABLE table;
  EXPECT_TRUE(qor_test::fReadStringsTable(fResourceBytes("strings.xml"), table));
  for (const auto& [key, text] : table.rows)
    for (wchar_t c : pugi::as_wide(text))
      if (c != L'\n') needed.insert(static_cast<unsigned>(c));
  return needed;
}

TEST(DataFonts, DescriptionsParseAndGlyphsLieOnTheirPages) {
  for (const FONT_CASE& font : fonts()) {
    pugi::xml_document document;
    const std::string bytes = fResourceBytes(font.description);
    ASSERT_TRUE(document.load_buffer(bytes.data(), bytes.size())) << font.description;
    const pugi::xml_node root = document.child("font");
    EXPECT_GT(root.child("common").attribute("lineHeight").as_int(), 0) << font.description;
    EXPECT_FALSE(root.child("pages").first_child().attribute("file").empty()) << font.description;
    std::vector<qor_test::QS_PICTURE_INFO> pages;
    for (const char* page : font.pages) {
      qor_test::QS_PICTURE_INFO info;
      std::string why;
      ASSERT_TRUE(qor_test::fDecodePicture(fResourceBytes(page), info, why)) << page << ": " << why;
      pages.push_back(info);
    }
    // Pages that share one description must share its coordinates.
    for (const auto& page : pages) {
      EXPECT_EQ(page.width, pages[0].width) << font.description;
      EXPECT_EQ(page.height, pages[0].height) << font.description;
    }
    int count = 0;
    std::set<int> ids;
    for (pugi::xml_node c = root.child("chars").first_child(); c; c = c.next_sibling("char")) {
      ++count;
      const int id = c.attribute("id").as_int();
      EXPECT_TRUE(ids.insert(id).second) << font.description << " repeats glyph " << id;
      const int x = c.attribute("x").as_int();
      const int y = c.attribute("y").as_int();
      const int w = c.attribute("width").as_int();
      const int h = c.attribute("height").as_int();
      EXPECT_TRUE(x >= 0 && y >= 0 && w >= 0 && h >= 0 && x + w <= pages[0].width && y + h <= pages[0].height)
          << font.description << " glyph " << id << " lies off its page";
    }
    EXPECT_EQ(count, root.child("chars").attribute("count").as_int()) << font.description;
    EXPECT_GT(root.child("chars").find_child_by_attribute("char", "id", "32").attribute("width").as_int(), 0)
        << font.description << ": a blank must advance the pen";
  }
}

TEST(DataFonts, FontsCoverTheTextsAndPlayerNames) {
  const std::set<unsigned> needed = neededCharacters();
  for (const FONT_CASE& font : fonts()) {
    pugi::xml_document document;
    const std::string bytes = fResourceBytes(font.description);
    ASSERT_TRUE(document.load_buffer(bytes.data(), bytes.size()));
    std::set<unsigned> have;
    for (pugi::xml_node c : document.child("font").child("chars").children("char"))
      have.insert(c.attribute("id").as_uint());
    std::string missing;
    for (unsigned c : needed)
      if (have.count(c) == 0) missing += " U+" + std::to_string(c);
    EXPECT_TRUE(missing.empty()) << font.description << " lacks" << missing;
  }
}

}  // namespace
