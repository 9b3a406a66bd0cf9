#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "engine/math/qs_transform3.h"

namespace QOR {
namespace {

constexpr float kHalfPi = 1.5707964f;

TEST(TransformTest, DefaultCopyAndAssignment) {
  QS_TRANSFORM3 parent;
  EXPECT_EQ(parent._leadingWord, 0u);
  EXPECT_EQ(parent._scale, QS_VEC3(1.0f));
  EXPECT_TRUE(parent._pivot.isZero() && parent._rotation.isZero() && parent._position.isZero());
  EXPECT_EQ(parent._parent, nullptr);

  QS_TRANSFORM3 child;
  child._leadingWord = 77;
  child.fSetPivot(1, 2, 3).fSetScale(4, 5, 6).fSetAngle(0.5f);
  child.fSetPosition(7, 8, 9);
  child.fSetParent(&parent);
  const QS_TRANSFORM3 copy(child);
  EXPECT_EQ(copy._parent, &parent);
  EXPECT_EQ(copy._leadingWord, 0u);  // the copy constructor leaves the leading word alone
  EXPECT_EQ(copy._pivot, QS_VEC3(1, 2, 3));
  EXPECT_EQ(copy._scale, QS_VEC3(4, 5, 6));
  EXPECT_EQ(copy._rotation, QS_VEC3(0, 0, 0.5f));
  EXPECT_EQ(copy._position, QS_VEC3(7, 8, 9));
  QS_TRANSFORM3 assigned;
  assigned = child;
  EXPECT_EQ(assigned._leadingWord, 77u);
}

TEST(TransformTest, SettersAddAndParentSwap) {
  QS_TRANSFORM3 t;
  t.fSetPositionVec3(QS_VEC3(1, 2, 3));
  t.fSetPositionVec2(QS_VEC2(5, 6));
  EXPECT_EQ(t._position, QS_VEC3(5, 6, 3));
  t.fAddScale(1, 1, 1);
  EXPECT_EQ(t._scale, QS_VEC3(2.0f));  // added, not multiplied
  t.fMove(1, -1).fAddPosition(0, 0, 1);
  EXPECT_EQ(t._position, QS_VEC3(6, 5, 4));
  QS_VEC2 out;
  EXPECT_EQ(&t.fGetPositionTo(out), &out);
  EXPECT_EQ(out.x, 6.0f);
  EXPECT_EQ(out.y, 5.0f);

  QS_TRANSFORM3 a, b;
  EXPECT_EQ(t.fSetParent(&a), nullptr);
  EXPECT_EQ(t.fSetParent(&b), &a);
  EXPECT_EQ(t.fSetParent(nullptr), &b);
}

TEST(TransformTest, TextFormRoundTripsAndShortTextKeepsDefaults) {
  EXPECT_STREQ(QS_TRANSFORM3().fToString(),
               "0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 1.000 1.000 1.000");
  QS_TRANSFORM3 t;
  t.fSetPosition(1, 2, 3);
  t.fSetPivot(4, 5, 6).fSetScale(10, 11, 12);
  t.fSetRotation(7, 8, 9.25f);
  const std::string text = t.fToString();
  EXPECT_EQ(text, "1.000 2.000 3.000 4.000 5.000 6.000 7.000 8.000 9.250 10.000 11.000 12.000");
  const QS_TRANSFORM3 back(text.c_str());
  EXPECT_EQ(back._position, t._position);
  EXPECT_EQ(back._pivot, t._pivot);
  EXPECT_EQ(back._rotation, t._rotation);
  EXPECT_EQ(back._scale, t._scale);
  EXPECT_EQ(back._parent, nullptr);

  const QS_TRANSFORM3 shortText("1 2 3 4 5 6 7 8 9 10 11");
  EXPECT_EQ(shortText._position, QS_VEC3(0.0f));
  EXPECT_EQ(shortText._scale, QS_VEC3(1.0f));
  const QS_TRANSFORM3 none(nullptr);
  EXPECT_EQ(none._scale, QS_VEC3(1.0f));

  // Extreme values fit the shared buffer.
  QS_TRANSFORM3 huge;
  huge.fSetPosition(-3.4e38f, -3.4e38f, -3.4e38f);
  huge.fSetScale(-3.4e38f, -3.4e38f, -3.4e38f);
  EXPECT_EQ(std::string(huge.fToString()).size(), 6 * 44 + 6 * 5 + 11u);
}

TEST(TransformTest, WorldScalesMovesAndTurnsThroughTheParent) {
  QS_TRANSFORM3 parent;
  parent.fSetPosition(100, 50, 7);
  parent.fSetScale(2, 2, 1);
  QS_TRANSFORM3 child;
  child.fSetPosition(10, 10, 3);
  child.fSetPivot(1, 1, 1);
  child.fSetParent(&parent);

  const QS_TRANSFORM3 world = child.fGetWorld(false, false, false);
  EXPECT_EQ(world._position, QS_VEC3(120, 70, 3));  // z neither scaled nor moved
  EXPECT_EQ(world._scale, QS_VEC3(2, 2, 1));
  EXPECT_EQ(world._pivot, QS_VEC3(1, 1, 1));
  EXPECT_EQ(world._parent, &parent);

  const QS_TRANSFORM3 unscaled = child.fGetWorld(false, false, true);
  EXPECT_EQ(unscaled._position, QS_VEC3(110, 60, 3));
  EXPECT_EQ(unscaled._scale, QS_VEC3(1.0f));
  EXPECT_EQ(child.fGetWorld(true, false, false)._position, QS_VEC3(20, 20, 3));

  QS_TRANSFORM3 turner;
  turner.fSetAngle(kHalfPi);
  QS_TRANSFORM3 arm;
  arm.fSetPosition(10, 0, 0);
  arm.fSetAngle(0.25f);
  arm.fSetParent(&turner);
  const QS_TRANSFORM3 turned = arm.fGetWorld(false, false, false);
  EXPECT_NEAR(turned._position.x, 0.0f, 1e-5f);
  EXPECT_NEAR(turned._position.y, 10.0f, 1e-5f);
  EXPECT_FLOAT_EQ(turned._rotation.z, 0.25f + kHalfPi);
  EXPECT_EQ(arm.fGetWorld(false, true, false)._position, QS_VEC3(10, 0, 0));
}

TEST(TransformTest, WorldOfAChainUsesCompleteParentWorlds) {
  QS_TRANSFORM3 t1, t2, t3;
  t1.fSetPosition(100, 100, 0);
  t1.fSetScale(2, 2, 1);
  t2.fSetPosition(10, 0, 0);
  t2.fSetParent(&t1);
  t3.fSetPosition(1, 1, 0);
  t3.fSetParent(&t2);
  // T2's world: (120, 100) scale 2; T3 scaled by it and moved: (122, 102).
  EXPECT_EQ(t3.fGetWorld(false, false, false)._position, QS_VEC3(122, 102, 0));
  const QS_TRANSFORM3 skipped = t3.fGetWorld(true, true, true);
  EXPECT_EQ(skipped._position, QS_VEC3(1, 1, 0));
  EXPECT_EQ(t2.fGetWorld(true, true, true)._position, QS_VEC3(10, 0, 0));
  // A parent scaled differently on x and y scales each axis of the chain by its own factor.
  QS_TRANSFORM3 wide, middle, leaf;
  wide.fSetPosition(100, 100, 0);
  wide.fSetScale(2, 3, 1);
  middle.fSetPosition(10, 20, 0);
  middle.fSetParent(&wide);
  leaf.fSetPosition(1, 1, 0);
  leaf.fSetParent(&middle);
  const QS_TRANSFORM3 middleWorld = middle.fGetWorld(false, false, false);
  EXPECT_EQ(middleWorld._position, QS_VEC3(120, 160, 0));
  EXPECT_EQ(middleWorld._scale, QS_VEC3(2, 3, 1));
  const QS_TRANSFORM3 leafWorld = leaf.fGetWorld(false, false, false);
  EXPECT_EQ(leafWorld._position, QS_VEC3(122, 163, 0));
  EXPECT_EQ(leafWorld._scale, QS_VEC3(2, 3, 1));
  QS_TRANSFORM3 lone;
  lone._leadingWord = 9;
  lone.fSetPosition(3, 4, 5);
  const QS_TRANSFORM3 same = lone.fGetWorld(false, false, false);
  EXPECT_EQ(same._leadingWord, 9u);
  EXPECT_EQ(same._position, lone._position);
}

TEST(TransformTest, WorldEndsOnParentCycles) {
  QS_TRANSFORM3 self;
  self.fSetPosition(5, 5, 0);
  self.fSetParent(&self);
  EXPECT_EQ(self.fGetWorld(false, false, false)._position, QS_VEC3(5, 5, 0));

  QS_TRANSFORM3 a, b, c;
  a.fSetPosition(1, 0, 0);
  b.fSetPosition(10, 0, 0);
  c.fSetPosition(100, 0, 0);
  a.fSetParent(&b);
  b.fSetParent(&c);
  c.fSetParent(&a);  // a -> b -> c -> a: the chain is cut before a comes back
  EXPECT_EQ(a.fGetWorld(false, false, false)._position, QS_VEC3(111, 0, 0));
  EXPECT_EQ(b.fGetWorld(false, false, false)._position, QS_VEC3(111, 0, 0));

  // A long chain closing on its middle goes past the linear check and still ends.
  std::vector<QS_TRANSFORM3> chain(200);
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) chain[i].fSetParent(&chain[i + 1]);
  for (QS_TRANSFORM3& t : chain) t.fSetPosition(1, 0, 0);
  chain.back().fSetParent(&chain[100]);
  EXPECT_EQ(chain[0].fGetWorld(false, false, false)._position.x, 200.0f);
}

TEST(TransformTest, CombineMovesTurnsButDoesNotScaleThePosition) {
  QS_TRANSFORM3 parent;
  parent.fSetPosition(10, 10, 0);
  parent.fSetScale(3, 3, 3);
  parent.fSetAngle(kHalfPi);
  QS_TRANSFORM3 t;
  t.fSetPosition(5, 0, 0);
  EXPECT_EQ(&t.fCombine(parent), &t);
  EXPECT_NEAR(t._position.x, 10.0f, 1e-5f);
  EXPECT_NEAR(t._position.y, 15.0f, 1e-5f);
  EXPECT_EQ(t._scale, QS_VEC3(3.0f));
  EXPECT_FLOAT_EQ(t._rotation.z, kHalfPi);
}

TEST(TransformTest, ToLocalAndRotations) {
  QS_TRANSFORM3 t;
  t.fSetPosition(100, 100, 0);
  float x = 110, y = 95;
  QS_TRANSFORM3::fToLocal(x, y, t);
  EXPECT_FLOAT_EQ(x, -10.0f);
  EXPECT_FLOAT_EQ(y, 5.0f);

  t.fSetScale(2, 0.5f, 1).fSetPivot(1, 2, 0).fSetAngle(kHalfPi);
  x = 100;  // (100, 110) turned back by a quarter turn about (100, 100) lands on (110, 100)
  y = 110;
  QS_TRANSFORM3::fToLocal(x, y, t);
  EXPECT_NEAR(x, (100 - 110 + 1) * 2.0f, 1e-4f);
  EXPECT_NEAR(y, (100 - 100 + 2) * 0.5f, 1e-4f);

  EXPECT_EQ(QS_TRANSFORM3::fToLocalInt(QS_POINT(100, 110), t), QS_POINT(11, 2));

  const QS_VEC2 r = QS_TRANSFORM3::fRotatePoint(1, 1, 2, 1, kHalfPi);
  EXPECT_NEAR(r.x, 1.0f, 1e-6f);
  EXPECT_NEAR(r.y, 2.0f, 1e-6f);
  const QS_VEC2 same = QS_TRANSFORM3::fRotatePoint(1, 1, 2.5f, 7, 0.0f);
  EXPECT_EQ(same.x, 2.5f);
  EXPECT_EQ(same.y, 7.0f);

  QS_POINT p(10, 0);
  QS_TRANSFORM3::fRotateIntPoint(0, 0, p, 0.3f);  // (9.553, 2.955) truncated
  EXPECT_EQ(p, QS_POINT(9, 2));
  QS_POINT far(INT_MAX, INT_MIN);
  QS_TRANSFORM3::fRotateIntPoint(-3e9f, 3e9f, far, 3.1415927f);  // results outside int saturate
  EXPECT_EQ(far, QS_POINT(INT_MIN, INT_MAX));
  EXPECT_TRUE(QS_TRANSFORM3::fGetZeroVec3(QS_VEC3(4, 5, 6)).isZero());
}

}  // namespace
}  // namespace QOR
