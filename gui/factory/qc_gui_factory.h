// The XML GUI form factory: builds widget trees from GUI forms. A form is an element whose child
// elements are widgets (LABEL, WLABEL, IMAGE, BUTTON5, BUTTON2, PANEL, CHECKBOX, LINEBOX, LISTBOX,
// PROGRESS_BAR, ANIMATION_BAR, SLIDER12, SLIDER13, names compared without regard to case); a
// widget's attributes hold its settings and its children TRANSFORM, SIZE, POSITION, CONTEXT
// (nested widgets) and SCRIPTS. Images and font descriptions are named resources of
// qcRESOURCE_LOADER; each image subscription is given back when the widget holding it is
// destroyed.
#pragma once

#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_gui_root.h"

#include <pugixml.hpp>

namespace QOR {

// Empties the holder and fills it with the widgets of one form. With a name, the form is the
// first child element of the node whose "NAME" equals it without regard to case, else the node's
// first child; without one (null) the node itself is the form. A null holder builds nothing.
void fLoadForm(QC_GUI_ROOT* holder, pugi::xml_node node, const char* formName);

// The widget of one form element, with its CONTEXT children attached; null for an element of
// another name and, with a log line, for one that lacks a required attribute or whose numbers
// cannot be used. The caller owns the widget until it attaches it.
QC_GUI_OBJECT* fCreateControl(pugi::xml_node element);

}  // namespace QOR
