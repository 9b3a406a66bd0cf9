// The XML form factory over the fixture forms: every element kind with its keys, picking forms by
// name, nesting, scripts, malformed elements, and the give-back of every image subscription.
#include "gui/base/qc_gui_root.h"
#include "gui/factory/qc_gui_factory.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_gui_button2.h"
#include "gui/widgets/qc_gui_button5.h"
#include "gui/widgets/qc_gui_checkbox5.h"
#include "gui/widgets/qc_gui_image.h"
#include "gui/widgets/qc_gui_label.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_gui_listbox.h"
#include "gui/widgets/qc_gui_panel.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "gui/widgets/qc_gui_slider12.h"
#include "gui/widgets/qc_gui_slider13.h"
#include "gui/widgets/qc_gui_wlabel.h"
#include "tests/gui/forms/factory_fixture.h"
#include "tests/kit/log_capture.h"

#include <cmath>
#include <string>

using namespace QOR;
using forms_test::FactoryTest;

namespace {

template <typename WIDGET>
WIDGET* find(QC_GUI_ROOT& root, int id) {
  QC_GUI_OBJECT* control = root.fFindControl(id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  auto* widget = dynamic_cast<WIDGET*>(control);
  EXPECT_NE(widget, nullptr) << "control " << id << " has another kind";
  return widget;
}

std::uintptr_t self(QC_GUI_OBJECT* widget) { return reinterpret_cast<std::uintptr_t>(widget); }

class Forms : public FactoryTest {};

TEST_F(Forms, BuildsEveryKindWithItsKeys) {
  QC_GUI_ROOT root;
  fLoadForm(&root, forms(), "everything");
  const auto& top = root.fGetRoot()->fGetChildren();
  ASSERT_EQ(top.size(), 11u);  // the UNKNOWN element makes nothing

  auto* panel = find<QC_GUI_PANEL>(root, 1);
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->isMovable());
  EXPECT_FLOAT_EQ(panel->fGetPosition().x, 400.0f);
  EXPECT_FLOAT_EQ(panel->fGetPosition().y, 300.0f);
  EXPECT_FLOAT_EQ(panel->fGetWidth(), 200.0f);
  ASSERT_NE(panel->fGetGrabCallback(), nullptr);
  EXPECT_EQ(panel->fGetGrabCallback()->_name, "onGrab");
  EXPECT_EQ(panel->fGetGrabCallback()->_defaultArgument, self(panel));
  ASSERT_NE(panel->fGetDownCallback(), nullptr);
  EXPECT_EQ(panel->fGetDownCallback()->_name, "second");  // the later script replaces the earlier
  EXPECT_EQ(panel->fGetDownCallback()->_function, nullptr);
  ASSERT_NE(panel->fGetEnterCallback(), nullptr);
  EXPECT_EQ(panel->fGetEnterCallback()->_defaultArgument, self(panel));
  EXPECT_EQ(panel->fGetUpCallback(), nullptr);
  EXPECT_EQ(panel->fGetLeaveCallback(), nullptr);

  // Three levels: panel 1 > panel 20 > image 21.
  ASSERT_EQ(panel->fGetChildren().size(), 3u);
  auto* inner = find<QC_GUI_PANEL>(root, 20);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->fGetParent(), panel);
  ASSERT_NE(find<QC_GUI_IMAGE>(root, 21), nullptr);
  EXPECT_EQ(root.fFindControl(21)->fGetParent(), inner);

  auto* label = find<QC_GUI_LABEL>(root, 2);
  ASSERT_NE(label, nullptr);
  EXPECT_STREQ(label->fGetText(), "score 100%");
  ASSERT_NE(label->fGetFont(), nullptr);
  EXPECT_EQ(label->fGetFont()->fGetColor(), 0xFFFF0000u);
  EXPECT_EQ(label->fGetFont()->fGetLineHeight(), 20);
  EXPECT_FLOAT_EQ(label->fGetTransform()->fGetWorld(false, false, false)._position.x, 350.0f);

