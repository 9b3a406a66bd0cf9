// The clears and draws of one frame of the OpenGL device, kept until the frame is shown: each with
// the device state it was issued in and a copy of its vertices and indices. A frame whose
// commands equal those of the frame on screen, and whose picture depends on nothing else, need
// not be drawn again.
#pragma once

#include "host/src/d3d9/device_state.h"
#include "host/src/d3d9/host_device.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace host_gl {

struct GlCommand {
  bool isClear = false;
  // A clear: what it clears, to which values.
  DWORD flags = 0;
  D3DCOLOR color = 0;
  float z = 0.0f;
  DWORD stencil = 0;
  // The device state when the command was issued (the target, for a clear; everything, for a
  // draw), and the serial numbers of its texture and target, which tell a texture that took the
  // place of a released one apart from it, with the texture's content version then.
  host_d3d::DeviceState state;
  int textureSerial = 0;
  int targetSerial = 0;
  std::uint64_t textureVersion = 0;
  // A draw; its vertex and index pointers are null here: the bytes lie in the frame at the
  // offsets below (fDrawCall gives the call with its pointers).
  host_d3d::DrawCall draw;
  std::size_t vertexAt = 0;
  std::size_t indexAt = 0;
};

class GlFrame {
 public:
  void fAddClear(const host_d3d::DeviceState& state, DWORD flags, D3DCOLOR color, float z, DWORD stencil);
  void fAddDraw(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw);
  void fReset();

  bool fEmpty() const { return commands_.empty(); }
  std::size_t fSize() const { return commands_.size(); }
  const GlCommand& fCommand(std::size_t index) const { return commands_[index]; }
  // The draw of a command with pointers into this frame's bytes.
  host_d3d::DrawCall fDrawCall(const GlCommand& command) const;

  // The same commands, in the same states, over the same bytes and the same live objects with the
  // same content.
  bool fSameAs(const GlFrame& other) const;
  // Whether command index of this frame and command otherIndex of other are the same command, in
  // the same state, over the same objects: with the same bytes too (fSameCommand), or perhaps
  // other vertex and index values (fSameShape).
  bool fSameCommand(std::size_t index, const GlFrame& other, std::size_t otherIndex) const;
  bool fSameShape(std::size_t index, const GlFrame& other, std::size_t otherIndex) const;
  // Whether the picture depends only on the commands and on textures the frame does not draw on:
  // every target is cleared before anything is drawn on it (depth and stencil too when a draw on
  // it tests them), and no target is read as a texture before that clear.
  bool fRepeatable() const;

 private:
  std::vector<GlCommand> commands_;
  std::vector<std::uint8_t> bytes_;
};

// Whether a draw changes no pixel at all: under blending that weights the source by its alpha and
// keeps the destination whole, every vertex alpha is 0 and stage 0 takes its alpha from the
// diffuse colour (alone or multiplied), while neither depth nor stencil is written.
bool fDrawsNothing(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw, bool hasDepth);

}  // namespace host_gl
