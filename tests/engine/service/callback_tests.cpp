#include "engine/service/qc_callback.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace QOR;

namespace {
std::uintptr_t g_seen = 0;
int g_calls = 0;
int remember(std::uintptr_t argument) {
  g_seen = argument;
  ++g_calls;
  return -108;
}
}  // namespace

TEST(Callbacks, MissingRecordOrFunction) {
  g_calls = 0;
  EXPECT_EQ(fInvokeCallback(nullptr, 5), -108);
  QC_CALLBACK* empty = fCreateCallback(nullptr, "label", 3);
  EXPECT_EQ(empty->_name, "label");
  EXPECT_EQ(fInvokeCallback(empty, 5), 0);
  EXPECT_EQ(g_calls, 0);
  delete empty;
}

TEST(Callbacks, DefaultArgumentStandsInForZeroAndResultIsDropped) {
  QC_CALLBACK* record = fCreateCallback(&remember, nullptr, 7);
  EXPECT_TRUE(record->_name.empty());
  EXPECT_EQ(fInvokeCallback(record, 0), 0);  // the function's -108 is not passed on
  EXPECT_EQ(g_seen, 7u);
  EXPECT_EQ(fInvokeCallback(record, 5), 0);
  EXPECT_EQ(g_seen, 5u);
  delete record;
}

TEST(Callbacks, PointerArgumentRoundTripsUnchanged) {
  struct Widget {
    int value = 42;
  } widget;
  QC_CALLBACK* record = fCreateCallback(&remember);
  fInvokeCallback(record, reinterpret_cast<std::uintptr_t>(&widget));
  ASSERT_EQ(reinterpret_cast<Widget*>(g_seen), &widget);
  EXPECT_EQ(reinterpret_cast<Widget*>(g_seen)->value, 42);
  // A high address (above 4 GiB) survives too.
  const std::uintptr_t high = (std::uintptr_t{1} << 40) | 0x1234u;
  fInvokeCallback(record, high);
  EXPECT_EQ(g_seen, high);
  delete record;
}

TEST(Callbacks, RegistrarFillsMainSlot) {
  QC_CALLBACK* before = qcMAIN;
  { QC_MAIN_REGISTRAR registrar(&remember); }
  ASSERT_NE(qcMAIN, nullptr);
  EXPECT_EQ(qcMAIN->_function, &remember);
  EXPECT_EQ(qcMAIN->_defaultArgument, 0u);
  delete qcMAIN;
  qcMAIN = before;
}