  auto* wide = find<QC_GUI_WLABEL>(root, 3);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->fGetText(), L"\u043f\u0440\u0438\u0432\u0435\u0442");
  EXPECT_EQ(wide->fGetTextId(), 17);
  EXPECT_EQ(wide->fGetFontName(), "font.xml");
  EXPECT_EQ(wide->fGetFont()->fGetColor(), 0x8000FF00u);

  auto* image = find<QC_GUI_IMAGE>(root, 4);
  ASSERT_NE(image, nullptr);
  EXPECT_FALSE(image->isEnabled());
  const QS_TRANSFORM3* t = image->fGetTransform();
  EXPECT_FLOAT_EQ(t->_position.x, 10.0f);
  EXPECT_FLOAT_EQ(t->_position.y, 20.0f);
  EXPECT_FLOAT_EQ(t->_pivot.x, 37.0f);  // (32, 16) from the constructor plus (5, 5)
  EXPECT_FLOAT_EQ(t->_pivot.y, 21.0f);
  EXPECT_FLOAT_EQ(t->_rotation.z, 0.5f);
  EXPECT_FLOAT_EQ(t->_scale.x, 1.0f);

  auto* five = find<QC_GUI_BUTTON5>(root, 5);  // element name in lower case
  ASSERT_NE(five, nullptr);
  EXPECT_FALSE(five->isEnabled());
  EXPECT_EQ(five->fGetState(), 4);
  EXPECT_EQ(five->fGetUpCallback()->_name, "pressed");

  auto* two = find<QC_GUI_BUTTON2>(root, 6);
  ASSERT_NE(two, nullptr);
  EXPECT_FLOAT_EQ(two->fGetWidth(), 40.0f);
  EXPECT_FLOAT_EQ(two->fGetPosition().x, 100.0f);

  auto* box = find<QC_GUI_CHECKBOX5>(root, 7);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isVisible());
  EXPECT_FLOAT_EQ(box->fGetWidth(), 30.0f);
  EXPECT_FLOAT_EQ(box->fGetHitArea()->fGetWidth(), 30.0f);
  EXPECT_EQ(box->fGetUpCallback()->_name, "toggled");

  auto* line = find<QC_GUI_LINEBOX>(root, 8);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->fGetFontName(), "font.xml");
  EXPECT_EQ(line->fGetMaxLength(), 12u);
  EXPECT_EQ(line->fGetText(), L"h\u00e9llo");  // UTF-8 decoded, one character for the accent
  EXPECT_EQ(line->fGetAlignment(), 8);
  EXPECT_EQ(line->fGetFont()->fGetColor(), 0xFF010203u);
  EXPECT_FLOAT_EQ(line->fGetHitArea()->fGetWidth(), 200.0f - 2.0f - 4.0f);
  EXPECT_FLOAT_EQ(line->fGetHitArea()->fGetHeight(), 30.0f - 3.0f - 5.0f);

  auto* list = find<QC_GUI_LISTBOX>(root, 9);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->fGetItemCount(), 5);
  EXPECT_STREQ(list->fGetItemText(2), L"50% off");
  EXPECT_EQ(list->fGetVisibleCount(), 4);
  EXPECT_EQ(list->fGetLeftMargin(), 3);
  EXPECT_EQ(list->fGetUpperMargin(), 2);
  EXPECT_EQ(list->fGetSliderDistance(), 5);
  EXPECT_EQ(list->fGetFont()->fGetColor(), 0xFF0000FFu);
  EXPECT_EQ(list->fGetFontName(), "font.xml");
  EXPECT_FLOAT_EQ(list->fGetScroller()->fGetMax(), 1.0f);  // 5 items, 4 rows

  auto* bar = find<QC_GUI_PROGRESS_BAR>(root, 10);
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->fGetFilledCallback(), nullptr);
  EXPECT_EQ(bar->fGetFilledCallback()->_name, "full");
  EXPECT_EQ(bar->fGetFilledCallback()->_defaultArgument, 0u);

  auto* anim = find<QC_GUI_ANIMATION_BAR>(root, 11);
  ASSERT_NE(anim, nullptr);
  EXPECT_FLOAT_EQ(anim->fGetWidth(), 20.0f);
  EXPECT_FLOAT_EQ(anim->fGetHeight(), 10.0f);

  auto* s12 = find<QC_GUI_SLIDER12>(root, 12);
  ASSERT_NE(s12, nullptr);
  EXPECT_EQ(s12->fGetTypeCode(), 11);
  EXPECT_FLOAT_EQ(s12->fGetValue(), 20.0f);
  EXPECT_FLOAT_EQ(s12->fGetMax(), 50.0f);
  EXPECT_FLOAT_EQ(s12->fGetPosition().x, 200.0f);  // midpoint of START and END
  auto* s13 = find<QC_GUI_SLIDER13>(root, 13);
  ASSERT_NE(s13, nullptr);
  EXPECT_EQ(s13->fGetTypeCode(), 10);
  EXPECT_FLOAT_EQ(s13->fGetMax(), 100.0f);
  EXPECT_FLOAT_EQ(s13->fGetStep(), 5.0f);
  EXPECT_FLOAT_EQ(s13->fGetRadius(), 20.0f);
  EXPECT_EQ(s13->fGetDownCallback(), nullptr);  // sliders bind no script
}

