// The recording device: a Direct3D-9-shaped device that needs no window. It records every call
// it receives and can be told to fail creation, to be lost, or to need a reset.
#pragma once

#include "host/d3d9.h"

#include <string>
#include <vector>

namespace host_test {

struct RecordedCall {
  std::string name;        // the call, e.g. "Clear", "Present"
  std::vector<double> args;  // its numeric arguments in order
};

struct RecordingControls {
  int failCreateAttempts = 0;      // the next N CreateDevice calls fail
  HRESULT cooperativeLevel = D3D_OK;  // what TestCooperativeLevel answers
  HRESULT resetResult = D3D_OK;    // what Reset answers
  bool failBeginScene = false;
  bool failClear = false;
  bool failDirect3D = false;       // Direct3DCreate9 answers null
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

}  // namespace host_test
