// Reading form values: decimal numbers in the C locale, lists that are too short or hold numbers
// that cannot be used, and colours kept to 8 bits per channel.
#include "gui/factory/form_values.h"

#include <gtest/gtest.h>

#include <climits>

using namespace QOR;

namespace {

TEST(FormValues, NumbersReadAsDecimalTextAndNotNumbersAsZero) {
  EXPECT_EQ(fFormToInt("42"), 42);
  EXPECT_EQ(fFormToInt(" -7px"), -7);
  EXPECT_EQ(fFormToInt("+3"), 3);
  EXPECT_EQ(fFormToInt("abc"), 0);
  EXPECT_EQ(fFormToInt("0x10"), 0);
  EXPECT_EQ(fFormToInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(fFormToInt("-99999999999"), INT_MIN);
  EXPECT_EQ(fFormToUnsigned("-5"), 0u);
  EXPECT_EQ(fFormToUnsigned("4294967295"), 4294967295u);

  float value = 9.0f;
  EXPECT_TRUE(fFormToFloat("2.5", value));
  EXPECT_FLOAT_EQ(value, 2.5f);
  EXPECT_TRUE(fFormToFloat("1e2", value));
  EXPECT_FLOAT_EQ(value, 100.0f);
  EXPECT_TRUE(fFormToFloat("2,5", value));  // the C locale: the comma ends the number
  EXPECT_FLOAT_EQ(value, 2.0f);
  EXPECT_TRUE(fFormToFloat("word", value));
  EXPECT_FLOAT_EQ(value, 0.0f);
  EXPECT_FALSE(fFormToFloat("nan", value));
  EXPECT_FALSE(fFormToFloat("-inf", value));
  EXPECT_FALSE(fFormToFloat("1e60", value));
  // Measures far beyond any screen are refused too.
  EXPECT_TRUE(fFormToFloat("-1000000", value));
  EXPECT_TRUE(fFormToFloat("1000000", value));
  EXPECT_FLOAT_EQ(value, 1000000.0f);
  EXPECT_FALSE(fFormToFloat("1000000.5", value));
  EXPECT_FALSE(fFormToFloat("-1000000.5", value));
  int measure = 3;
  EXPECT_TRUE(fFormToMeasure("-1000000", measure));
  EXPECT_EQ(measure, -1000000);
  EXPECT_FALSE(fFormToMeasure("2147483647", measure));
  EXPECT_EQ(measure, -1000000);
  // Both limits are inclusive: one past either is refused.
  EXPECT_TRUE(fFormToMeasure("1000000", measure));
  EXPECT_EQ(measure, 1000000);
  EXPECT_FALSE(fFormToMeasure("1000001", measure));
  EXPECT_FALSE(fFormToMeasure("-1000001", measure));
  EXPECT_EQ(measure, 1000000);
}

TEST(FormValues, ListsNeedEnoughUsableNumbers) {
  float two[2] = {-1.0f, -1.0f};
  EXPECT_FALSE(fFormFloats("5", 2, two));
  EXPECT_FLOAT_EQ(two[0], -1.0f);  // untouched
  EXPECT_FALSE(fFormFloats("5 nan", 2, two));
  EXPECT_FALSE(fFormFloats(nullptr, 2, two));
  EXPECT_TRUE(fFormFloats("\n  5\t 6 7\n", 2, two));
  EXPECT_FLOAT_EQ(two[0], 5.0f);
  EXPECT_FLOAT_EQ(two[1], 6.0f);

  int pair[2] = {0, 0};
  EXPECT_FALSE(fFormInts("", 2, pair));
  EXPECT_TRUE(fFormInts("3 x", 2, pair));
  EXPECT_EQ(pair[1], 0);
  EXPECT_FALSE(fFormInts("3 99999999", 2, pair));
  EXPECT_EQ(pair[0], 3);

  std::uint32_t argb = 0;
  EXPECT_TRUE(fFormColor("255 255 0 0", argb));
  EXPECT_EQ(argb, 0xFFFF0000u);
  EXPECT_TRUE(fFormColor("256 -1 18 99999986", argb));  // each channel kept to 8 bits
  EXPECT_EQ(argb, 0x00FF12F2u);
  argb = 7;
  EXPECT_FALSE(fFormColor("255 255 0", argb));
  EXPECT_EQ(argb, 7u);
}

}  // namespace