TEST_F(Forms, EveryImageSubscriptionIsGivenBackWithTheWidgets) {
  {
    QC_GUI_ROOT root;
    fLoadForm(&root, forms(), "EVERYTHING");
    EXPECT_GT(subscribers("page.png"), 0);
    EXPECT_EQ(subscribers("panel.png"), 2);
    EXPECT_EQ(subscribers("slider13.png"), 2);
    EXPECT_EQ(subscribers("bar.png"), 1);
    // Loading another form into the holder drops the first one whole.
    fLoadForm(&root, forms(), "first");
    EXPECT_EQ(root.fGetRoot()->fGetChildren().size(), 1u);
    EXPECT_EQ(allSubscribers(), 1);
    EXPECT_EQ(subscribers("image.png"), 1);
  }
  EXPECT_EQ(allSubscribers(), 0);
}

TEST_F(Forms, FormsArePickedByNameWithoutRegardToCase) {
  QC_GUI_ROOT root;
  fLoadForm(&root, forms(), "FiRsT");
  ASSERT_NE(root.fFindControl(90), nullptr);
  // A name no form carries takes the node's first child.
  fLoadForm(&root, forms(), "nothing like it");
  EXPECT_NE(root.fFindControl(90), nullptr);
  EXPECT_EQ(root.fGetRoot()->fGetChildren().size(), 1u);
  // Without a name the node itself is the form.
  fLoadForm(&root, forms().find_child_by_attribute("NAME", "EVERYTHING"), nullptr);
  EXPECT_EQ(root.fGetRoot()->fGetChildren().size(), 11u);
  // A node without children still empties the holder.
  pugi::xml_document empty;
  empty.load_string("<FORMS/>");
  fLoadForm(&root, empty.child("FORMS"), "EVERYTHING");
  EXPECT_TRUE(root.fGetRoot()->fGetChildren().empty());
  EXPECT_EQ(allSubscribers(), 0);
  fLoadForm(nullptr, forms(), "FIRST");  // no holder: nothing built
  EXPECT_EQ(allSubscribers(), 0);
}

TEST_F(Forms, MalformedElementsMakeNoWidgetAndSayWhy) {
  QC_GUI_ROOT root;
  qor_test::LogCapture log;
  fLoadForm(&root, forms(), "BROKEN");
  EXPECT_TRUE(log.hasLine("GUI form: IMAGE without ID"));
  EXPECT_TRUE(log.hasLine("GUI form: SLIDER12 START needs 2 usable numbers"));
  EXPECT_TRUE(log.hasLine("GUI form: SLIDER13 MAX is not a usable number"));
  EXPECT_TRUE(log.hasLine("GUI form: SLIDER13 END needs 2 usable numbers"));
  EXPECT_TRUE(log.hasLine("GUI form: ANIMATION_BAR needs COLUMNS, ROWS and FRAMES of at least 1"));
  EXPECT_TRUE(log.hasLine("GUI form: LABEL without FONT"));
  EXPECT_TRUE(log.hasLine("GUI form: LISTBOX without FONT_TEXTURE"));
  EXPECT_TRUE(log.hasLine("GUI form: SLIDER12 END needs 2 usable numbers"));  // far beyond any screen
  for (int id : {1, 2, 3, 4, 5, 6, 7, 13}) EXPECT_EQ(root.fFindControl(id), nullptr) << id;

  // Short lists in optional keys are refused; the widget is made without them.
  EXPECT_TRUE(log.hasLine("GUI form: IMAGE SIZE needs 2 usable numbers"));
  EXPECT_TRUE(log.hasLine("GUI form: IMAGE POSITION needs 2 usable numbers"));
  EXPECT_TRUE(log.hasLine("GUI form: IMAGE TRANSFORM needs 12 usable numbers"));
  auto* image = find<QC_GUI_IMAGE>(root, 8);
  ASSERT_NE(image, nullptr);
  EXPECT_FLOAT_EQ(image->fGetWidth(), 64.0f);
  EXPECT_FLOAT_EQ(image->fGetTransform()->_position.x, 0.0f);
  EXPECT_FLOAT_EQ(image->fGetTransform()->_scale.x, 1.0f);

  EXPECT_TRUE(log.hasLine("GUI form: LISTBOX VISIBLE_COUNT must be at least 1"));
  EXPECT_TRUE(log.hasLine("GUI form: LISTBOX FONT_COLOR needs 4 numbers"));
  auto* list = find<QC_GUI_LISTBOX>(root, 9);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->fGetVisibleCount(), 3);
  EXPECT_EQ(list->fGetFont()->fGetColor(), 0xFF000000u);

  EXPECT_TRUE(log.hasLine("GUI form: LABEL FONT_COLOR needs 4 numbers"));
  ASSERT_NE(find<QC_GUI_LABEL>(root, 10), nullptr);
  // A font that cannot be found is reported by the loader and the font; the label is made.
  EXPECT_TRUE(log.hasLine("Resource not found missing.xml"));
  EXPECT_TRUE(log.hasLine("error loading font"));
  ASSERT_NE(find<QC_GUI_LABEL>(root, 11), nullptr);
  auto* fontless = find<QC_GUI_LISTBOX>(root, 12);
  ASSERT_NE(fontless, nullptr);
  EXPECT_EQ(fontless->fGetFont(), nullptr);
  EXPECT_TRUE(log.hasLine("GUI form: LISTBOX LEFT_MARGIN is not a usable number"));
  auto* margins = find<QC_GUI_LISTBOX>(root, 14);
  ASSERT_NE(margins, nullptr);
  EXPECT_EQ(margins->fGetLeftMargin(), 0);
  EXPECT_EQ(margins->fGetUpperMargin(), -5);
  EXPECT_TRUE(log.hasLine("GUI form: LINEBOX CARRY_BLINK_TIME is not a usable number"));
  auto* line = find<QC_GUI_LINEBOX>(root, 15);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->fGetText(), L"abc");
  EXPECT_EQ(root.fGetRoot()->fGetChildren().size(), 7u);

  // Rejected elements took no subscription.
  root.fClear();
  EXPECT_EQ(allSubscribers(), 0);
}

