// Batched drawing on the recording device: when the batch draws, what it draws, the render-state
// filter, world transforms, particles through the point ring, and refused submissions.
#include "engine/objects/qc_particle.h"
#include "engine/render/qc_render.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/kit/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using namespace QOR;
using namespace render_test;

namespace {

class RenderBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    render = std::make_unique<QC_RENDER>();
    ASSERT_EQ(render->fInit(nullptr, 0.1f, 0.0f), 1);
    a = render->fCreateTexture(4, 4);
    b = render->fCreateTexture(4, 4);
    ASSERT_EQ(render->BeginScene(), 1);
    host_test::fRecordedCalls().clear();
  }

  static QC_RENDER_STATE untextured(int kind) {
    QC_RENDER_STATE state;
    state.fSetPrimitive(kind);
    state.fSet(QC_RENDER_STATE::kScreen, true);
    return state;
  }

  std::unique_ptr<QC_RENDER> render;
  QC_TEXTURE_INFO* a = nullptr;
  QC_TEXTURE_INFO* b = nullptr;
};

TEST_F(RenderBatch, TwoSpritesWithOneTextureDrawAsOneIndexedCallAtTheEndOfTheFrame) {
  fDrawQuad(*render, fQuad(0, 0, 10, 10, 0xFF112233u), a, fSpriteState());
  fDrawQuad(*render, fQuad(20, 0, 10, 10, 0xFF445566u), a, fSpriteState());
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 0);
  EXPECT_EQ(render->EndScene(), 0);
  const auto draws = fCalls("DrawIndexedPrimitive");
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<double>{D3DPT_TRIANGLELIST, 0, 0, 8, 0, 4}));
  ASSERT_EQ(draws[0].vertices.size(), 8u * 36u);
  EXPECT_EQ(draws[0].indices, (std::vector<std::uint16_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
  EXPECT_FLOAT_EQ(fDrawnVertex(draws[0], 5).x, 30.0f);
  EXPECT_EQ(fDrawnVertex(draws[0], 5).color.fGetARGB(), 0xFF445566u);
  EXPECT_FLOAT_EQ(fDrawnVertex(draws[0], 6).u, 1.0f);
  // The draw comes before the scene ends and the frame is presented.
  const auto names = fCallNames();
  const auto draw = std::find(names.begin(), names.end(), "DrawIndexedPrimitive");
  EXPECT_LT(draw - names.begin(), std::find(names.begin(), names.end(), "EndScene") - names.begin());
  EXPECT_EQ(render->fGetDrawCount(), 2u);
  EXPECT_EQ(render->fGetFlushCount(), 1u);
}

TEST_F(RenderBatch, ANewTextureDrawsWhatIsPendingBeforeItsOwnVerticesEnter) {
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  fDrawQuad(*render, fQuad(0, 0, 10, 10), b, fSpriteState());
  auto draws = fCalls("DrawIndexedPrimitive");
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args[3], 8);
  EXPECT_EQ(render->fGetBatchVertexCount(), 4);
  EXPECT_EQ(render->fGetCurrentTexture(), b);
  // The texture binds follow the handles.
  const auto binds = fCalls("SetTexture");
  ASSERT_EQ(binds.size(), 2u);
  EXPECT_EQ(binds[0].args[1], host_test::fSerialOf(a->_texture));
  EXPECT_EQ(binds[1].args[1], host_test::fSerialOf(b->_texture));
  render->EndScene();
  EXPECT_EQ(fCalls("DrawIndexedPrimitive").size(), 2u);
}

TEST_F(RenderBatch, ANewStateDrawsWhatIsPendingUnderTheOldState) {
  QC_RENDER_STATE additive = fSpriteState();
  additive.fSet(QC_RENDER_STATE::kAdditive, true);
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  host_test::fRecordedCalls().clear();
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, additive);
  const auto names = fCallNames();
  const auto draw = std::find(names.begin(), names.end(), "DrawIndexedPrimitive");
  ASSERT_NE(draw, names.end());
  // The pending quad is drawn before the blend state changes.
  const auto blend = std::find(names.begin(), names.end(), "SetRenderState");
  EXPECT_LT(draw - names.begin(), blend - names.begin());
  EXPECT_EQ(render->fGetBatchVertexCount(), 4);
  EXPECT_EQ(render->fGetCurrentState(), additive);
}

