// Where a message box's text, buttons and window go: the text wrapped to fit the screen, the box
// centred over its owner's window and kept wholly on the screen. A pure function of the text, a
// measure of its lines, the screen and the owner's place, so it is tested without a display.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace host_detail {

struct BOX_RECT {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The font's part in the layout: the width in pixels of a line, and the height of one.
struct BOX_FONT {
  std::function<int(const std::u32string&)> width;
  int lineHeight = 0;
};

struct BOX_LAYOUT {
  // The lines shown, top down; a text too long for the screen ends with the line "...".
  std::vector<std::u32string> lines;
  // The box's window on the screen (inside its border of kBoxBorder pixels on every side).
  BOX_RECT window;
  // Where the first line's top-left corner lies in the window; each next line is a line lower.
  int textX = 0;
  int textY = 0;
  // The buttons in the window, OK first.
  std::vector<BOX_RECT> buttons;
};

inline constexpr int kBoxBorder = 1;
// What the box leaves free at the screen's edges (a desktop's panels).
inline constexpr int kBoxScreenMargin = 20;
// The text's widest line, for a screen wide enough: longer lines read badly.
inline constexpr int kBoxReadableWidth = 640;

// Lays out a box of text with buttonCount buttons (1 or 2) on screen, centred over `over` (the
// owner's window in screen pixels; a null or empty one centres the box on the screen). Lines break
// at the text's line breaks and wrap at blanks; a word longer than a line breaks between its
// characters.
BOX_LAYOUT fLayOutBox(const std::u32string& text, int buttonCount, const BOX_FONT& font, const BOX_RECT& screen,
                      const BOX_RECT* over);

}  // namespace host_detail
