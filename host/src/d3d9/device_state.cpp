#include "host/src/d3d9/device_state.h"

#include <cstring>

namespace host_d3d {

namespace {

DWORD floatBits(float value) {
  DWORD bits = 0;
  std::memcpy(&bits, &value, sizeof(bits));
  return bits;
}

}  // namespace

float DeviceState::fFloatState(D3DRENDERSTATETYPE state) const {
  float value = 0.0f;
  std::memcpy(&value, &render[state], sizeof(value));
  return value;
}

D3DMATRIX fIdentityMatrix() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

D3DMATRIX fMultiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX out{};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[r][k] * b.m[k][c];
      out.m[r][c] = sum;
    }
  }
  return out;
}

void fSetDefaultState(DeviceState& state, bool depthBuffer) {
  state.render.fill(0);
  state.render[D3DRS_ZENABLE] = depthBuffer ? TRUE : FALSE;
  state.render[D3DRS_ZWRITEENABLE] = TRUE;
  state.render[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  state.render[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  state.render[D3DRS_CULLMODE] = D3DCULL_CCW;
  state.render[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
  state.render[D3DRS_ALPHABLENDENABLE] = FALSE;
  state.render[D3DRS_STENCILENABLE] = FALSE;
  state.render[D3DRS_STENCILFAIL] = D3DSTENCILOP_KEEP;
  state.render[D3DRS_STENCILZFAIL] = D3DSTENCILOP_KEEP;
  state.render[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
  state.render[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
  state.render[D3DRS_STENCILREF] = 0;
  state.render[D3DRS_STENCILMASK] = 0xFFFFFFFFu;
  state.render[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
  state.render[D3DRS_LIGHTING] = TRUE;
  state.render[D3DRS_POINTSIZE] = floatBits(1.0f);
  state.render[D3DRS_POINTSIZE_MIN] = floatBits(1.0f);
  state.render[D3DRS_POINTSPRITEENABLE] = FALSE;
  state.render[D3DRS_POINTSCALEENABLE] = FALSE;
  state.render[D3DRS_POINTSCALE_A] = floatBits(1.0f);
  state.render[D3DRS_POINTSCALE_B] = floatBits(0.0f);
  state.render[D3DRS_POINTSCALE_C] = floatBits(0.0f);
  state.render[D3DRS_POINTSIZE_MAX] = floatBits(64.0f);

  state.stage0.fill(0);
  state.stage0[D3DTSS_COLOROP] = D3DTOP_MODULATE;
  state.stage0[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
  state.stage0[D3DTSS_COLORARG2] = D3DTA_CURRENT;
  state.stage0[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
  state.stage0[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
  state.stage0[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;

  state.sampler0.fill(0);
  state.sampler0[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
  state.sampler0[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
  state.sampler0[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
  state.sampler0[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
  state.sampler0[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;

  state.world = fIdentityMatrix();
  state.view = fIdentityMatrix();
  state.projection = fIdentityMatrix();

  state.texture = nullptr;
  state.stream = nullptr;
  state.streamOffset = 0;
  state.streamStride = 0;
  state.indices = nullptr;
  state.fvf = 0;
  state.renderTarget = nullptr;
}

}  // namespace host_d3d
