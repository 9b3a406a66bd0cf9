// The object manager: its Z order across update and render passes, the level filters, deletion
// and stopping, lookups and broadcasts, and objects changing the list from inside a pass.
#include "engine/objects/qc_base_manager.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace QOR;

namespace {

// Journals "<message id><name>" for every message and "~<name>" when destroyed; answers updates
// with its answer (and runs its action first), every other message with 0.
class Tracer : public QC_BASE {
 public:
  Tracer(const std::string& name, float z, std::vector<std::string>& journal, int answer = kGoOn)
      : _journal(journal), _answer(answer) {
    _name = name;
    _z = z;
  }
  ~Tracer() override { _journal.push_back("~" + _name); }
  int fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) override {
    _journal.push_back(std::to_string(id) + _name);
    if (id != kMessageUpdate) return kGoOn;
    if (action) action();
    return _answer;
  }
  std::function<void()> action;

 private:
  std::vector<std::string>& _journal;
  int _answer;
};

using JOURNAL = std::vector<std::string>;

class ObjectManager : public ::testing::Test {
 protected:
  void TearDown() override { manager.fDeleteAll(); }
  Tracer* add(const std::string& name, float z, int answer = QC_BASE::kGoOn) {
    auto* object = new Tracer(name, z, journal, answer);
    manager.fAdd(object);
    return object;
  }
  QC_BASE_MANAGER manager;
  JOURNAL journal;
};

TEST_F(ObjectManager, UpdatesFromHighestZAndRendersFromLowestOnceTheFirstPassHasSorted) {
  add("a", 1.0f);
  add("b", 2.0f);
  add("c", 3.0f);
  // The first pass walks the list as added, finds the breaks and sorts at its end.
  manager.fUpdate();
  EXPECT_EQ(journal, (JOURNAL{"1a", "1b", "1c"}));
  journal.clear();
  manager.fUpdate();
  manager.fRender();
  EXPECT_EQ(journal, (JOURNAL{"1c", "1b", "1a", "2a", "2b", "2c"}));
  EXPECT_EQ(manager.fGetCurrent(), manager.fGetObjects().front());
}

TEST_F(ObjectManager, LevelFiltersChooseWhoIsUpdatedAndDrawn) {
  Tracer* low = add("low", 3.0f);
  Tracer* mid = add("mid", 2.0f);
  Tracer* high = add("high", 1.0f);
  low->_updateLevel = 0;
  low->_renderLevel = 0;
  mid->_updateLevel = 2;
  mid->_renderLevel = 2;
  high->_updateLevel = 3;
  high->_renderLevel = 3;
  const auto pass = [&]() {
    journal.clear();
    manager.fUpdate();
    manager.fRender();
    return journal;
  };
  // The defaults (level 1, at least) leave level 0 out of both passes.
  EXPECT_EQ(pass(), (JOURNAL{"1mid", "1high", "2high", "2mid"}));
  manager.fSetUpdateFilter(2, QC_BASE_MANAGER::kFilterEqual);
  manager.fSetRenderFilter(2, QC_BASE_MANAGER::kFilterAtMost);
  EXPECT_EQ(pass(), (JOURNAL{"1mid", "2mid", "2low"}));
  manager.fSetUpdateFilter(2, QC_BASE_MANAGER::kFilterNotEqual);
  manager.fSetRenderFilter(2, 99);  // an unknown mode lets everyone pass
  EXPECT_EQ(pass(), (JOURNAL{"1low", "1high", "2high", "2mid", "2low"}));
  manager.fResetFilters();
  manager.fSetUpdateFilter(1, QC_BASE_MANAGER::kFilterAtLeast);
  manager.fSetRenderFilter(1, QC_BASE_MANAGER::kFilterAtLeast);
  EXPECT_EQ(pass(), (JOURNAL{"1mid", "1high", "2high", "2mid"}));
}

TEST_F(ObjectManager, FinishedObjectsAreDeletedInThePassAndAStopLeavesTheRestUntouched) {
  add("a", 3.0f);
  add("done", 2.0f, QC_BASE::kDeleteMe);
  add("b", 1.0f);
  manager.fUpdate();
  EXPECT_EQ(journal, (JOURNAL{"1a", "1done", "~done", "1b"}));
  EXPECT_EQ(manager.fGetObjects().size(), 3u);  // the null entry waits for the next pass
  journal.clear();
  manager.fRender();  // skips the null entry
  manager.fUpdate();
  EXPECT_EQ(journal, (JOURNAL{"2b", "2a", "1a", "1b"}));
  EXPECT_EQ(manager.fGetObjects().size(), 2u);

  // A stop ends the pass at once and without the re-sort its breaks would ask for.
  manager.fDeleteAll();
  journal.clear();
  add("x", 1.0f, QC_BASE::kStopPass);
  add("y", 2.0f);
  manager.fUpdate();
  EXPECT_EQ(journal, (JOURNAL{"1x"}));
  EXPECT_TRUE(manager.fGetObjects().front()->isName("x"));
}

// The comparison of the sort treats a null entry as equal to everything, so a sort over a list
// holding nulls may leave it out of order: a pass that deleted objects and found the order broken
// must still leave a sorted list without nulls.
TEST_F(ObjectManager, APassThatDeletesAndSortsLeavesNoNullAndAFullOrder) {
  for (int i = 0; i < 64; ++i) {
    const float z = static_cast<float>((i * 37) % 64);
    add("o" + std::to_string(i), z, i % 5 == 0 ? QC_BASE::kDeleteMe : QC_BASE::kGoOn);
  }
  manager.fUpdate();
  const auto& objects = manager.fGetObjects();
  EXPECT_EQ(objects.size(), 64u - 13u);
  EXPECT_EQ(std::count(objects.begin(), objects.end(), nullptr), 0);
  EXPECT_TRUE(std::is_sorted(objects.begin(), objects.end(), &QC_BASE_MANAGER::fCompareZ));
}