TEST_F(RenderBatch, TheQuadThatWouldOverflowTheBatchDrawsTheFullBatchFirst) {
  const auto quad = fQuad(0, 0, 1, 1);
  for (int i = 0; i < 2048; ++i) fDrawQuad(*render, quad, a, fSpriteState());
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 0);
  EXPECT_EQ(render->fGetBatchVertexCount(), 8192);
  fDrawQuad(*render, quad, a, fSpriteState());
  const auto draws = fCalls("DrawIndexedPrimitive");
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].args, (std::vector<double>{D3DPT_TRIANGLELIST, 0, 0, 8192, 0, 4096}));
  EXPECT_EQ(render->fGetBatchVertexCount(), 4);
  EXPECT_EQ(render->fGetBatchIndexCount(), 6);
}

TEST_F(RenderBatch, LocksDiscardAtTheStartOfABatchAndAppendAfter) {
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  const auto vertexLocks = fCalls("LockVertexBuffer");
  ASSERT_EQ(vertexLocks.size(), 2u);
  EXPECT_EQ(vertexLocks[0].args[1], 0);
  EXPECT_EQ(vertexLocks[0].args[3], D3DLOCK_DISCARD);
  EXPECT_EQ(vertexLocks[1].args[1], 4 * 36);
  EXPECT_EQ(vertexLocks[1].args[2], 4 * 36);
  EXPECT_EQ(vertexLocks[1].args[3], D3DLOCK_NOOVERWRITE);
  const auto indexLocks = fCalls("LockIndexBuffer");
  ASSERT_EQ(indexLocks.size(), 2u);
  EXPECT_EQ(indexLocks[0].args[3], D3DLOCK_DISCARD);
  EXPECT_EQ(indexLocks[1].args[1], 12);
  EXPECT_EQ(indexLocks[1].args[3], D3DLOCK_NOOVERWRITE);
}

TEST_F(RenderBatch, LinesAndUnindexedTrianglesJoinTheirBatches) {
  render->fDrawLine(0, 0, 10, 10, 0xFFFF0000u);
  render->fDrawLine(5, 5, 20, 20, 0xFF00FF00u);
  render->fFlush();
  const auto lines = fCalls("DrawIndexedPrimitive");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].args, (std::vector<double>{D3DPT_LINELIST, 0, 0, 4, 0, 2}));
  EXPECT_FLOAT_EQ(fDrawnVertex(lines[0], 3).x, 20.0f);
  EXPECT_FLOAT_EQ(fDrawnVertex(lines[0], 3).z, 1.0f);

  const QC_RENDER_STATE triangles = untextured(2);
  const auto quad = fQuad(0, 0, 10, 10);
  render->fDrawBatch(quad.data(), nullptr, &triangles, 3, nullptr, 0);
  render->fDrawBatch(quad.data() + 1, nullptr, &triangles, 3, nullptr, 0);
  render->fFlush();
  const auto plain = fCalls("DrawPrimitive");
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].args, (std::vector<double>{D3DPT_TRIANGLELIST, 0, 2}));
  EXPECT_EQ(plain[0].vertices.size(), 6u * 36u);
}

TEST_F(RenderBatch, MixingIndexedAndUnindexedSubmissionsLosesNoVertex) {
  const QC_RENDER_STATE triangles = untextured(2);
  const auto quad = fQuad(0, 0, 10, 10);
  render->fDrawBatch(quad.data(), nullptr, &triangles, 3, nullptr, 0);
  render->fDrawBatch(quad.data(), nullptr, &triangles, 4, kQuadIndices, 6);
  render->fDrawBatch(quad.data(), nullptr, &triangles, 3, nullptr, 0);
  render->fFlush();
  const auto plain = fCalls("DrawPrimitive");
  const auto indexed = fCalls("DrawIndexedPrimitive");
  ASSERT_EQ(plain.size(), 2u);
  ASSERT_EQ(indexed.size(), 1u);
  EXPECT_EQ(plain[0].args[2], 1);
  EXPECT_EQ(indexed[0].args[5], 2);
  EXPECT_EQ(plain[1].args[2], 1);
}

TEST_F(RenderBatch, KindsBeyondTrianglesEmptyTheBatchWithoutDrawing) {
  QC_RENDER_STATE state = untextured(5);
  const auto quad = fQuad(0, 0, 10, 10);
  render->fDrawBatch(quad.data(), nullptr, &state, 4, kQuadIndices, 6);
  render->fFlush();
  EXPECT_EQ(render->fGetBatchVertexCount(), 0);
  EXPECT_EQ(render->fGetFlushCount(), 1u);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 0);
  EXPECT_EQ(host_test::fCountCalls("DrawPrimitive"), 0);
}

