#include <gtest/gtest.h>

#include <climits>

#include "engine/math/qs_point.h"

namespace QOR {
namespace {

TEST(PointTest, ToStringPadsToThreeDigits) {
  EXPECT_STREQ(QS_POINT(7, 1024).fToString(), "007 1024");
  EXPECT_STREQ(QS_POINT(-5, 0).fToString(), "-005 000");
  EXPECT_STREQ(QS_POINT(5, 12).fToString(), "005 012");
  EXPECT_STREQ(QS_POINT(INT_MIN, INT_MAX).fToString(), "-2147483648 2147483647");
}

TEST(PointTest, FromStringReadsTheFirstTwoIntegers) {
  QS_POINT p(1, 2);
  p.fFromString("640 480 32");
  EXPECT_EQ(p, QS_POINT(640, 480));
  p.fFromString("640");
  EXPECT_EQ(p, QS_POINT(640, 480));
  p.fFromString("");
  EXPECT_EQ(p, QS_POINT(640, 480));
  p.fFromString("x -12");
  EXPECT_EQ(p, QS_POINT(0, -12));
  p.fFromString("99999999999 -99999999999");
  EXPECT_EQ(p, QS_POINT(INT_MAX, INT_MIN));
}

TEST(PointTest, OrderingComparesSumsAndEqualityComparesMembers) {
  EXPECT_TRUE(QS_POINT(1, 5) > QS_POINT(3, 2));
  const QS_POINT a(2, 2), b(4, 0);
  EXPECT_FALSE(a < b);
  EXPECT_FALSE(a > b);
  EXPECT_TRUE(a <= b);
  EXPECT_TRUE(a >= b);
  EXPECT_FALSE(a == b);
  EXPECT_TRUE(a != b);
  // Sums that overflow an int still order correctly.
  EXPECT_TRUE(QS_POINT(INT_MAX, INT_MAX) > QS_POINT(0, 0));
}

TEST(PointTest, ArithmeticIsMemberwise) {
  EXPECT_EQ(QS_POINT(-7, 7) / 2, QS_POINT(-3, 3));  // truncates toward zero
  QS_POINT p(10, 20);
  p -= QS_POINT(1, 2);
  p /= QS_POINT(3, 6);
  EXPECT_EQ(p, QS_POINT(3, 3));
  EXPECT_EQ(p[1], 3);
  EXPECT_EQ(p[2], 0);
  EXPECT_EQ(p[-1], 0);
}

TEST(PointTest, OverflowAndZeroDivisorsDoNotTrap) {
  EXPECT_EQ(QS_POINT(INT_MAX, 0) + 1, QS_POINT(INT_MIN, 1));
  EXPECT_EQ(-QS_POINT(INT_MIN, 0), QS_POINT(INT_MIN, 0));
  EXPECT_EQ(QS_POINT(INT_MIN, 8) / -1, QS_POINT(INT_MIN, -8));
  EXPECT_EQ(QS_POINT(5, 8) / QS_POINT(0, 2), QS_POINT(0, 4));
  QS_POINT p(5, 5);
  p /= 0;
  EXPECT_EQ(p, QS_POINT(0, 0));
}

TEST(PointTest, LengthDifference) {
  EXPECT_EQ(QS_POINT(3, 4).fLengthDifference(QS_POINT(0, 0)), 5);
  EXPECT_EQ(QS_POINT(0, 0).fLengthDifference(QS_POINT(6, 8)), 10);
  EXPECT_EQ(QS_POINT(1, 1).fLengthDifference(QS_POINT(0, 0)), 1);
  EXPECT_EQ(QS_POINT(INT_MIN, INT_MIN).fLengthDifference(QS_POINT(0, 0)), INT_MAX);
}

}  // namespace
}  // namespace QOR
