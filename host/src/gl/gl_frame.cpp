#include "host/src/gl/gl_frame.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace host_gl {

namespace {

int serialOf(const host_d3d::MemoryTexture* texture) { return texture != nullptr ? texture->fSerial() : 0; }

std::uint64_t versionOf(const host_d3d::MemoryTexture* texture) {
  return texture != nullptr ? texture->fContentVersion() : 0;
}

bool sameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) { return std::memcmp(a.m, b.m, sizeof(a.m)) == 0; }

// Everything a clear or draw reads of the state. The bound vertex and index buffers are left out:
// their bytes are copied with the draw.
bool sameState(const host_d3d::DeviceState& a, const host_d3d::DeviceState& b) {
  return a.render == b.render && a.stage0 == b.stage0 && a.sampler0 == b.sampler0 && sameMatrix(a.world, b.world) &&
         sameMatrix(a.view, b.view) && sameMatrix(a.projection, b.projection) && a.texture == b.texture &&
         a.renderTarget == b.renderTarget && a.fvf == b.fvf;
}

bool sameDraw(const host_d3d::DrawCall& a, const host_d3d::DrawCall& b) {
  return a.type == b.type && a.primitiveCount == b.primitiveCount && a.vertexCount == b.vertexCount &&
         a.stride == b.stride && a.fvf == b.fvf && (a.indices == nullptr) == (b.indices == nullptr) &&
         a.indexCount == b.indexCount && a.indexBase == b.indexBase;
}

// Everything but the bytes of a draw.
bool sameCommand(const GlCommand& a, const GlCommand& b) {
  if (a.isClear != b.isClear || a.textureSerial != b.textureSerial || a.targetSerial != b.targetSerial ||
      a.textureVersion != b.textureVersion || !sameState(a.state, b.state)) {
    return false;
  }
  if (a.isClear) {
    return a.flags == b.flags && a.color == b.color && std::memcmp(&a.z, &b.z, sizeof(a.z)) == 0 &&
           a.stencil == b.stencil;
  }
  return sameDraw(a.draw, b.draw);
}

// Stage 0's alpha is the diffuse alpha alone, or multiplied by the other argument.
bool alphaFromDiffuse(const host_d3d::DeviceState& state) {
  auto diffuse = [](DWORD argument) { return (argument & 15u) != D3DTA_TEXTURE; };
  const DWORD op = state.stage0[D3DTSS_ALPHAOP];
  const DWORD first = state.stage0[D3DTSS_ALPHAARG1];
  const DWORD second = state.stage0[D3DTSS_ALPHAARG2];
  switch (op) {
    case D3DTOP_SELECTARG1:
      return diffuse(first);
    case D3DTOP_SELECTARG2:
      return diffuse(second);
    case D3DTOP_MODULATE:
      return diffuse(first) || diffuse(second);
    default:
      return true;  // the device's shader takes the diffuse colour for any other operation
  }
}

}  // namespace

void GlFrame::fAddClear(const host_d3d::DeviceState& state, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
  GlCommand& command = commands_.emplace_back();
  command.isClear = true;
  command.flags = flags;
  command.color = color;
  command.z = z;
  command.stencil = stencil;
  command.state = state;
  command.textureSerial = serialOf(state.texture);
  command.targetSerial = serialOf(state.renderTarget);
  command.textureVersion = versionOf(state.texture);
}

void GlFrame::fAddDraw(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw) {
  GlCommand& command = commands_.emplace_back();
  command.state = state;
  command.textureSerial = serialOf(state.texture);
  command.targetSerial = serialOf(state.renderTarget);
  command.textureVersion = versionOf(state.texture);
  command.draw = draw;
  command.draw.vertexData = nullptr;
  command.draw.indices = nullptr;
  command.vertexAt = bytes_.size();
  const std::size_t vertexBytes = static_cast<std::size_t>(draw.vertexCount) * draw.stride;
  if (draw.vertexData != nullptr) bytes_.insert(bytes_.end(), draw.vertexData, draw.vertexData + vertexBytes);
  command.indexAt = bytes_.size();
  if (draw.indices != nullptr) {
    bytes_.insert(bytes_.end(), draw.indices, draw.indices + static_cast<std::size_t>(draw.indexCount) * 2);
    // Marks the copy as indexed; the pointer is replaced by fDrawCall.
    command.draw.indices = draw.indices;
  }
}