TEST_F(RenderBatch, StateFilterSendsOnlyWhatChanged) {
  QC_RENDER_STATE plain = fSpriteState(2);
  QC_RENDER_STATE additive = plain;
  additive.fSet(QC_RENDER_STATE::kAdditive, true);
  EXPECT_TRUE(render->fApplyState(&plain));
  EXPECT_FALSE(render->fApplyState(&plain));
  host_test::fRecordedCalls().clear();
  EXPECT_TRUE(render->fApplyState(&additive));
  EXPECT_EQ(fCallNames(), (std::vector<std::string>{"SetRenderState"}));
  EXPECT_EQ(fCalls("SetRenderState")[0].args, (std::vector<double>{D3DRS_DESTBLEND, D3DBLEND_ONE}));

  // Opaque turns blending off; filters 0..3 set both sampler filters; a point-sprite kind sets the
  // point states.
  QC_RENDER_STATE next = additive;
  next.fSet(QC_RENDER_STATE::kOpaque, true);
  next.fSetFilter(3);
  next.fSetPrimitive(3);
  host_test::fRecordedCalls().clear();
  render->fApplyState(&next);
  const auto states = fCalls("SetRenderState");
  EXPECT_EQ(states[0].args, (std::vector<double>{D3DRS_ALPHABLENDENABLE, FALSE}));
  EXPECT_EQ(fCalls("SetSamplerState").size(), 2u);
  EXPECT_EQ(fCalls("SetSamplerState")[0].args, (std::vector<double>{0, D3DSAMP_MAGFILTER, 3}));
  bool sprites = false;
  for (const auto& call : states) sprites |= call.args == std::vector<double>{D3DRS_POINTSPRITEENABLE, TRUE};
  EXPECT_TRUE(sprites);
  // Filter values above 3 set nothing.
  next.fSetFilter(9);
  host_test::fRecordedCalls().clear();
  render->fApplyState(&next);
  EXPECT_EQ(host_test::fCountCalls("SetSamplerState"), 0);
  EXPECT_EQ(render->fGetStateChangeCount(), 4u);
}

TEST_F(RenderBatch, ScreenBitChoosesTheTransformSet) {
  QC_RENDER_STATE scene = fSpriteState();
  render->fApplyState(&scene);
  host_test::fRecordedCalls().clear();
  QC_RENDER_STATE screen = scene;
  screen.fSet(QC_RENDER_STATE::kScreen, true);
  render->fApplyState(&screen);
  const auto transforms = fCalls("SetTransform");
  ASSERT_EQ(transforms.size(), 3u);
  EXPECT_EQ(transforms[0].args[0], D3DTS_WORLD);
  EXPECT_EQ(transforms[1].args[0], D3DTS_VIEW);
  EXPECT_EQ(transforms[2].args[0], D3DTS_PROJECTION);
}

TEST_F(RenderBatch, WorldTransformMovesByPivotThenTurnsScalesAndPlaces) {
  QS_TRANSFORM3 t;
  t.fSetPivot(10.0f, 0.0f, 0.0f);
  t.fSetAngle(3.14159265f / 2.0f);
  t.fSetScale(2.0f, 3.0f, 1.0f);
  t.fSetPosition(100.0f, 50.0f, 0.0f);
  render->fSetWorldTransform(t);
  std::vector<QS_VERTEX> quad = fQuad(0, 0, 10, 10);
  quad[1].fSetPosition(20.0f, 0.0f, 0.0f);  // 10 right of the pivot
  fDrawQuad(*render, quad, a, fSpriteState());
  render->fFlush();
  const auto draw = fCalls("DrawIndexedPrimitive").at(0);
  // (10, 0) from the pivot turned a quarter toward +y is (0, 10); scaled (0, 30); placed (100, 80).
  EXPECT_NEAR(fDrawnVertex(draw, 1).x, 100.0f, 1e-3f);
  EXPECT_NEAR(fDrawnVertex(draw, 1).y, 80.0f, 1e-3f);
  // The pivot itself lands on the position.
  quad[0].fSetPosition(10.0f, 0.0f, 0.0f);
  fDrawQuad(*render, quad, a, fSpriteState());
  render->fFlush();
  const auto second = fCalls("DrawIndexedPrimitive").at(1);
  EXPECT_NEAR(fDrawnVertex(second, 0).x, 100.0f, 1e-3f);
  EXPECT_NEAR(fDrawnVertex(second, 0).y, 50.0f, 1e-3f);
}

