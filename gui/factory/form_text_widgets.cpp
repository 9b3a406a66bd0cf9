// Builders of the kinds that draw text: LABEL, WLABEL, LINEBOX and LISTBOX.
#include "gui/factory/form_builders.h"
#include "gui/widgets/qc_gui_label.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_gui_listbox.h"
#include "gui/widgets/qc_gui_wlabel.h"

#include <climits>
#include <cstring>

namespace QOR {

namespace {

// Form texts are UTF-8.
std::wstring fWideText(const char* utf8) { return pugi::as_wide(utf8 != nullptr ? utf8 : ""); }

}  // namespace

QC_GUI_OBJECT* fBuildLabel(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE", "FONT"})) return nullptr;
  const int id = element.fInt("ID");
  QC_TEXTURE_INFO* page = element.fImage("TEXTURE");
  auto* label = new QC_GUI_LABEL(id, element.fFont("FONT"), page, nullptr);
  label->fSetOwnText(element.fText("TEXT"));
  std::uint32_t colour = 0;
  if (element.fColor("FONT_COLOR", colour) && label->fGetFont() != nullptr) label->fGetFont()->fSetColor(colour);
  fApplyCommonKeys(label, element);
  return label;
}

QC_GUI_OBJECT* fBuildWideLabel(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "FONT_TEXTURE", "FONT"})) return nullptr;
  const int id = element.fInt("ID");
  QC_TEXTURE_INFO* page = element.fImage("FONT_TEXTURE");
  auto* label = new QC_GUI_WLABEL(id, element.fFont("FONT"), page, fWideText(element.fText("TEXT")));
  if (element.has("TEXT_ID")) label->fSetTextId(element.fInt("TEXT_ID"));
  label->fSetFontName(element.fText("FONT"));
  std::uint32_t colour = 0;
  if (element.fColor("FONT_COLOR", colour) && label->fGetFont() != nullptr) label->fGetFont()->fSetColor(colour);
  fApplyCommonKeys(label, element);
  return label;
}

QC_GUI_OBJECT* fBuildLinebox(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE", "FONT", "FONT_TEXTURE"})) return nullptr;
  const int id = element.fInt("ID");
  QC_TEXTURE_INFO* background = element.fImage("TEXTURE");
  const pugi::xml_node font = element.fFont("FONT");
  auto* box = new QC_GUI_LINEBOX(id, background, font, element.fImage("FONT_TEXTURE"));
  box->fSetFontName(element.fText("FONT"));
  fApplyCommonKeys(box, element);
  if (element.has("MAXLEN")) box->fSetMaxLength(element.fUnsigned("MAXLEN"));
  if (element.has("TEXT")) box->fSetText(fWideText(element.fText("TEXT")));
  float blink = 0.0f;
  if (element.has("CARRY_BLINK_TIME") && element.fFloat("CARRY_BLINK_TIME", 0.5f, blink)) {
    box->fSetCaretBlinkTime(blink);
  }
  std::uint32_t colour = 0;
  if (element.fColor("FONT_COLOR", colour) && box->fGetFont() != nullptr) box->fGetFont()->fSetColor(colour);
  if (element.has("ALIGNMENT")) {
    const char* alignment = element.fText("ALIGNMENT");
    box->fSetAlignment(std::strcmp(alignment, "RIGHT") == 0 ? 8 : (std::strcmp(alignment, "CENTER") == 0 ? 0 : 7));
  }
  float area[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (element.fGetNode().child("INPUT_AREA") && element.fChildFloats("INPUT_AREA", 4, area)) {
    box->fSetInputArea(area[0], area[1], area[2], area[3]);
  }
  return box;
}

QC_GUI_OBJECT* fBuildListbox(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "LIST_TEXTURE", "PANEL_TEXTURE", "SLIDER12_TEXTURE", "FONT", "FONT_TEXTURE"})) {
    return nullptr;
  }
  float distance = 0.0f;
  if (!element.fFloat("SLIDER_BTN_DIST", 1.5f, distance)) return nullptr;
  const int id = element.fInt("ID");
  QC_TEXTURE_INFO* list = element.fImage("LIST_TEXTURE");
  QC_TEXTURE_INFO* panel = element.fImage("PANEL_TEXTURE");
  QC_TEXTURE_INFO* slider = element.fImage("SLIDER12_TEXTURE");
  const pugi::xml_node font = element.fFont("FONT");
  // Without a description the list box makes no font and would never give its page back.
  QC_TEXTURE_INFO* page = font ? element.fImage("FONT_TEXTURE") : nullptr;
  auto* box = new QC_GUI_LISTBOX(id, list, panel, slider, font, page, distance);
  box->fSetFontName(element.fText("FONT"));
  fApplyCommonKeys(box, element);
  for (pugi::xml_node item = element.fGetNode().child("ITEMS").first_child(); item; item = item.next_sibling()) {
    if (item.type() == pugi::node_element) {
      box->fAddItem(item.text().get());
    } else if (item.type() == pugi::node_pcdata || item.type() == pugi::node_cdata) {
      box->fAddItem(item.value());
    }
  }
  if (element.has("VISIBLE_COUNT")) {
    // The row height divides the panel by the count.
    const unsigned count = element.fUnsigned("VISIBLE_COUNT");
    if (count < 1 || count > static_cast<unsigned>(INT_MAX) || box->fSetVisibleCount(static_cast<int>(count)) != 1) {
      element.fReport("VISIBLE_COUNT must be at least 1");
    }
  }
  int measure = 0;
  if (element.has("LEFT_MARGIN") && element.fMeasure("LEFT_MARGIN", measure)) box->fSetLeftMargin(measure);
  if (element.has("UPPER_MARGIN") && element.fMeasure("UPPER_MARGIN", measure)) box->fSetUpperMargin(measure);
  std::uint32_t colour = 0;
  if (element.fColor("FONT_COLOR", colour)) box->fSetFontColor(colour);
  if (element.has("SLIDER_DISTANCE") && element.fMeasure("SLIDER_DISTANCE", measure)) {
    box->fSetSliderDistance(measure);
  }
  return box;
}

}  // namespace QOR
