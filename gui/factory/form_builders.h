// The factory's builders, one per widget kind, and the steps every kind shares. Each builder
// checks the required attributes and the numbers its constructor takes before it subscribes any
// image, so a rejected element holds no resource.
#pragma once

#include "engine/service/qc_callback.h"
#include "gui/base/qc_gui_object.h"
#include "gui/factory/qc_form_element.h"

#include <functional>

namespace QOR {

// Script events a kind binds.
enum : unsigned {
  QE_FORM_SCRIPT_ENTER = 1u,
  QE_FORM_SCRIPT_LEAVE = 2u,
  QE_FORM_SCRIPT_DOWN = 4u,
  QE_FORM_SCRIPT_UP = 8u,
  QE_FORM_SCRIPT_GRAB = 16u,
  QE_FORM_SCRIPT_FILLED = 32u,
  QE_FORM_SCRIPT_POINTER = QE_FORM_SCRIPT_ENTER | QE_FORM_SCRIPT_LEAVE | QE_FORM_SCRIPT_DOWN | QE_FORM_SCRIPT_UP,
};

// The widget of an element at a nesting depth (0 at the top of a form).
QC_GUI_OBJECT* fCreateControlAt(pugi::xml_node element, int depth);

// ENABLE, VISIBLE, TRANSFORM, SIZE, POSITION and CONTEXT, in this order.
void fApplyCommonKeys(QC_GUI_OBJECT* widget, const QC_FORM_ELEMENT& element);
// Binds the SCRIPTS children whose EVENT is among `events`: a callback without function named by
// the child's text; pointer events and GRAB take the widget as their argument. GRAB and FILLED go
// to `ownSlot` (the panel's grab or the bar's filled slot).
void fApplyScripts(QC_GUI_OBJECT* widget, const QC_FORM_ELEMENT& element, unsigned events,
                   const std::function<void(QC_CALLBACK*)>& ownSlot = {});

QC_GUI_OBJECT* fBuildLabel(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildWideLabel(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildImage(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildButton5(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildButton2(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildPanel(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildCheckbox(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildLinebox(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildListbox(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildProgressBar(const QC_FORM_ELEMENT& element);
QC_GUI_OBJECT* fBuildAnimationBar(const QC_FORM_ELEMENT& element);
// SLIDER12 (twelve frames) or SLIDER13.
QC_GUI_OBJECT* fBuildSlider(const QC_FORM_ELEMENT& element, bool thirteen);

}  // namespace QOR
