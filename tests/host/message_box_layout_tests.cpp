// The message box's layout across screens and window places: wholly on the screen, centred over
// its window unless that would cut it, its buttons under the text, the text whole and in order on
// lines that fit, broken at blanks (in a word only when it is wider than a line), and a text too
// long for the screen cut with a last line "...".
#include "host/src/message_box_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using host_detail::BOX_RECT;

// The X box's fixed font: 6 pixels a character, lines 15 apart.
const host_detail::BOX_FONT kFont{[](const std::u32string& line) { return static_cast<int>(line.size()) * 6; }, 15};

std::u32string wide(const std::string& text) { return std::u32string(text.begin(), text.end()); }

bool inside(const BOX_RECT& a, const BOX_RECT& b) {
  return a.x >= b.x && a.y >= b.y && a.x + a.width <= b.x + b.width && a.y + a.height <= b.y + b.height;
}

// Centred on centre, else moved just onto the screen's margin.
bool placed(int start, int size, int centre, int low, int span) {
  const int first = low + host_detail::kBoxScreenMargin;
  const int last = low + span - host_detail::kBoxScreenMargin - size;
  const int centred = centre - size / 2;
  if (centred >= first && centred <= last) return start - centred <= 1 && centred - start <= 1;
  return start == (centred < first ? first : last);
}

TEST(MessageBoxLayout, WrapsToTheScreenAndStandsOverItsWindowWhollyOnTheScreen) {
  // The editor's box for a level the game refuses, saved under a name of 200 letters.
  const std::u32string refusal = wide(
      "Level saved to /home/ann/Documents/Greyfern/Lantern Tiles/levels/" + std::string(200, 'q') +
      ".xml, but the game will not play it: the deal cannot pair 4 of its 6 tiles (tiles stacked with none beside "
      "them, or fixed faces without a match).\n\nSave it again once it is mended.");
  std::u32string lines500;
  for (int i = 0; i < 500; ++i) lines500 += wide("line " + std::to_string(i) + "\n");
  const struct {
    std::u32string text;
    int buttons;
    BOX_RECT screen;
    std::optional<BOX_RECT> over;
  } cases[] = {
      {refusal, 1, {0, 0, 1280, 1024}, BOX_RECT{10, 112, 1260, 800}},  // over the editor
      {refusal, 1, {0, 0, 800, 600}, BOX_RECT{0, 0, 800, 600}},        // over a full-screen game
      {wide("Quit without saving them?"), 2, {0, 0, 1280, 1024}, BOX_RECT{900, 300, 1024, 768}},  // off to the right
      {refusal, 2, {0, 0, 1280, 1024}, BOX_RECT{-700, -500, 1024, 768}},                          // off the top left
      {refusal, 2, {1280, 0, 800, 600}, std::nullopt},  // no window: the middle of a second screen
      {lines500, 1, {0, 0, 800, 600}, BOX_RECT{0, 0, 800, 600}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(&c - cases));
    const host_detail::BOX_LAYOUT layout = fLayOutBox(c.text, c.buttons, kFont, c.screen, c.over ? &*c.over : nullptr);
    const BOX_RECT& box = layout.window;
    const int border = 2 * host_detail::kBoxBorder;
    const BOX_RECT outer{box.x, box.y, box.width + border, box.height + border};
    const BOX_RECT over = c.over.value_or(c.screen);
    EXPECT_TRUE(inside(outer, c.screen));
    EXPECT_TRUE(placed(outer.x, outer.width, over.x + over.width / 2, c.screen.x, c.screen.width)) << outer.x;
    EXPECT_TRUE(placed(outer.y, outer.height, over.y + over.height / 2, c.screen.y, c.screen.height)) << outer.y;
    ASSERT_EQ(layout.buttons.size(), static_cast<std::size_t>(c.buttons));
    for (const BOX_RECT& button : layout.buttons) {
      EXPECT_TRUE(inside(button, BOX_RECT{0, 0, box.width, box.height}));
      EXPECT_GE(button.y, layout.textY + static_cast<int>(layout.lines.size()) * kFont.lineHeight);
    }

    // Each line is the text's next run; a line that ends inside a word is a full line of it.
    const int textWidth = box.width - 2 * layout.textX;
    const bool cut = &c == &cases[5];
    std::size_t at = 0;
    for (std::size_t i = 0; i + (cut ? 1 : 0) < layout.lines.size(); ++i) {
      const std::u32string& line = layout.lines[i];
      ASSERT_LE(kFont.width(line), textWidth);
      ASSERT_EQ(c.text.compare(at, line.size(), line), 0) << "line " << i << " is not the text's next";
      at += line.size();
      if (at < c.text.size() && c.text[at] != U' ' && c.text[at] != U'\n') {
        EXPECT_EQ(line.find(U' '), std::u32string::npos) << "line " << i << " breaks a word";
        EXPECT_GT(kFont.width(line + c.text[at]), textWidth) << "line " << i << " breaks early";
      }
      while (at < c.text.size() && c.text[at] == U' ') ++at;
      if (at < c.text.size() && c.text[at] == U'\n') ++at;
    }
    EXPECT_TRUE(cut ? layout.lines.back() == U"..." : at == c.text.size()) << "the text's end is not told";
  }
}

}  // namespace