TEST_F(ObjectManager, ObjectsMayAddAndRemoveOthersWhileAPassRuns) {
  Tracer* first = add("first", 3.0f);
  add("victim", 2.0f);
  add("last", 1.0f);
  manager.fUpdate();
  journal.clear();
  QC_BASE* detached = nullptr;
  first->action = [&]() {
    EXPECT_EQ(manager.fDelete("victim", QC_ID('n', 'o', 'i', 'd')), 1);
    detached = manager.fDetach("last", "nolastname", QC_ID());
    add("late", 5.0f);
    manager.fSort();  // deferred to the end of the pass
    first->action = nullptr;
  };
  manager.fUpdate();
  ASSERT_NE(detached, nullptr);
  EXPECT_EQ(detached->_managerMark, 0u);
  // The victim was deleted and never visited, the detached object left the pass, and the late
  // object was stepped in the same pass and sorted in at its end.
  EXPECT_EQ(journal, (JOURNAL{"1first", "~victim", "1late"}));
  const auto& objects = manager.fGetObjects();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_TRUE(objects[0]->isName("late"));
  EXPECT_TRUE(objects[1]->isName("first"));
  delete detached;
}

// An object whose handler takes it out of the list and then asks to go is deleted exactly once,
// in an update pass and in a counting broadcast alike; the pass goes on behind it.
TEST_F(ObjectManager, AnObjectThatDetachesItselfAndAsksToGoIsDeletedOnce) {
  for (const bool broadcast : {false, true}) {
    SCOPED_TRACE(broadcast ? "counting broadcast" : "update pass");
    journal.clear();
    Tracer* leaving = add("leaving", 2.0f, QC_BASE::kDeleteMe);
    add("after", 1.0f);
    leaving->action = [&]() { EXPECT_EQ(manager.fDetach("leaving", nullptr, QC_ID()), leaving); };
    if (broadcast) {
      EXPECT_EQ(manager.fSendMessageCount(1, 0, 0, 0, 0, "leaving", nullptr, QC_ID(), 0, 0), 1);
    } else {
      manager.fUpdate();
    }
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "~leaving"), 1);
    if (!broadcast) {
      EXPECT_EQ(std::count(journal.begin(), journal.end(), "1after"), 1);
    }
    EXPECT_EQ(manager.fFind("leaving"), nullptr);
    manager.fDeleteAll();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "~leaving"), 1) << "deleted again";
  }
}

TEST_F(ObjectManager, BroadcastsLookupsAndTheTable) {
  Tracer* a = add("ghost", 2.0f);
  Tracer* b = add("ghost", 1.0f, QC_BASE::kDeleteMe);
  add("other", 0.0f);
  a->_lastName = "family";
  b->_id.fSet('g', 'h', 'o', 's');
  EXPECT_EQ(manager.fFind("ghost"), a);
  EXPECT_EQ(manager.fFind("missing"), nullptr);
  // The broadcast answers with the last object reached and acts on nothing.
  EXPECT_EQ(manager.fSendMessage(7, 0, 0, 0, 0, "ghost", nullptr, QC_ID(), 0, 0), 0);
  EXPECT_EQ(manager.fSendMessage(7, 0, 0, 0, 0, nullptr, "family", QC_ID(), 0, 0), 0);
  EXPECT_EQ(manager.fSendMessage(1, 0, 0, 0, 0, nullptr, nullptr, QC_ID('g', 'h', 'o', 's'), 0, 0), -113);
  EXPECT_EQ(journal, (JOURNAL{"7ghost", "7ghost", "7ghost", "1ghost"}));
  // A level criterion matches no object at all.
  journal.clear();
  EXPECT_EQ(manager.fSendMessage(7, 0, 0, 0, 0, nullptr, nullptr, QC_ID(), 1, 0), 0);
  EXPECT_EQ(manager.fSendMessageCount(7, 0, 0, 0, 0, nullptr, nullptr, QC_ID(), 0, 1), 0);
  EXPECT_TRUE(journal.empty());
  // The counting broadcast stops at the object that finishes and deletes it.
  EXPECT_EQ(manager.fSendMessageCount(1, 0, 0, 0, 0, nullptr, nullptr, QC_ID(), 0, 0), 2);
  EXPECT_EQ(journal, (JOURNAL{"1ghost", "1ghost", "~ghost"}));

  qor_test::LogCapture log;
  EXPECT_EQ(manager.fDelete("missing", QC_ID()), -1);
  EXPECT_TRUE(log.contains("fDelete"));
  EXPECT_EQ(manager.fDetach("ghost", "strangers", QC_ID()), nullptr);
  EXPECT_EQ(manager.fGetObjects().size(), 3u);
  log.clear();
  manager.fUpdate();  // sorted, the null gone
  manager.fDump();
  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "--------+---------------+---------------+---------------+---------------+",
                             "NAME    |   LAST_NAME   |       Z       |     Update    |     Render    | ",
                             "--------+---------------+---------------+---------------+---------------+",
                             "ghost\t|\tfamily\t|\t2\t|\t1\t|\t1\t|",
                             "other\t|\tnolastname\t|\t0\t|\t1\t|\t1\t|",
                             "--------+---------------+---------------+---------------+---------------+"}));
}

}  // namespace
