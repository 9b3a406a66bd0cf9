// The vertex array: its bounds, the order of its rotations, whole transforms, and who frees which
// block.
#include "engine/render/qs_vertex_array.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace QOR;

namespace {

constexpr float kQuarter = std::numbers::pi_v<float> / 2.0f;

QS_VERTEX vertexAt(float x, float y, float z) {
  QS_VERTEX vertex;
  vertex.fSetPosition(x, y, z);
  vertex.nx = vertex.ny = vertex.nz = 0.0f;
  vertex.fSetColor(0xFF000000u);
  vertex.fSetUV(0.0f, 0.0f);
  return vertex;
}

void expectAt(const QS_VERTEX* v, float x, float y, float z) {
  ASSERT_NE(v, nullptr);
  EXPECT_NEAR(v->x, x, 1e-5f);
  EXPECT_NEAR(v->y, y, 1e-5f);
  EXPECT_NEAR(v->z, z, 1e-5f);
}

TEST(VertexArray, VerticesAreReachedOnlyInsideTheCount) {
  QS_VERTEX block[3] = {vertexAt(1, 0, 0), vertexAt(2, 0, 0), vertexAt(3, 0, 0)};
  QS_VERTEX_ARRAY array(block, 3, nullptr, 0);
  EXPECT_EQ(array.fGetVertex(2), block + 2);
  EXPECT_EQ(array.fGetVertex(3), nullptr);
  EXPECT_EQ(array.fGetVertex(-1), nullptr);
  EXPECT_EQ(array.fGetColor(), 0xFF000000u);
  array.fSetColor(0x12345678u);
  EXPECT_EQ(block[1].color.fGetARGB(), 0x12345678u);
  EXPECT_EQ(array.fGetColor(), 0x12345678u);

  QS_VERTEX_ARRAY empty;
  EXPECT_EQ(empty.fGetCount(), 0);
  EXPECT_EQ(empty.fGetVertex(0), nullptr);
  EXPECT_EQ(empty.fGetColor(), 0u);
  // A count without a block reaches nothing.
  QS_VERTEX_ARRAY hollow(nullptr, 5, nullptr, 0);
  EXPECT_EQ(hollow.fGetVertex(0), nullptr);
  hollow.fSetColor(1u);
  hollow.fTranslate(1, 1, 1);
  hollow.fCloseLoop();
}

TEST(VertexArray, RotationTurnsZThenXThenYAndSkipsZeroAngles) {
  QS_VERTEX block[1] = {vertexAt(1, 0, 0)};
  QS_VERTEX_ARRAY array(block, 1, nullptr, 0);
  array.fRotate(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(block[0].x, 1.0f);
  EXPECT_EQ(block[0].y, 0.0f);
  // z first takes (1, 0, 0) to (0, 1, 0); then x takes it to (0, 0, -1). The other order would
  // leave (0, 1, 0).
  array.fRotate(kQuarter, 0.0f, kQuarter);
  expectAt(&block[0], 0.0f, 0.0f, -1.0f);
  // y in the xz plane: (0, 0, -1) goes to (1, 0, 0).
  array.fRotate(0.0f, kQuarter, 0.0f);
  expectAt(&block[0], 1.0f, 0.0f, 0.0f);
}

TEST(VertexArray, AWholeTransformTranslatesTurnsAndScalesAboutThePivot) {
  // Per vertex: add the position, turn, then scale about the pivot.
  QS_VERTEX one[1] = {vertexAt(1, 0, 0)};
  QS_VERTEX_ARRAY single(one, 1, nullptr, 0);
  QS_TRANSFORM3 t;
  t.fSetPosition(1, 0, 0);
  t.fSetAngle(kQuarter);
  t.fSetPivot(0, 1, 0);
  t.fSetScale(3, 3, 1);
  single.fApplyTransform(t);
  // (1,0) + (1,0) = (2,0); turned to (0,2); scaled about (0,1): (0, 1 + 1*3) = (0, 4).
  expectAt(&one[0], 0, 4, 0);
}

TEST(VertexArray, CopiesAreDeepAndOnlyMadeStorageIsFreed) {
  QS_VERTEX block[3] = {vertexAt(1, 0, 0), vertexAt(2, 0, 0), vertexAt(3, 0, 0)};
  const std::uint16_t indices[3] = {2, 1, 0};
  QS_VERTEX_ARRAY source(block, 3, indices, 3);
  QS_VERTEX_ARRAY copy;
  copy = source;
  EXPECT_EQ(copy.fGetCount(), 3);
  EXPECT_EQ(copy.fGetIndexCount(), 3);
  EXPECT_NE(copy.fGetVertex(0), block);
  EXPECT_NE(copy.fGetIndices(), indices);
  EXPECT_EQ(copy.fGetIndices()[0], 2);
  block[0].x = 99.0f;
  EXPECT_FLOAT_EQ(copy.fGetVertex(0)->x, 1.0f);
  copy = copy;  // copying onto itself keeps everything
  EXPECT_FLOAT_EQ(copy.fGetVertex(2)->x, 3.0f);
  QS_VERTEX_ARRAY constructed(copy);
  EXPECT_NE(constructed.fGetVertex(0), copy.fGetVertex(0));
  EXPECT_FLOAT_EQ(constructed.fGetVertex(1)->x, 2.0f);

  // Freeing or reallocating an adopted (stack) block never deletes it; the array forgets it.
  source.fFree();
  EXPECT_EQ(source.fGetCount(), 0);
  EXPECT_EQ(source.fGetVertex(0), nullptr);
  source.fSetVertices(block, 3);
  source.fAllocate(2);
  EXPECT_EQ(source.fGetCount(), 2);
  EXPECT_NE(source.fGetVertex(0), block);
  EXPECT_EQ(source.fGetColor(), 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(source.fGetVertex(1)->x, 0.0f);
  source.fAllocate(0);
  EXPECT_EQ(source.fGetVertex(0), nullptr);
  source.fAllocate(-4);
  EXPECT_EQ(source.fGetCount(), 0);
  // Adopting a block after allocating one frees the allocated one (no leak under the sanitizer).
  source.fAllocate(4);
  source.fSetVertices(block, 3);
  EXPECT_EQ(source.fGetVertex(0), block);
  copy.fSetIndices(indices, 3);
  EXPECT_EQ(copy.fGetIndices(), indices);
}

}  // namespace
