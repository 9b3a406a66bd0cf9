// The widget tree: update order and the first report, focus along the reporting branch, drawing,
// search and removal, ownership, and the holder's remembered result.
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_gui_root.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace QOR;

namespace {

std::vector<std::string> gTrace;
int gDestroyed = 0;

// A control that reports a set event code from its own update and traces updates and draws.
class Probe : public QC_GUI_OBJECT {
 public:
  explicit Probe(int id, int report = 0) : QC_GUI_OBJECT(id), report_(report) {}
  ~Probe() override { ++gDestroyed; }
  QS_GUI_EVENT* fUpdate() override {
    gTrace.push_back("u" + std::to_string(fGetId()));
    _pair._event = report_;
    return report_ != 0 ? &_pair : nullptr;
  }
  void fRender() override { gTrace.push_back("r" + std::to_string(fGetId())); }
  void setReport(int code) { report_ = code; }
  // Records an event without reporting it.
  void record(int code) { _pair._event = code; }

 private:
  int report_;
};

class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    gTrace.clear();
    gDestroyed = 0;
  }
};

TEST_F(Tree, ChildrenUpdateFirstAndTheFirstReportEndsTheWalk) {
  Probe top(1);
  auto* a = new Probe(2);
  auto* b = new Probe(3, QE_GUI_ENTER);
  auto* c = new Probe(4, QE_GUI_DOWN);
  auto* a1 = new Probe(21);
  a->fAddControl(a1);
  top.fAddControl(a);
  top.fAddControl(b);
  top.fAddControl(c);

  QS_GUI_EVENT* result = top.fUpdateAll();
  ASSERT_EQ(result, b->fGetEventPair());
  EXPECT_EQ(result->_id, 3);
  EXPECT_EQ(result->_event, QE_GUI_ENTER);
  // a's child before a, then b; c and the container itself are not updated in this tick.
  EXPECT_EQ(gTrace, (std::vector<std::string>{"u21", "u2", "u3"}));

  b->setReport(0);
  c->setReport(0);
  gTrace.clear();
  EXPECT_EQ(top.fUpdateAll(), nullptr);  // the plain container reports nothing of its own
  EXPECT_EQ(gTrace, (std::vector<std::string>{"u21", "u2", "u3", "u4", "u1"}));
}

TEST_F(Tree, DisabledBlocksTheSubtreeWhileHiddenOnlyStopsDrawing) {
  Probe top(1);
  auto* box = new Probe(2);
  auto* leaf = new Probe(3, QE_GUI_DOWN);
  box->fAddControl(leaf);
  top.fAddControl(box);

  box->fSetEnabled(false);
  EXPECT_EQ(top.fUpdateAll(), nullptr);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"u1"}));

  box->fSetEnabled(true);
  box->fSetVisible(false);
  gTrace.clear();
  EXPECT_EQ(top.fUpdateAll(), leaf->fGetEventPair());
  top.fRenderAll();
  EXPECT_EQ(gTrace, (std::vector<std::string>{"u3", "r1"}));

  box->fSetVisible(true);
  box->fSetEnabled(false);  // drawing ignores the enabled flag
  gTrace.clear();
  top.fRenderAll();
  EXPECT_EQ(gTrace, (std::vector<std::string>{"r1", "r2", "r3"}));
}

TEST_F(Tree, FocusEventsActivateTheBranchAndClearEveryOtherSubtree) {
  Probe top(1);
  auto* left = new Probe(2);
  auto* right = new Probe(3);
  auto* leftLeaf = new Probe(21);
  auto* rightLeaf = new Probe(31);
  auto* rightLeafChild = new Probe(311);
  left->fAddControl(leftLeaf);
  right->fAddControl(rightLeaf);
  rightLeaf->fAddControl(rightLeafChild);
  top.fAddControl(left);
  top.fAddControl(right);
  top.fSetActive(true);
  EXPECT_TRUE(rightLeafChild->isActive());

  // Enter (3) changes no flag.
  leftLeaf->setReport(QE_GUI_ENTER);
  top.fSetActive(false);
  top.fUpdateAll();
  EXPECT_FALSE(top.isActive());
  EXPECT_FALSE(left->isActive());

  right->fSetActive(true);
  for (int code : {QE_GUI_DOWN, QE_GUI_UP, QE_GUI_FOCUS_EVENT, QE_GUI_FOCUS_REQUEST}) {
    right->fSetActive(true);
    top.fSetActive(false);
    leftLeaf->setReport(code);
    top.fUpdateAll();
    EXPECT_TRUE(top.isActive()) << code;
    EXPECT_TRUE(left->isActive()) << code;
    EXPECT_FALSE(leftLeaf->isActive()) << code;  // the reporter handles its own flag
    EXPECT_FALSE(right->isActive()) << code;
    EXPECT_FALSE(rightLeaf->isActive()) << code;
    EXPECT_FALSE(rightLeafChild->isActive()) << code;
  }
}