void GlFrame::fReset() {
  commands_.clear();
  bytes_.clear();
}

host_d3d::DrawCall GlFrame::fDrawCall(const GlCommand& command) const {
  host_d3d::DrawCall draw = command.draw;
  draw.vertexData = bytes_.data() + command.vertexAt;
  if (draw.indices != nullptr) draw.indices = bytes_.data() + command.indexAt;
  return draw;
}

bool GlFrame::fSameAs(const GlFrame& other) const {
  if (commands_.size() != other.commands_.size() || bytes_.size() != other.bytes_.size()) return false;
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    if (!fSameCommand(i, other, i)) return false;
  }
  return true;
}

bool GlFrame::fSameShape(std::size_t index, const GlFrame& other, std::size_t otherIndex) const {
  return sameCommand(commands_[index], other.commands_[otherIndex]);
}

bool GlFrame::fSameCommand(std::size_t index, const GlFrame& other, std::size_t otherIndex) const {
  const GlCommand& a = commands_[index];
  const GlCommand& b = other.commands_[otherIndex];
  if (!sameCommand(a, b)) return false;
  if (a.isClear) return true;
  // A draw's indices follow its vertices; the draws are alike, so their byte counts are too.
  const std::size_t vertices = a.indexAt - a.vertexAt;
  const std::size_t indices = a.draw.indices != nullptr ? static_cast<std::size_t>(a.draw.indexCount) * 2 : 0;
  if (b.indexAt - b.vertexAt != vertices) return false;
  return std::memcmp(bytes_.data() + a.vertexAt, other.bytes_.data() + b.vertexAt, vertices) == 0 &&
         std::memcmp(bytes_.data() + a.indexAt, other.bytes_.data() + b.indexAt, indices) == 0;
}

bool GlFrame::fRepeatable() const {
  // Targets by serial (0 the back buffer): what has been cleared of each so far, and which are
  // drawn on or cleared at all in this frame.
  std::map<int, DWORD> cleared;
  std::map<int, bool> written;
  for (const GlCommand& command : commands_) written[command.targetSerial] = true;
  for (const GlCommand& command : commands_) {
    DWORD& done = cleared[command.targetSerial];
    if (command.isClear) {
      done |= command.flags;
      continue;
    }
    const auto& rs = command.state.render;
    DWORD needed = D3DCLEAR_TARGET;
    if (rs[D3DRS_ZENABLE] != FALSE) needed |= D3DCLEAR_ZBUFFER;
    if (rs[D3DRS_STENCILENABLE] != FALSE) needed |= D3DCLEAR_STENCIL;
    if ((done & needed) != needed) return false;
    if (command.textureSerial != 0 && written.count(command.textureSerial) != 0 &&
        (cleared[command.textureSerial] & D3DCLEAR_TARGET) == 0) {
      return false;
    }
  }
  return true;
}

bool fDrawsNothing(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw, bool hasDepth) {
  const auto& rs = state.render;
  if (rs[D3DRS_ALPHABLENDENABLE] == FALSE || rs[D3DRS_SRCBLEND] != D3DBLEND_SRCALPHA ||
      (rs[D3DRS_DESTBLEND] != D3DBLEND_INVSRCALPHA && rs[D3DRS_DESTBLEND] != D3DBLEND_ONE)) {
    return false;
  }
  if (hasDepth && ((rs[D3DRS_ZENABLE] != FALSE && rs[D3DRS_ZWRITEENABLE] != FALSE) || rs[D3DRS_STENCILENABLE] != FALSE)) {
    return false;
  }
  if (!alphaFromDiffuse(state)) return false;
  const host_d3d::FvfLayout layout = host_d3d::fFvfLayout(draw.fvf);
  if (layout.diffuse < 0 || draw.vertexData == nullptr) return false;
  // The ARGB word's alpha is its last byte in memory.
  for (UINT i = 0; i < draw.vertexCount; ++i) {
    if (draw.vertexData[static_cast<std::size_t>(i) * draw.stride + static_cast<std::size_t>(layout.diffuse) + 3] != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace host_gl