TEST_F(RenderBatch, RefusedSubmissionsAddNothing) {
  const auto quad = fQuad(0, 0, 10, 10);
  const QC_RENDER_STATE state = fSpriteState();
  const std::uint16_t outside[6] = {0, 1, 2, 0, 2, 4};
  std::vector<QS_VERTEX> many(QC_RENDER::kBatchCapacity + 1, quad[0]);
  render->fDrawBatch(quad.data(), a, nullptr, 4, kQuadIndices, 6);
  render->fDrawBatch(quad.data(), a, &state, 4, outside, 6);
  render->fDrawBatch(many.data(), a, &state, static_cast<int>(many.size()), nullptr, 0);
  render->fDrawBatch(nullptr, a, &state, 4, kQuadIndices, 6);
  render->fDrawBatch(quad.data(), a, &state, -4, kQuadIndices, 6);
  render->fDrawBatch(quad.data(), a, &state, 4, nullptr, 6);
  EXPECT_EQ(render->fGetBatchVertexCount(), 0);
  EXPECT_EQ(host_test::fCountCalls("LockVertexBuffer"), 0);
  EXPECT_EQ(render->fGetDrawCount(), 5u);  // a call without a state is not counted
  render->EndScene();
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 0);
}

TEST_F(RenderBatch, FailedLocksSkipTheSubmission) {
  host_test::fRecordingControls().failLocks = true;
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  EXPECT_EQ(render->fGetBatchVertexCount(), 0);
  EXPECT_EQ(render->fGetBatchIndexCount(), 0);
  host_test::fRecordingControls().failLocks = false;
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  render->EndScene();
  EXPECT_EQ(fCalls("DrawIndexedPrimitive").at(0).args[3], 4);
}

TEST_F(RenderBatch, TexturedStateWithoutAHandleDrawsUntextured) {
  fDrawQuad(*render, fQuad(0, 0, 10, 10), nullptr, fSpriteState());
  EXPECT_EQ(fCalls("SetTexture").at(0).args[1], 0);
  EXPECT_EQ(render->fGetCurrentTexture(), nullptr);
}

// A particle list of separately allocated particles, linked in order.
std::vector<std::unique_ptr<QC_PARTICLE>> particleList(int count) {
  std::vector<std::unique_ptr<QC_PARTICLE>> list;
  for (int i = 0; i < count; ++i) {
    list.push_back(std::make_unique<QC_PARTICLE>());
    list.back()->_base._position = QS_VEC3(static_cast<float>(i), 2.0f * static_cast<float>(i), 0.5f);
    list.back()->_base._size = 8.0f;
    list.back()->_base._color = 0xFF000000u + static_cast<std::uint32_t>(i);
    list.back()->_life = -1.0f;  // data past the point vertex is never drawn
  }
  for (int i = 0; i + 1 < count; ++i) list[i]->_next = list[i + 1].get();
  return list;
}

QC_RENDER_STATE particleState() {
  QC_RENDER_STATE state;
  state.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  state.fSet(QC_RENDER_STATE::kAdditive, true);
  state.fSetFilter(1);
  state.fSet(QC_RENDER_STATE::kTextured, true);
  state.fSetPrimitive(3);
  return state;
}

TEST_F(RenderBatch, ParticlesDrawInChunksOf512AndAdvanceTheRing) {
  const auto list = particleList(1100);
  const QC_RENDER_STATE state = particleState();
  render->fDrawParticles(list[0].get(), a, &state);
  const auto draws = fCalls("DrawPrimitive");
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].args, (std::vector<double>{D3DPT_POINTLIST, 0, 512}));
  EXPECT_EQ(draws[1].args, (std::vector<double>{D3DPT_POINTLIST, 512, 512}));
  EXPECT_EQ(draws[2].args, (std::vector<double>{D3DPT_POINTLIST, 1024, 76}));
  EXPECT_EQ(render->fGetPointRing(), 1536);
  // Each drawn point is the particle's first 20 bytes, in list order.
  ASSERT_EQ(draws[2].stride, 20u);
  QS_POINT_VERTEX last;
  std::memcpy(&last, draws[2].vertices.data() + 75 * 20, sizeof(last));
  EXPECT_FLOAT_EQ(last.x, 1099.0f);
  EXPECT_FLOAT_EQ(last.y, 2198.0f);
  EXPECT_FLOAT_EQ(last.size, 8.0f);
  EXPECT_EQ(last.color.fGetARGB(), 0xFF000000u + 1099u);
  EXPECT_EQ(fCalls("SetFVF").back().args[0], 0x62);
  EXPECT_EQ(fCalls("SetTexture").back().args[1], host_test::fSerialOf(a->_texture));
}