TEST_F(Tree, FindSearchesDescendantsInPreOrderAndReportsRecordedEvents) {
  Probe top(7);
  auto* a = new Probe(1);
  auto* a1 = new Probe(5);
  auto* b = new Probe(5);
  a->fAddControl(a1);
  top.fAddControl(a);
  top.fAddControl(b);
  EXPECT_EQ(top.fFindControl(7), nullptr);  // the container itself is not compared
  EXPECT_EQ(top.fFindControl(5), a1);       // descendants before later siblings
  EXPECT_EQ(top.fFindControl(99), nullptr);
  EXPECT_EQ(top.fGetControlEvent(99), 0);
  a1->record(QE_GUI_CHANGED);  // an event the update only recorded
  EXPECT_EQ(top.fGetControlEvent(5), QE_GUI_CHANGED);
}

TEST_F(Tree, RemovalDeletesTheSubtreeAndKeepsTheOrder) {
  Probe top(0);
  auto* a = new Probe(1);
  auto* grandchild = new Probe(9);
  grandchild->fAddControl(new Probe(91));
  a->fAddControl(grandchild);
  top.fAddControl(a);
  top.fAddControl(new Probe(2));
  top.fAddControl(new Probe(3));

  top.fRemoveControl(9);
  EXPECT_EQ(gDestroyed, 2);
  ASSERT_EQ(top.fGetChildren().size(), 3u);
  EXPECT_TRUE(a->fGetChildren().empty());

  top.fRemoveControl(2);
  ASSERT_EQ(top.fGetChildren().size(), 2u);
  EXPECT_EQ(top.fGetChildren()[0]->fGetId(), 1);
  EXPECT_EQ(top.fGetChildren()[1]->fGetId(), 3);

  QC_GUI_OBJECT* three = top.fFindControl(3);
  top.fRemoveControlByPtr(three);
  EXPECT_EQ(top.fFindControl(3), nullptr);
  top.fRemoveControl(42);  // nothing has it
  EXPECT_EQ(gDestroyed, 4);

  top.fClearControls();
  EXPECT_EQ(gDestroyed, 5);
  EXPECT_TRUE(top.fGetChildren().empty());
}

TEST_F(Tree, RepeatedIdsGoDownBranchesBeforeTheFirstDirectMatch) {
  Probe top(0);
  auto* a = new Probe(1);
  a->fAddControl(new Probe(5));
  top.fAddControl(a);
  top.fAddControl(new Probe(5));
  top.fAddControl(new Probe(5));
  top.fRemoveControl(5);
  // a's child (met first) and the first direct match go; the second direct match stays.
  EXPECT_TRUE(a->fGetChildren().empty());
  ASSERT_EQ(top.fGetChildren().size(), 2u);
  EXPECT_EQ(top.fGetChildren()[1]->fGetId(), 5);
}

TEST_F(Tree, InsertPlacesInUpdateAndDrawOrderAndLinksTransforms) {
  Probe top(0);
  top.fAddControl(new Probe(1));
  top.fAddControl(new Probe(2));
  auto* first = new Probe(10);
  auto* last = new Probe(11);
  auto* beyond = new Probe(12);
  top.fInsertControl(first, 0);
  top.fInsertControl(last, 3);
  top.fInsertControl(beyond, 99);  // clamped to the end
  top.fRenderAll();
  EXPECT_EQ(gTrace, (std::vector<std::string>{"r0", "r10", "r1", "r2", "r11", "r12"}));
  EXPECT_EQ(first->fGetParent(), &top);
  EXPECT_EQ(first->fGetTransform()->_parent, top.fGetTransform());

  // A child placed in its parent follows it.
  top.fSetPosition(100.0f, 50.0f, 0.0f);
  first->fMove(10.0f, -5.0f)->fMove(10.0f, -5.0f);
  EXPECT_FLOAT_EQ(first->fGetPosition().x, 20.0f);
  EXPECT_FLOAT_EQ(first->fGetPosition().y, -10.0f);
  const QS_TRANSFORM3 world = first->fGetTransform()->fGetWorld(false, false, false);
  EXPECT_FLOAT_EQ(world._position.x, 120.0f);
  EXPECT_FLOAT_EQ(world._position.y, 40.0f);
}

