// The D3DX matrix functions, from their definitions: row vectors, left-handed coordinates.
#include "host/d3dx9.h"

#include <cmath>

namespace {

D3DXVECTOR3 subtract(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D3DXVECTOR3 cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// Unit length, or the zero vector left as it is.
D3DXVECTOR3 normalize(const D3DXVECTOR3& v) {
  const float length = std::sqrt(dot(v, v));
  if (!(length > 0.0f)) return {0.0f, 0.0f, 0.0f};
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  if (out == nullptr) return out;
  *out = D3DXMATRIX();
  for (int i = 0; i < 4; ++i) out->m[i][i] = 1.0f;
  return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return out;
  D3DXMATRIX result;  // out may be a or b
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      result.m[r][c] = a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] + a->m[r][2] * b->m[2][c] +
                       a->m[r][3] * b->m[3][c];
    }
  }
  *out = result;
  return out;
}

D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m) {
  if (out == nullptr || m == nullptr) return out;
  D3DXMATRIX result;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) result.m[r][c] = m->m[c][r];
  }
  *out = result;
  return out;
}

// The adjugate over the determinant, by cofactor expansion in double precision.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m) {
  if (out == nullptr || m == nullptr) return nullptr;
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = m->m[i / 4][i % 4];
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  if (determinant != nullptr) *determinant = static_cast<float>(det);
  if (det == 0.0 || !std::isfinite(det)) return nullptr;
  for (int i = 0; i < 16; ++i) out->m[i / 4][i % 4] = static_cast<float>(inv[i] / det);
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  if (D3DXMatrixIdentity(out) == nullptr) return out;
  out->m[3][0] = x;
  out->m[3][1] = y;
  out->m[3][2] = z;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z) {
  if (D3DXMatrixIdentity(out) == nullptr) return out;
  out->m[0][0] = x;
  out->m[1][1] = y;
  out->m[2][2] = z;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle) {
  if (D3DXMatrixIdentity(out) == nullptr) return out;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  out->m[1][1] = c;
  out->m[1][2] = s;
  out->m[2][1] = -s;
  out->m[2][2] = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  if (D3DXMatrixIdentity(out) == nullptr) return out;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  out->m[0][0] = c;
  out->m[0][2] = -s;
  out->m[2][0] = s;
  out->m[2][2] = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
  if (D3DXMatrixIdentity(out) == nullptr) return out;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  out->m[0][0] = c;
  out->m[0][1] = s;
  out->m[1][0] = -s;
  out->m[1][1] = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll) {
  if (out == nullptr) return out;
  D3DXMATRIX z;
  D3DXMATRIX x;
  D3DXMATRIX y;
  D3DXMatrixRotationZ(&z, roll);
  D3DXMatrixRotationX(&x, pitch);
  D3DXMatrixRotationY(&y, yaw);
  D3DXMatrixMultiply(out, &z, &x);
  return D3DXMatrixMultiply(out, out, &y);
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  if (out == nullptr || eye == nullptr || at == nullptr || up == nullptr) return out;
  const D3DXVECTOR3 zAxis = normalize(subtract(*at, *eye));
  const D3DXVECTOR3 xAxis = normalize(cross(*up, zAxis));
  const D3DXVECTOR3 yAxis = cross(zAxis, xAxis);
  D3DXMatrixIdentity(out);
  out->m[0][0] = xAxis.x;
  out->m[0][1] = yAxis.x;
  out->m[0][2] = zAxis.x;
  out->m[1][0] = xAxis.y;
  out->m[1][1] = yAxis.y;
  out->m[1][2] = zAxis.y;
  out->m[2][0] = xAxis.z;
  out->m[2][1] = yAxis.z;
  out->m[2][2] = zAxis.z;
  out->m[3][0] = -dot(xAxis, *eye);
  out->m[3][1] = -dot(yAxis, *eye);
  out->m[3][2] = -dot(zAxis, *eye);
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar) {
  if (out == nullptr) return out;
  *out = D3DXMATRIX();
  const float t = std::tan(fovY / 2.0f);
  const float yScale = (t != 0.0f && std::isfinite(t)) ? 1.0f / t : 0.0f;
  const float xScale = aspect != 0.0f ? yScale / aspect : 0.0f;
  const float depth = zFar - zNear;
  out->m[0][0] = xScale;
  out->m[1][1] = yScale;
  out->m[2][2] = depth != 0.0f ? zFar / depth : 0.0f;
  out->m[2][3] = 1.0f;
  out->m[3][2] = depth != 0.0f ? -zNear * zFar / depth : 0.0f;
  return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  if (out == nullptr || v == nullptr || m == nullptr) return out;
  float r[4];
  for (int c = 0; c < 4; ++c) r[c] = v->x * m->m[0][c] + v->y * m->m[1][c] + v->z * m->m[2][c] + m->m[3][c];
  const float w = r[3] != 0.0f ? r[3] : 1.0f;
  *out = D3DXVECTOR3(r[0] / w, r[1] / w, r[2] / w);
  return out;
}
