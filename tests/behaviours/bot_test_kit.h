// Shared pieces of the behaviour component tests: a fixed frame delta, a callback that counts its
// firings through a real pointer, and stepping a bot until it finishes.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace bot_test {

// Every test steps at 1/8 s, a binary fraction, so sums of steps are exact.
inline constexpr float kDt = 0.125f;

class BotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = QOR::qcFrameTime;
    QOR::qcFrameTime = kDt;
  }
  void TearDown() override { QOR::qcFrameTime = saved_; }

 private:
  float saved_ = 0.0f;
};

// A heap callback whose default argument is the address of a counter; each firing adds one to the
// counter through that address, so a truncated pointer would not reach it.
struct CountingCallback {
  CountingCallback() : record(std::make_unique<QOR::QC_CALLBACK>(&Fire, "count", reinterpret_cast<std::uintptr_t>(&count))) {}
  static int Fire(std::uintptr_t argument) {
    ++*reinterpret_cast<int*>(argument);
    return 0;
  }
  // Hands the record to a bot by message 38.
  void AttachTo(QOR::QC_BASE& bot) {
    EXPECT_EQ(bot.fMessage(QOR::QC_BASE::kMessageEndCallback, 0, 0, 0, QOR::fPointerToArg(record.get())), 0);
  }
  int count = 0;
  std::unique_ptr<QOR::QC_CALLBACK> record;
};

// Sends update messages until the bot answers -113 or limit steps have run; returns the number of
// the finishing step (1-based), or 0 when it never finished.
inline int StepsToFinish(QOR::QC_BASE& bot, int limit) {
  for (int step = 1; step <= limit; ++step) {
    if (bot.fUpdate() == QOR::QC_BASE::kDeleteMe) return step;
  }
  return 0;
}

}  // namespace bot_test
