// The list walks of message-driven objects (erasing nulls, deleting finished objects) and the
// pointer-wide message arguments carrying real pointers and float bits.
#include "engine/objects/qc_base.h"
#include "engine/objects/qc_message_arg.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace QOR;

namespace {

// Writes its tag into a shared journal on every message and on its destruction; answers the
// result it was given, for updates only.
class Tracer : public QC_BASE {
 public:
  Tracer(std::string tag, std::vector<std::string>& journal, int answer = kGoOn)
      : _tag(std::move(tag)), _journal(journal), _answer(answer) {}
  ~Tracer() override { _journal.push_back("~" + _tag); }
  int fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) override {
    _journal.push_back(std::to_string(id) + _tag);
    return id == kMessageUpdate ? _answer : kDeleteMe;
  }

 private:
  std::string _tag;
  std::vector<std::string>& _journal;
  int _answer;
};

TEST(BaseLists, UpdateWalkErasesNullsAnywhereAndDeletesFinishedObjectsOnce) {
  std::vector<std::string> journal;
  // Nulls at the front, two together in the middle, and at the end; b finishes, c stops.
  auto* a = new Tracer("a", journal);
  auto* b = new Tracer("b", journal, QC_BASE::kDeleteMe);
  auto* c = new Tracer("c", journal, QC_BASE::kStopPass);
  auto* d = new Tracer("d", journal);
  std::vector<QC_BASE*> list = {nullptr, a, nullptr, nullptr, b, c, nullptr, d, nullptr};

  QC_BASE::fUpdateList(list);
  // Every object stepped in order, -109 did not stop the walk, b was deleted at once.
  EXPECT_EQ(journal, (std::vector<std::string>{"1a", "1b", "~b", "1c", "1d"}));
  // The nulls are gone; b's entry is left null for the next walk.
  EXPECT_EQ(list, (std::vector<QC_BASE*>{a, nullptr, c, d}));

  journal.clear();
  QC_BASE::fUpdateList(list);
  EXPECT_EQ(journal, (std::vector<std::string>{"1a", "1c", "1d"}));
  EXPECT_EQ(list, (std::vector<QC_BASE*>{a, c, d}));

  // The render walk never deletes, whatever the answer (these answer -113 to renders).
  list.insert(list.begin(), nullptr);
  journal.clear();
  QC_BASE::fRenderList(list);
  EXPECT_EQ(journal, (std::vector<std::string>{"4a", "4c", "4d"}));
  EXPECT_EQ(list, (std::vector<QC_BASE*>{a, c, d}));

  // A list of nothing but nulls ends empty; an empty list is walked without harm.
  std::vector<QC_BASE*> nulls = {nullptr, nullptr, nullptr};
  QC_BASE::fUpdateList(nulls);
  EXPECT_TRUE(nulls.empty());
  QC_BASE::fRenderList(nulls);

  for (QC_BASE* object : list) delete object;
}

TEST(BaseLists, ChildrenAreWalkedButNeverFreedByTheirParent) {
  std::vector<std::string> journal;
  auto parent = std::make_unique<Tracer>("p", journal);
  Tracer child("c", journal);
  parent->_children.push_back(&child);
  QC_BASE::fUpdateList(parent->_children);
  parent.reset();
  // The parent's destruction leaves the child alone (it is destroyed here, on the stack, later).
  EXPECT_EQ(journal, (std::vector<std::string>{"1c", "~p"}));
}

// Takes message 12 (float bits in a and b) and message 38 (a pointer in d), as an owner would
// use them, and keeps what it read.
class Receiver : public QC_BASE {
 public:
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t, std::intptr_t d) override {
    if (id == kMessageMoveDisplay) {
      x = fArgToFloat(a);
      y = fArgToFloat(b);
    }
    if (id == kMessageEndCallback) pointer = fArgToPointer<std::string>(d);
    return kGoOn;
  }
  float x = 0.0f;
  float y = 0.0f;
  std::string* pointer = nullptr;
};

TEST(BaseLists, MessageArgumentsCarryPointersAndFloatBitsUnchanged) {
  Receiver receiver;
  // A real heap pointer comes back whole and can be used.
  auto text = std::make_unique<std::string>("carried");
  receiver.fMessage(QC_BASE::kMessageEndCallback, 0, 0, 0, fPointerToArg(text.get()));
  ASSERT_EQ(receiver.pointer, text.get());
  EXPECT_EQ(*receiver.pointer, "carried");
  // A word with high bits set (an address above 4 GiB) is not cut to 32 bits.
  const std::intptr_t high = static_cast<std::intptr_t>(0x00007FFD12345678LL);
  EXPECT_EQ(fPointerToArg(fArgToPointer<char>(high)), high);

  // Float bits: signs, a NaN payload, the smallest denormal, the bots' Z, the largest float.
  const std::uint32_t patterns[] = {0x3FC00000u, 0xBFC00000u, 0x80000000u, 0x7FC12345u,
                                    0x00000001u, 0x7F7FC99Eu, 0x7F7FFFFFu, 0xFF800000u};
  for (std::uint32_t bits : patterns) {
    const float value = std::bit_cast<float>(bits);
    receiver.fMessage(QC_BASE::kMessageMoveDisplay, fFloatToArg(value), fFloatToArg(-value), 0, 0);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(receiver.x), bits);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(receiver.y), bits ^ 0x80000000u);
  }
}

}  // namespace
