#include "host/src/message_box_layout.h"

#include <algorithm>

namespace host_detail {

namespace {

constexpr int kPadding = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr char32_t kCutMark[] = U"...";

bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }

// Adds the paragraph's lines, each at most limit pixels wide, to lines; stops once lines holds
// more than most (the rest would be cut anyway).
void wrap(const std::u32string& paragraph, int limit, const BOX_FONT& font, std::size_t most,
          std::vector<std::u32string>& lines) {
  if (paragraph.empty()) {
    lines.emplace_back();
    return;
  }
  std::size_t start = 0;
  while (start < paragraph.size() && lines.size() <= most) {
    // The longest run from start that fits, and the last blank inside it.
    std::size_t fit = start;
    std::size_t blank = std::u32string::npos;
    for (std::size_t end = start + 1; end <= paragraph.size(); ++end) {
      if (font.width(paragraph.substr(start, end - start)) > limit) break;
      fit = end;
      if (isBlank(paragraph[end - 1])) blank = end - 1;
    }
    if (fit == paragraph.size()) {
      lines.push_back(paragraph.substr(start));
      return;
    }
    // A character wider than a whole line still goes, alone.
    if (fit == start) fit = start + 1;
    std::size_t cut = fit;
    if (!isBlank(paragraph[fit]) && blank != std::u32string::npos && blank > start) cut = blank;
    std::size_t last = cut;
    while (last > start && isBlank(paragraph[last - 1])) --last;
    lines.push_back(paragraph.substr(start, last - start));
    start = cut;
    while (start < paragraph.size() && isBlank(paragraph[start])) ++start;
  }
}

// Where a side of length size starts so it is centred on centre, kept within [low, low + span)
// less the margin at either end where that leaves room.
int place(int centre, int size, int low, int span) {
  const int first = low + kBoxScreenMargin;
  const int last = low + span - kBoxScreenMargin - size;
  if (last < first) return low + std::max(0, (span - size) / 2);
  return std::clamp(centre - size / 2, first, last);
}

}  // namespace

BOX_LAYOUT fLayOutBox(const std::u32string& text, int buttonCount, const BOX_FONT& font, const BOX_RECT& screen,
                      const BOX_RECT* over) {
  BOX_LAYOUT layout;
  const int buttons = std::max(1, buttonCount);
  const int buttonsWidth = buttons * kButtonWidth + (buttons - 1) * kPadding;
  const int frame = 2 * kBoxBorder + 2 * kPadding;
  const int widest = std::max(buttonsWidth, screen.width - 2 * kBoxScreenMargin - frame);
  const int limit = std::min(kBoxReadableWidth, widest);
  const int lineHeight = std::max(1, font.lineHeight);
  // Lines the screen's height holds beside the padding and the buttons' row.
  const int textSpace = screen.height - 2 * kBoxScreenMargin - 2 * kBoxBorder - 3 * kPadding - kButtonHeight;
  const std::size_t most = static_cast<std::size_t>(std::max(0, textSpace / lineHeight));

  std::size_t start = 0;
  while (layout.lines.size() <= most) {
    const std::size_t end = text.find(U'\n', start);
    std::u32string paragraph = text.substr(start, end == std::u32string::npos ? std::u32string::npos : end - start);
    paragraph.erase(std::remove(paragraph.begin(), paragraph.end(), U'\r'), paragraph.end());
    wrap(paragraph, limit, font, most, layout.lines);
    // A break that ends the text opens no further line.
    if (end == std::u32string::npos || end + 1 == text.size()) break;
    start = end + 1;
  }
  if (layout.lines.size() > most) {
    layout.lines.resize(most);
    if (most > 0) layout.lines.back() = kCutMark;
  }

  int textWidth = 0;
  for (const std::u32string& line : layout.lines) textWidth = std::max(textWidth, font.width(line));
  const int lineCount = static_cast<int>(layout.lines.size());
  layout.window.width = std::max(std::min(textWidth, limit), buttonsWidth) + 2 * kPadding;
  layout.window.height = lineCount * lineHeight + (lineCount > 0 ? 3 : 2) * kPadding + kButtonHeight;
  layout.textX = kPadding;
  layout.textY = kPadding;

  const int outerWidth = layout.window.width + 2 * kBoxBorder;
  const int outerHeight = layout.window.height + 2 * kBoxBorder;
  const bool owned = over != nullptr && over->width > 0 && over->height > 0;
  const int centreX = owned ? over->x + over->width / 2 : screen.x + screen.width / 2;
  const int centreY = owned ? over->y + over->height / 2 : screen.y + screen.height / 2;
  layout.window.x = place(centreX, outerWidth, screen.x, screen.width);
  layout.window.y = place(centreY, outerHeight, screen.y, screen.height);

  const int buttonsX = (layout.window.width - buttonsWidth) / 2;
  const int buttonsY = layout.window.height - kPadding - kButtonHeight;
  for (int i = 0; i < buttons; ++i) {
    layout.buttons.push_back({buttonsX + i * (kButtonWidth + kPadding), buttonsY, kButtonWidth, kButtonHeight});
  }
  return layout;
}

}  // namespace host_detail
