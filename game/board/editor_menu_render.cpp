// Drawing the editor menu: the back and buttons, the suit boxes with their names, the text boxes
// with their captions and task kinds, and the tile picker (open) or the picked tile (closed). The
// captions are laid out to stay inside the menu's column.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "game/board/editor_menu.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"

#include <algorithm>

namespace {

// Captions in English and Russian, as the designers know them.
constexpr const wchar_t* kSuitNames[MAHJONG_FACES::kSuitCount] = {
    L"-digits\u0446\u0438\u0444\u0440\u044b",           L"-dots\u0442\u043e\u0447\u043a\u0438",
    L"-bamboo\u0431\u0430\u043c\u0431\u0443\u043a\u0438", L"-dragons\u0434\u0440\u0430\u043a\u043e\u043d\u044b",
    L"-winds\u0432\u0435\u0442\u0440\u0430",             L"-flowers\u0446\u0432\u0435\u0442\u044b",
    L"-seasons\u0441\u0435\u0437\u043e\u043d\u044b"};
constexpr const wchar_t* kTaskCaptions[2] = {L"task 1 \u0443\u0441\u043b\u043e\u0432\u0438\u0435 1",
                                             L"task 2 \u0443\u0441\u043b\u043e\u0432\u0438\u0435 2"};
constexpr const wchar_t kBackgroundCaption[] = L"Bgnd\u0417\u0430\u0434\u043d\u0438\u043a";
constexpr const wchar_t kSpecialsCaption[] =
    L"Specs\u041a\u043e\u043b\u0438\u0447\u0435\u0441\u0442\u0432\u043e\n"
    L"\u0441\u043f\u0435\u0446\u0444\u0438\u0448\u0435\u043a";

// The captions are drawn smaller than the boxes' text: the menu's font is the board's large one.
constexpr float kCaptionScale = 0.7f;

// The rows a line's glyphs cover, from the top of the line at scale 1.
void InkRows(const QOR::QC_FONT& font, const std::wstring& line, int& top, int& bottom) {
  top = 0;
  bottom = 0;
  bool any = false;
  for (wchar_t c : line) {
    const QOR::QC_GLYPH* glyph = font.fFindGlyph(static_cast<int>(c));
    if (glyph == nullptr) continue;
    top = any ? std::min(top, glyph->_yOffset) : glyph->_yOffset;
    bottom = any ? std::max(bottom, glyph->_yOffset + glyph->_height) : glyph->_yOffset + glyph->_height;
    any = true;
  }
}

// A caption at its place: one entry per line, each scaled to end inside the column, the lines
// stacked upward so the last one stands at the place and none overlaps the next.
void AddCaption(std::vector<EDITOR_MENU::CAPTION>& captions, QOR::QC_FONT& font, float x, float y,
                const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find(L'\n'); ; end = text.find(L'\n', start)) {
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  const float room = EDITOR_MENU::kMenuRight - EDITOR_MENU::kCaptionMargin - x;
  std::vector<EDITOR_MENU::CAPTION> block;
  float scale = kCaptionScale;
  for (const std::wstring& line : lines) {
    const int width = font.fGetLineWidthW(line.c_str());
    if (width > 0 && static_cast<float>(width) * scale > room) scale = std::max(room, 0.0f) / static_cast<float>(width);
  }
  float lineY = y;
  int nextTop = 0;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    int top = 0;
    int bottom = 0;
    InkRows(font, *line, top, bottom);
    if (line != lines.rbegin()) lineY -= static_cast<float>(bottom - nextTop) * scale;
    nextTop = top;
    block.insert(block.begin(), EDITOR_MENU::CAPTION{*line, x, lineY, scale});
  }
  captions.insert(captions.end(), block.begin(), block.end());
}

}  // namespace

std::vector<EDITOR_MENU::CAPTION> EDITOR_MENU::Captions() const {
  std::vector<CAPTION> captions;
  if (font == nullptr) return captions;
  for (int k = 0; k < MAHJONG_FACES::kSuitCount; ++k) {
    AddCaption(captions, *font, 30.0f, 610.0f + 20.0f * static_cast<float>(k), kSuitNames[k]);
  }
  const float taskX = taskValueBoxes[0]->fGetPosition().x;
  for (int row = 0; row < 2; ++row) {
    AddCaption(captions, *font, taskX, taskValueBoxes[row]->fGetPosition().y - 35.0f, kTaskCaptions[row]);
  }
  const QOR::QS_VEC2 background = backgroundBox->fGetPosition();
  AddCaption(captions, *font, background.x, background.y - 35.0f, kBackgroundCaption);
  const QOR::QS_VEC2 specials = specialsBox->fGetPosition();
  AddCaption(captions, *font, specials.x, specials.y - 35.0f, kSpecialsCaption);
  return captions;
}

void EDITOR_MENU::RenderTaskRow(int row) {
  taskValueBoxes[row]->fRenderAll();
  QOR::QC_SPRITE* icons[kKindCount] = {timeIcon, moneyIcon, movesIcon};
  for (int kind = 0; kind < kKindCount; ++kind) {
    QOR::QC_IMAGE_CHECKBOX* box = taskKindBoxes[row][kind];
    box->fRender();
    const QOR::QS_VEC2 at = box->fGetPosition();
    icons[kind]->fRenderAt(at.x + 30.0f, at.y + 5.0f, 0.0f, 1.0f, 1.0f);
  }
}

void EDITOR_MENU::Render() {
  menuBack->fRender();
  modeMarker->fRender();
  for (QOR::QC_IMAGE_BUTTON* button : {saveButton, loadButton, layerUpButton, layerDownButton, bonusModeButton,
                                       specialModeButton, normalModeButton, clearButton, pickerButton}) {
    button->fRender();
  }
  for (QOR::QC_IMAGE_CHECKBOX* box : suitBoxes) box->fRender();
  levelNameBox->fRenderAll();
  for (int row = 0; row < 2; ++row) RenderTaskRow(row);
  backgroundBox->fRenderAll();
  specialsBox->fRenderAll();
  for (const CAPTION& caption : Captions()) {
    font->fSetScale(caption.scale);
    font->fPrintW(QOR::fTruncateToInt(caption.x), QOR::fTruncateToInt(caption.y), L"%ls", caption.text.c_str());
  }
  font->fSetScale(1.0f);

  if (!pickerOpen) {
    // The picker button shows the tile new chips take.
    const QOR::QS_VEC2 at = pickerButton->fGetPosition();
    if (pickedType >= 0 && pickedType < kPickerSlots) {
      pickerSlots[pickedType]->fGetImage()->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
    }
    return;
  }
  tooltipBubble->fRender();
  for (QOR::QC_IMAGE_BUTTON* slot : pickerSlots) slot->fRender();
}
