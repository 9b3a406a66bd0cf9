// Fuzz target of the video object: each input is opened as a video over an open stream, as the
// resource loader does, and when its headers are accepted a few frames are played with looping on,
// so decoding, colour conversion and the rewind at the end of the data all run. There is no
// renderer here: pictures are converted but have no texture to go to.
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/video/qc_video.h"

#include <cstdint>
#include <cstdio>
#include <iostream>

// The video reaches the renderer only for its texture; with no renderer published these are never
// called, and standing in for them keeps the renderer and its device out of this program.
namespace QOR {
QC_TEXTURE_INFO* QC_RENDER::fCreateTexture(int /*width*/, int /*height*/) { return nullptr; }
void QC_RENDER::fReleaseTexture(QC_TEXTURE_INFO* /*texture*/) {}
bool QC_TEXTURE_INFO::fFill(const std::uint32_t* /*argb*/) { return false; }
}  // namespace QOR

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The engine log would drown the fuzzer's own output.
  std::cout.rdbuf(nullptr);
  QOR::qcRENDER = nullptr;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (stream == nullptr) return 0;
  QOR::QC_VIDEO video(stream, true, 30);  // the video owns the stream and closes it
  if (!video.isOpen()) return 0;
  video.fPlay();
  QOR::qcFrameTime = 1.0f / 30.0f;
  for (int i = 0; i < 6; ++i) video.fUpdate();
  return 0;
}
