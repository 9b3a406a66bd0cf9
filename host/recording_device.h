// Test doors of the device: the recording device, a Direct3D-9-shaped device that needs no window,
// records every call it receives (states, transforms, buffers, locks, draws with their vertices)
// and can be told to fail creation, to be lost, or to need a reset; and the read-back of the
// OpenGL device's picture.
#pragma once

#include "host/d3d9.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace host_test {

struct RecordedCall {
  std::string name;          // the call, e.g. "Clear", "DrawIndexedPrimitive", "LockVertexBuffer"
  std::vector<double> args;  // its numeric arguments in order; objects appear as serial numbers
  // Draws only: the vertices the draw read, stride bytes each, and an indexed draw's indices,
  // counted from the first of those vertices.
  std::vector<std::uint8_t> vertices;
  UINT stride = 0;
  std::vector<std::uint16_t> indices;
};

struct RecordingControls {
  int failCreateAttempts = 0;         // the next N CreateDevice calls fail
  HRESULT cooperativeLevel = D3D_OK;  // what TestCooperativeLevel answers; a lost device also
                                      // fails Present and Reset
  HRESULT resetResult = D3D_OK;       // what Reset answers
  bool failBeginScene = false;
  bool failClear = false;
  bool failDirect3D = false;          // Direct3DCreate9 answers null
  bool failLocks = false;             // buffer and texture locks fail
  bool failCreateTexture = false;     // CreateTexture fails
  std::vector<D3DDISPLAYMODE> modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}};  // the adapter's modes
};

// Makes Direct3DCreate9 hand out the recording implementation (true) or the OpenGL one.
void fUseRecordingDevice(bool on);
bool fUsingRecordingDevice();
RecordingControls& fRecordingControls();
std::vector<RecordedCall>& fRecordedCalls();
// Counts recorded calls with this name.
int fCountCalls(const std::string& name);
// Clears the record and restores the default controls.
void fResetRecording();

// The serial number that recorded calls use for a device object (texture, surface, buffer); 0 for
// null or an object no device made.
int fSerialOf(IUnknown* object);
// Whether the object with that serial number still exists.
bool fIsAlive(int serial);

// Reads the OpenGL device's back buffer (the picture the next Present shows) as RGBA rows from
// the top, alpha 255. False for a device that has no picture (the recording one).
bool fReadBackBuffer(IDirect3DDevice9* device, int& width, int& height, std::vector<std::uint8_t>& rgba);
// Makes the OpenGL device treat larger point sprites as beyond the driver's limit, so they are
// drawn as quads made on the processor (0 restores the driver's own limit).
void fSetGlPointSizeLimit(float limit);
// Whether the OpenGL device draws a changed frame only in the boxes its changes cover (the
// default) or whole, to compare the two.
void fSetGlPartialRedraw(bool on);
// How long a texture made from an image keeps its storage on the OpenGL device while no frame
// draws it (3 s by default; 0 gives every such texture's storage back at each present).
void fSetGlTextureRest(std::chrono::milliseconds rest);

}  // namespace host_test