TEST_F(Tree, AddingThatWouldDeleteTwiceOrLoopIsRefused) {
  Probe top(0);
  auto* a = new Probe(1);
  auto* b = new Probe(2);
  top.fAddControl(a);
  a->fAddControl(b);
  top.fAddControl(b);         // already has a parent
  b->fAddControl(&top);       // would loop
  b->fAddControl(b);          // itself
  top.fAddControl(nullptr);
  EXPECT_EQ(top.fGetChildren().size(), 1u);
  EXPECT_EQ(b->fGetParent(), a);
  EXPECT_TRUE(b->fGetChildren().empty());
}

TEST_F(Tree, DestroyingAControlDeletesItsChildrenAndDetachesIt) {
  Probe top(0);
  auto* a = new Probe(1);
  a->fAddControl(new Probe(2));
  a->fAddControl(new Probe(3));
  top.fAddControl(a);
  top.fAddControl(new Probe(4));
  delete a;
  EXPECT_EQ(gDestroyed, 3);
  ASSERT_EQ(top.fGetChildren().size(), 1u);  // no dangling entry is left behind
  EXPECT_EQ(top.fGetChildren()[0]->fGetId(), 4);
  gTrace.clear();
  top.fUpdateAll();
  EXPECT_EQ(gTrace, (std::vector<std::string>{"u4", "u0"}));
}

int gCallbackCount = 0;
std::uintptr_t gCallbackArgument = 0;
int countCallback(std::uintptr_t argument) {
  ++gCallbackCount;
  gCallbackArgument = argument;
  return 0;
}

// A control that invokes its down callback from its update, as the clickable widgets do.
class Clicker : public QC_GUI_OBJECT {
 public:
  explicit Clicker(int id) : QC_GUI_OBJECT(id) {}
  QS_GUI_EVENT* fUpdate() override {
    fInvoke(_onDown);
    return fReport(QE_GUI_DOWN);
  }
};

TEST_F(Tree, CallbacksGetTheControlItselfAndSlotsOwnTheirRecords) {
  gCallbackCount = 0;
  Clicker clicker(8);
  clicker.fSetDownCallback(fCreateCallback(&countCallback, "down", 77));
  clicker.fSetDownCallback(fCreateCallback(&countCallback, "down again", 77));  // replaces (and frees) the first
  clicker.fUpdateAll();
  EXPECT_EQ(gCallbackCount, 1);
  ASSERT_NE(gCallbackArgument, 0u);
  auto* received = reinterpret_cast<QC_GUI_OBJECT*>(gCallbackArgument);
  EXPECT_EQ(received, &clicker);
  EXPECT_EQ(received->fGetId(), 8);
  EXPECT_EQ(clicker.fGetDownCallback()->_name, "down again");
}

TEST_F(Tree, HolderRemembersTheLastResultOnlyWhileItsControlLives) {
  auto* root = new QC_GUI_ROOT();
  EXPECT_EQ(root->fGetLastEvent(), 0);
  EXPECT_EQ(root->fGetLastId(), 0);
  auto* panel = new Probe(1);
  auto* leaf = new Probe(6, QE_GUI_UP);
  panel->fAddControl(leaf);  // built first, attached later: the whole subtree joins the holder
  root->fAddControl(panel);
  EXPECT_EQ(leaf->fGetOwner(), root);

  EXPECT_EQ(root->fUpdate(), leaf->fGetEventPair());
  EXPECT_EQ(root->fGetLastId(), 6);
  EXPECT_EQ(root->fGetLastEvent(), QE_GUI_UP);

  root->fRemoveControl(6);  // deletes the control whose pair the holder remembers
  EXPECT_EQ(root->fGetLastResult(), nullptr);
  EXPECT_EQ(root->fGetLastId(), 0);
  EXPECT_EQ(root->fGetLastEvent(), 0);

  auto* other = new Probe(7, QE_GUI_DOWN);
  root->fAddControl(other);
  root->fUpdate();
  EXPECT_EQ(root->fGetLastId(), 7);
  root->fClear();
  EXPECT_EQ(root->fGetLastEvent(), 0);

  root->fAddControl(new Probe(8, 0));
  root->fUpdate();
  EXPECT_EQ(root->fGetLastEvent(), 0);  // nothing reported
  root->fMove(10.0f, -5.0f);
  root->fMove(10.0f, -5.0f);
  EXPECT_FLOAT_EQ(root->fGetPosition().x, 20.0f);
  EXPECT_FLOAT_EQ(root->fGetPosition().y, -10.0f);

  const int before = gDestroyed;
  delete root;  // the holder deletes its tree
  EXPECT_EQ(gDestroyed, before + 1);
}

}  // namespace
