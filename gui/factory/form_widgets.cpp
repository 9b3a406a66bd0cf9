// Builders of the picture and control kinds: IMAGE, BUTTON5, BUTTON2, PANEL, CHECKBOX,
// PROGRESS_BAR, ANIMATION_BAR, SLIDER12 and SLIDER13.
#include "gui/factory/form_builders.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_gui_button2.h"
#include "gui/widgets/qc_gui_button5.h"
#include "gui/widgets/qc_gui_checkbox5.h"
#include "gui/widgets/qc_gui_image.h"
#include "gui/widgets/qc_gui_panel.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "gui/widgets/qc_gui_slider12.h"
#include "gui/widgets/qc_gui_slider13.h"

namespace QOR {

QC_GUI_OBJECT* fBuildImage(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* image = new QC_GUI_IMAGE(element.fInt("ID"), element.fImage("TEXTURE"));
  fApplyCommonKeys(image, element);
  return image;
}

QC_GUI_OBJECT* fBuildButton5(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* button = new QC_GUI_BUTTON5(element.fInt("ID"), element.fImage("TEXTURE"));
  fApplyCommonKeys(button, element);
  // A disabled button also shows its inactive cell.
  if (element.has("ENABLE") && !element.fBool("ENABLE")) button->fDisable();
  fApplyScripts(button, element, QE_FORM_SCRIPT_POINTER);
  return button;
}

QC_GUI_OBJECT* fBuildButton2(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* button = new QC_GUI_BUTTON2(element.fInt("ID"), element.fImage("TEXTURE"));
  fApplyCommonKeys(button, element);
  return button;
}

QC_GUI_OBJECT* fBuildPanel(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* panel = new QC_GUI_PANEL(element.fInt("ID"), element.fImage("TEXTURE"));
  if (element.has("MOVABLE")) panel->fSetMovable(element.fBool("MOVABLE"));
  fApplyCommonKeys(panel, element);
  fApplyScripts(panel, element, QE_FORM_SCRIPT_POINTER | QE_FORM_SCRIPT_GRAB,
                [panel](QC_CALLBACK* callback) { panel->fSetGrabCallback(callback); });
  return panel;
}

QC_GUI_OBJECT* fBuildCheckbox(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* box = new QC_GUI_CHECKBOX5(element.fInt("ID"), element.fImage("TEXTURE"));
  fApplyCommonKeys(box, element);
  fApplyScripts(box, element, QE_FORM_SCRIPT_POINTER);
  return box;
}

QC_GUI_OBJECT* fBuildProgressBar(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE"})) return nullptr;
  auto* bar = new QC_GUI_PROGRESS_BAR(element.fInt("ID"), element.fImage("TEXTURE"));
  fApplyCommonKeys(bar, element);
  fApplyScripts(bar, element, QE_FORM_SCRIPT_FILLED, [bar](QC_CALLBACK* callback) { bar->fSetFilledCallback(callback); });
  return bar;
}

QC_GUI_OBJECT* fBuildAnimationBar(const QC_FORM_ELEMENT& element) {
  if (!element.isComplete({"ID", "TEXTURE", "COLUMNS", "ROWS", "FRAMES"})) return nullptr;
  const int columns = element.fInt("COLUMNS");
  const int rows = element.fInt("ROWS");
  const int frames = element.fInt("FRAMES");
  // The frame size divides the sheet by the grid.
  if (columns < 1 || rows < 1 || frames < 1) {
    element.fReport("needs COLUMNS, ROWS and FRAMES of at least 1");
    return nullptr;
  }
  auto* bar = new QC_GUI_ANIMATION_BAR(element.fInt("ID"), element.fImage("TEXTURE"), columns, rows, frames);
  fApplyCommonKeys(bar, element);
  fApplyScripts(bar, element, QE_FORM_SCRIPT_FILLED, [bar](QC_CALLBACK* callback) { bar->fSetFilledCallback(callback); });
  return bar;
}

QC_GUI_OBJECT* fBuildSlider(const QC_FORM_ELEMENT& element, bool thirteen) {
  if (!element.isComplete({"ID", "TEXTURE", "START", "END"})) return nullptr;
  float start[2] = {0.0f, 0.0f};
  float end[2] = {0.0f, 0.0f};
  float radius = 0.0f;
  float distance = 0.0f;
  float minimum = 0.0f;
  float maximum = 0.0f;
  float step = 0.0f;
  float value = 0.0f;
  if (!element.fFloats("START", 2, start) || !element.fFloats("END", 2, end) ||
      !element.fFloat("RADIUS", 20.0f, radius) || !element.fFloat("BTN_DISTANCE", 1.5f, distance) ||
      !element.fFloat("MIN", 0.0f, minimum) || !element.fFloat("MAX", 100.0f, maximum) ||
      !element.fFloat("STEP", 5.0f, step) || !element.fFloat("VALUE", 0.0f, value)) {
    return nullptr;
  }
  const int id = element.fInt("ID");
  QC_TEXTURE_INFO* strip = element.fImage("TEXTURE");
  const QS_VEC2 from(start[0], start[1]);
  const QS_VEC2 to(end[0], end[1]);
  QC_GUI_OBJECT* slider = nullptr;
  if (thirteen) {
    slider = new QC_GUI_SLIDER13(id, strip, from, to, radius, distance, minimum, maximum, step, value);
  } else {
    slider = new QC_GUI_SLIDER12(id, strip, from, to, radius, distance, minimum, maximum, step, value);
  }
  fApplyCommonKeys(slider, element);
  // Sliders read their SCRIPTS but bind no event.
  return slider;
}

}  // namespace QOR
