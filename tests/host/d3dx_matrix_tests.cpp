// The D3DX matrix functions against their definitions.
#include "host/d3dx9.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

D3DXVECTOR3 transform(const D3DXMATRIX& m, float x, float y, float z) {
  const D3DXVECTOR3 in(x, y, z);
  D3DXVECTOR3 out;
  D3DXVec3TransformCoord(&out, &in, &m);
  return out;
}

void expectNear(const D3DXVECTOR3& v, float x, float y, float z, float tolerance = 1e-4f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

TEST(D3dxMatrix, MultiplyAppliesTheFirstMatrixFirst) {
  D3DXMATRIX move;
  D3DXMATRIX scale;
  D3DXMATRIX both;
  D3DXMatrixTranslation(&move, 1.0f, 0.0f, 0.0f);
  D3DXMatrixScaling(&scale, 2.0f, 2.0f, 2.0f);
  D3DXMatrixMultiply(&both, &move, &scale);
  expectNear(transform(both, 1.0f, 0.0f, 0.0f), 4.0f, 0.0f, 0.0f);
  D3DXMatrixMultiply(&both, &scale, &move);
  expectNear(transform(both, 1.0f, 0.0f, 0.0f), 3.0f, 0.0f, 0.0f);
}

TEST(D3dxMatrix, RotationsAreLeftHanded) {
  D3DXMATRIX m;
  D3DXMatrixRotationZ(&m, kPi / 2.0f);
  expectNear(transform(m, 1.0f, 0.0f, 0.0f), 0.0f, 1.0f, 0.0f);
  D3DXMatrixRotationX(&m, kPi / 2.0f);
  expectNear(transform(m, 0.0f, 1.0f, 0.0f), 0.0f, 0.0f, 1.0f);
  D3DXMatrixRotationY(&m, kPi / 2.0f);
  expectNear(transform(m, 0.0f, 0.0f, 1.0f), 1.0f, 0.0f, 0.0f);
  // Yaw and roll of a half turn mirror y and z.
  D3DXMatrixRotationYawPitchRoll(&m, kPi, 0.0f, kPi);
  expectNear(transform(m, 1.0f, 2.0f, 3.0f), 1.0f, -2.0f, -3.0f);
  // Roll first, then pitch, then yaw.
  D3DXMATRIX z;
  D3DXMATRIX x;
  D3DXMATRIX y;
  D3DXMATRIX chain;
  D3DXMatrixRotationZ(&z, 0.3f);
  D3DXMatrixRotationX(&x, 0.2f);
  D3DXMatrixRotationY(&y, 0.1f);
  D3DXMatrixMultiply(&chain, &z, &x);
  D3DXMatrixMultiply(&chain, &chain, &y);
  D3DXMatrixRotationYawPitchRoll(&m, 0.1f, 0.2f, 0.3f);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m(r, c), chain(r, c), 1e-6f);
  }
}

TEST(D3dxMatrix, InverseUndoesAndSingularMatricesAreRefused) {
  D3DXMATRIX m;
  D3DXMATRIX step;
  D3DXMatrixRotationYawPitchRoll(&m, 0.4f, -0.7f, 1.1f);
  D3DXMatrixScaling(&step, 2.0f, 3.0f, 0.5f);
  D3DXMatrixMultiply(&m, &m, &step);
  D3DXMatrixTranslation(&step, 5.0f, -6.0f, 7.0f);
  D3DXMatrixMultiply(&m, &m, &step);
  D3DXMATRIX inverse;
  float determinant = 0.0f;
  ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
  EXPECT_NEAR(determinant, 3.0f, 1e-4f);
  D3DXMATRIX product;
  D3DXMatrixMultiply(&product, &m, &inverse);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(product(r, c), r == c ? 1.0f : 0.0f, 1e-5f);
  }
  D3DXMatrixScaling(&m, 1.0f, 0.0f, 1.0f);
  inverse(0, 0) = 42.0f;
  EXPECT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), nullptr);
  EXPECT_EQ(determinant, 0.0f);
  EXPECT_EQ(inverse(0, 0), 42.0f);
}

TEST(D3dxMatrix, LookAtAndPerspectiveMapTheViewVolume) {
  const D3DXVECTOR3 eye(10.0f, 20.0f, -100.0f);
  const D3DXVECTOR3 at(10.0f, 20.0f, 0.0f);
  const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  expectNear(transform(view, 10.0f, 20.0f, 0.0f), 0.0f, 0.0f, 100.0f);
  expectNear(transform(view, 11.0f, 22.0f, 0.0f), 1.0f, 2.0f, 100.0f);
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovLH(&projection, kPi / 2.0f, 2.0f, 1.0f, 101.0f);
  expectNear(transform(projection, 0.0f, 0.0f, 1.0f), 0.0f, 0.0f, 0.0f);
  expectNear(transform(projection, 0.0f, 0.0f, 101.0f), 0.0f, 0.0f, 1.0f);
  // At distance 10 a 90-degree view spans 10 up and 20 across (aspect 2).
  expectNear(transform(projection, 20.0f, 10.0f, 10.0f), 1.0f, 1.0f, (10.0f - 1.0f) * 101.0f / 100.0f / 10.0f);
  // Degenerate inputs give finite matrices.
  D3DXMatrixPerspectiveFovLH(&projection, 0.0f, 0.0f, 5.0f, 5.0f);
  D3DXMatrixLookAtLH(&view, &eye, &eye, &up);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      EXPECT_TRUE(std::isfinite(projection(r, c)));
      EXPECT_TRUE(std::isfinite(view(r, c)));
    }
  }
}

}  // namespace