TEST_F(RenderBatch, ParticleRingWrapsWithADiscardingLock) {
  const auto list = particleList(10);
  const QC_RENDER_STATE state = particleState();
  for (int i = 0; i < 8; ++i) render->fDrawParticles(list[0].get(), a, &state);
  EXPECT_EQ(render->fGetPointRing(), 0);
  host_test::fRecordedCalls().clear();
  render->fDrawParticles(list[0].get(), a, &state);
  render->fDrawParticles(list[0].get(), a, &state);
  const auto locks = fCalls("LockVertexBuffer");
  ASSERT_EQ(locks.size(), 2u);
  EXPECT_EQ(locks[0].args[1], 0);
  EXPECT_EQ(locks[0].args[3], D3DLOCK_DISCARD);
  EXPECT_EQ(locks[1].args[1], 512 * 20);
  EXPECT_EQ(locks[1].args[3], D3DLOCK_NOOVERWRITE);
}

TEST_F(RenderBatch, ParticlesDrawWhatIsPendingFirstAndLeaveTheBatchRebinding) {
  const QC_RENDER_STATE state = particleState();
  const auto quad = fQuad(0, 0, 10, 10);
  render->fDrawBatch(quad.data(), b, &state, 4, nullptr, 0);
  render->fDrawParticles(nullptr, a, &state);
  EXPECT_EQ(host_test::fCountCalls("DrawPrimitive"), 1);
  const auto list = particleList(3);
  render->fDrawParticles(list[0].get(), a, &state);
  // Points of the earlier texture in the same state bind it again rather than draw with the
  // particles' texture.
  host_test::fRecordedCalls().clear();
  render->fDrawBatch(quad.data(), b, &state, 4, nullptr, 0);
  ASSERT_EQ(fCalls("SetTexture").size(), 1u);
  EXPECT_EQ(fCalls("SetTexture")[0].args[1], host_test::fSerialOf(b->_texture));
}

TEST_F(RenderBatch, StatisticsRestartWithEachFrame) {
  fDrawQuad(*render, fQuad(0, 0, 10, 10), a, fSpriteState());
  fDrawQuad(*render, fQuad(0, 0, 10, 10), b, fSpriteState());
  render->EndScene();
  EXPECT_EQ(render->fGetDrawCount(), 2u);
  EXPECT_EQ(render->fGetFlushCount(), 2u);
  ASSERT_EQ(render->BeginScene(), 1);
  EXPECT_EQ(render->fGetDrawCount(), 0u);
  EXPECT_EQ(render->fGetFlushCount(), 0u);
  EXPECT_EQ(render->fGetStateChangeCount(), 0u);
}

TEST_F(RenderBatch, StencilMaskCountsItsReferenceDown) {
  render->fBeginMask();
  EXPECT_EQ(fCalls("Clear").back().args, (std::vector<double>{0, D3DCLEAR_STENCIL, 0xFFFFFFFFu, 1.0, 0}));
  host_test::fRecordedCalls().clear();
  render->fApplyMask();
  const auto states = fCalls("SetRenderState");
  ASSERT_EQ(states.size(), 3u);
  EXPECT_EQ(states[0].args, (std::vector<double>{D3DRS_STENCILREF, 0xFE}));
  EXPECT_EQ(states[1].args, (std::vector<double>{D3DRS_STENCILFUNC, D3DCMP_LESS}));
  render->fApplyMask();
  EXPECT_EQ(fCalls("SetRenderState")[3].args, (std::vector<double>{D3DRS_STENCILREF, 0xFC}));
  render->fEndMask();
  EXPECT_EQ(fCalls("SetRenderState").back().args, (std::vector<double>{D3DRS_STENCILENABLE, FALSE}));
}

}  // namespace
