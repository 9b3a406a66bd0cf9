#include "gui/factory/qc_gui_factory.h"

#include "gui/factory/form_builders.h"
#include "gui/factory/form_values.h"

#include <cstdint>

namespace QOR {

namespace {

struct QS_FORM_KIND {
  const char* _name;
  QC_GUI_OBJECT* (*_build)(const QC_FORM_ELEMENT&);
};

QC_GUI_OBJECT* fBuildSlider12(const QC_FORM_ELEMENT& element) { return fBuildSlider(element, false); }
QC_GUI_OBJECT* fBuildSlider13(const QC_FORM_ELEMENT& element) { return fBuildSlider(element, true); }

// In the order the names are compared.
constexpr QS_FORM_KIND kKinds[] = {
    {"LABEL", &fBuildLabel},           {"WLABEL", &fBuildWideLabel},      {"IMAGE", &fBuildImage},
    {"BUTTON5", &fBuildButton5},       {"BUTTON2", &fBuildButton2},       {"PANEL", &fBuildPanel},
    {"CHECKBOX", &fBuildCheckbox},     {"LINEBOX", &fBuildLinebox},       {"LISTBOX", &fBuildListbox},
    {"PROGRESS_BAR", &fBuildProgressBar}, {"ANIMATION_BAR", &fBuildAnimationBar},
    {"SLIDER12", &fBuildSlider12},     {"SLIDER13", &fBuildSlider13},
};

// The transform's twelve numbers: position, pivot, rotation, scale. Position, rotation and scale
// are replaced; the pivot numbers are added to the pivot the constructor set.
void fApplyTransform(QC_GUI_OBJECT* widget, const QC_FORM_ELEMENT& element) {
  float n[12];
  if (!element.fChildFloats("TRANSFORM", 12, n)) return;
  QS_TRANSFORM3* t = widget->fGetTransform();
  t->fSetPosition(n[0], n[1], n[2]);
  t->_pivot.x += n[3];
  t->_pivot.y += n[4];
  t->_pivot.z += n[5];
  t->fSetRotation(n[6], n[7], n[8]);
  t->fSetScale(n[9], n[10], n[11]);
}

}  // namespace

void fLoadForm(QC_GUI_ROOT* holder, pugi::xml_node node, const char* formName) {
  if (holder == nullptr) return;
  pugi::xml_node form = node;
  if (formName != nullptr) {
    form = pugi::xml_node();
    for (pugi::xml_node candidate = node.first_child(); candidate; candidate = candidate.next_sibling()) {
      if (candidate.type() == pugi::node_element && isFormNameEqual(candidate.attribute("NAME").value(), formName)) {
        form = candidate;
        break;
      }
    }
    if (!form) form = node.first_child();
  }
  holder->fClear();
  for (pugi::xml_node child = form.first_child(); child; child = child.next_sibling()) {
    if (QC_GUI_OBJECT* widget = fCreateControlAt(child, 0)) holder->fAddControl(widget);
  }
}

QC_GUI_OBJECT* fCreateControl(pugi::xml_node element) { return fCreateControlAt(element, 0); }

QC_GUI_OBJECT* fCreateControlAt(pugi::xml_node element, int depth) {
  if (element.type() != pugi::node_element) return nullptr;
  for (const QS_FORM_KIND& kind : kKinds) {
    if (!isFormNameEqual(element.name(), kind._name)) continue;
    const QC_FORM_ELEMENT form(element, depth);
    if (depth > QC_FORM_ELEMENT::kMaxDepth) {
      form.fReport("nested too deep");
      return nullptr;
    }
    return kind._build(form);
  }
  return nullptr;
}

void fApplyCommonKeys(QC_GUI_OBJECT* widget, const QC_FORM_ELEMENT& element) {
  const pugi::xml_node node = element.fGetNode();
  if (element.has("ENABLE")) widget->fSetEnabled(element.fBool("ENABLE"));
  if (element.has("VISIBLE")) widget->fSetVisible(element.fBool("VISIBLE"));
  if (node.child("TRANSFORM")) fApplyTransform(widget, element);
  int pair[2] = {0, 0};
  if (node.child("SIZE") && element.fChildInts("SIZE", 2, pair)) widget->fSetSize(pair[0], pair[1]);
  if (node.child("POSITION") && element.fChildInts("POSITION", 2, pair)) {
    widget->fSetPosition(static_cast<float>(pair[0]), static_cast<float>(pair[1]), 0.0f);
  }
  for (pugi::xml_node context = node.child("CONTEXT"); context; context = context.next_sibling("CONTEXT")) {
    for (pugi::xml_node child = context.first_child(); child; child = child.next_sibling()) {
      if (QC_GUI_OBJECT* control = fCreateControlAt(child, element.fGetDepth() + 1)) widget->fAddControl(control);
    }
  }
}

void fApplyScripts(QC_GUI_OBJECT* widget, const QC_FORM_ELEMENT& element, unsigned events,
                   const std::function<void(QC_CALLBACK*)>& ownSlot) {
  const auto self = reinterpret_cast<std::uintptr_t>(widget);
  for (pugi::xml_node scripts = element.fGetNode().child("SCRIPTS"); scripts;
       scripts = scripts.next_sibling("SCRIPTS")) {
    for (pugi::xml_node script = scripts.first_child(); script; script = script.next_sibling()) {
      if (script.type() != pugi::node_element) continue;
      const char* event = script.attribute("EVENT").value();
      const char* text = script.text().get();
      auto bind = [&](unsigned flag, const char* name, std::uintptr_t argument, auto&& store) {
        if ((events & flag) == 0 || !isFormNameEqual(event, name)) return false;
        store(fCreateCallback(nullptr, text, argument));
        return true;
      };
      if (bind(QE_FORM_SCRIPT_ENTER, "ENTER", self, [&](QC_CALLBACK* c) { widget->fSetEnterCallback(c); })) continue;
      if (bind(QE_FORM_SCRIPT_LEAVE, "LEAVE", self, [&](QC_CALLBACK* c) { widget->fSetLeaveCallback(c); })) continue;
      if (bind(QE_FORM_SCRIPT_DOWN, "DOWN", self, [&](QC_CALLBACK* c) { widget->fSetDownCallback(c); })) continue;
      if (bind(QE_FORM_SCRIPT_UP, "UP", self, [&](QC_CALLBACK* c) { widget->fSetUpCallback(c); })) continue;
      if (ownSlot && bind(QE_FORM_SCRIPT_GRAB, "GRAB", self, ownSlot)) continue;
      if (ownSlot) bind(QE_FORM_SCRIPT_FILLED, "FILLED", 0, ownSlot);
    }
  }
}

}  // namespace QOR
