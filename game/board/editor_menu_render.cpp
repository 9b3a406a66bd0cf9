// Drawing the editor menu: the back and buttons, the suit boxes with their names, the text boxes
// with their captions and task kinds, and the tile picker (open) or the picked tile (closed).
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "game/board/editor_menu.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"

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

void Caption(QOR::QC_FONT* font, float x, float y, const wchar_t* text) {
  font->fPrintW(QOR::fTruncateToInt(x), QOR::fTruncateToInt(y), L"%ls", text);
}

}  // namespace

void EDITOR_MENU::RenderTaskRow(int row, float labelY) {
  const QOR::QS_VEC2 first = taskValueBoxes[0]->fGetPosition();
  Caption(font, first.x, labelY, kTaskCaptions[row]);
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
  for (int k = 0; k < MAHJONG_FACES::kSuitCount; ++k) {
    suitBoxes[k]->fRender();
    Caption(font, 30.0f, 610.0f + 20.0f * static_cast<float>(k), kSuitNames[k]);
  }
  levelNameBox->fRenderAll();
  for (int row = 0; row < 2; ++row) RenderTaskRow(row, taskValueBoxes[row]->fGetPosition().y - 35.0f);

  backgroundBox->fRenderAll();
  const QOR::QS_VEC2 background = backgroundBox->fGetPosition();
  Caption(font, background.x, background.y - 35.0f, kBackgroundCaption);
  specialsBox->fRenderAll();
  const QOR::QS_VEC2 specials = specialsBox->fGetPosition();
  Caption(font, specials.x, specials.y - 35.0f, kSpecialsCaption);

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