TEST_F(Forms, SingleElementsAndTheirEdges) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      "<F>"
      "<IMAGE ID='+12abc' TEXTURE='image.png'><POSITION>7  8</POSITION></IMAGE>"
      "<image ID='x' TEXTURE='image.png'/>"
      "<CHECKBOX ID='3' TEXTURE='strip5.png'><SCRIPTS><A EVENT='down'>a</A><B EVENT='DOWN'>b</B>"
      "<C EVENT='GRAB'>c</C><D>no event</D></SCRIPTS></CHECKBOX>"
      "<!-- comment --> text"
      "</F>",
      pugi::parse_default | pugi::parse_comments));
  pugi::xml_node first = doc.child("F").first_child();
  QC_GUI_OBJECT* image = fCreateControl(first);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->fGetId(), 12);  // decimal digits up to the first other character
  // Runs of blanks separate the numbers like one.
  EXPECT_FLOAT_EQ(image->fGetPosition().x, 7.0f);
  EXPECT_FLOAT_EQ(image->fGetPosition().y, 8.0f);
  delete image;

  QC_GUI_OBJECT* notNumber = fCreateControl(first.next_sibling());
  ASSERT_NE(notNumber, nullptr);
  EXPECT_EQ(notNumber->fGetId(), 0);  // a value that is not a number reads as 0
  delete notNumber;

  QC_GUI_OBJECT* box = fCreateControl(doc.child("F").child("CHECKBOX"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->fGetDownCallback()->_name, "b");
  EXPECT_EQ(box->fGetEnterCallback(), nullptr);
  delete box;

  // Non-element nodes make nothing.
  for (pugi::xml_node node = doc.child("F").child("CHECKBOX").next_sibling(); node; node = node.next_sibling()) {
    EXPECT_EQ(fCreateControl(node), nullptr);
  }
  EXPECT_EQ(fCreateControl(pugi::xml_node()), nullptr);
  EXPECT_EQ(allSubscribers(), 0);
}

TEST_F(Forms, DeepNestingIsCutWithALogLine) {
  std::string text;
  const int levels = 200;
  for (int i = 0; i < levels; ++i) text += "<PANEL ID='" + std::to_string(i + 1) + "' TEXTURE='panel.png'><CONTEXT>";
  for (int i = 0; i < levels; ++i) text += "</CONTEXT></PANEL>";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(("<F>" + text + "</F>").c_str()));
  qor_test::LogCapture log;
  QC_GUI_ROOT root;
  fLoadForm(&root, doc.child("F"), nullptr);
  EXPECT_TRUE(log.hasLine("GUI form: PANEL nested too deep"));
  EXPECT_NE(root.fFindControl(65), nullptr);
  EXPECT_EQ(root.fFindControl(66), nullptr);
  root.fClear();
  EXPECT_EQ(allSubscribers(), 0);
}

TEST_F(Forms, AFormRunsThroughItsHolder) {
  QC_GUI_ROOT root;
  fLoadForm(&root, forms(), "EVERYTHING");
  // The two-cell button at (100, 100), 40 x 40.
  script.move(110, 105);
  script.down(1);
  root.fUpdate();
  script.age();
  EXPECT_EQ(root.fGetLastId(), 6);
  EXPECT_EQ(root.fGetLastEvent(), QE_GUI_DOWN);
  // The list box at (200, 600): a press on its first row selects it.
  script.up(1);
  root.fUpdate();
  script.age();
  script.move(200, 600 - 45 + 5);
  script.down(1);
  root.fUpdate();
  script.age();
  EXPECT_EQ(root.fGetLastId(), 9);
  EXPECT_EQ(root.fGetLastEvent(), QE_GUI_DOWN);
  EXPECT_EQ(find<QC_GUI_LISTBOX>(root, 9)->fGetSelected(), 0);
}

}  // namespace
