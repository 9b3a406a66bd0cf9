// The video object: plays an Ogg Theora stream from an open file into a texture of its own. It reads
// the file in chunks of 8192 bytes, parses the Theora headers, decodes one picture per frame period,
// converts it from YCbCr to 32-bit ARGB in memory and copies it into the texture, which sprites can
// show. Other logical streams of the file (audio) are ignored.
#pragma once

#include "engine/render/qc_texture_info.h"

#include <ogg/ogg.h>
#include <theora/theora.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace QOR {

class QC_VIDEO {
 public:
  static constexpr int kChunkSize = 8192;  // bytes read from the file at a time
  static constexpr std::uint32_t kOpaqueRed = 0xFFFF0000u;  // a new texture's first fill
  static constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;  // the frame before any picture
  // Largest coded frame side accepted (the picture lies inside the coded frame): a larger one
  // could not become a texture on common hardware anyway, and refusing it keeps a damaged header
  // from having the decoder ask for gigabytes.
  static constexpr unsigned kMaxFrameSide = 4096;

  // An empty, closed video (no file, no texture).
  QC_VIDEO();
  // A video over an open file, which it now owns (fClose closes it): reads the headers, sets the
  // decoder up and makes the texture. A file that is null, truncated or holds no Theora stream
  // leaves the video without a decoder and without a texture (isOpen false).
  QC_VIDEO(std::FILE* stream, bool loop, unsigned framesPerSecond);
  // The same over a file opened by path for binary reading.
  QC_VIDEO(const char* path, bool loop, unsigned framesPerSecond);
  // Releases whatever fClose would; the texture stays with the renderer.
  ~QC_VIDEO();
  QC_VIDEO(const QC_VIDEO&) = delete;
  QC_VIDEO& operator=(const QC_VIDEO&) = delete;

  // Reads the headers from the open file (which the video now owns): 0, or -110 when the file is
  // null, ends before the three Theora headers, holds no Theora stream or declares a picture that
  // cannot be shown. The constructors then set the decoder up.
  int fOpenStream(std::FILE* stream);
  // The same after opening the path for binary reading (-110 when that fails).
  int fOpenFile(const char* path);

  // Adds the frame time to the elapsed time and, when a frame is due, decodes the next picture
  // into the texture.
  void fUpdate();
  // Starts (or resumes) playback and restarts the shared frame countdown.
  void fPlay();
  // Releases the codec state and the frame buffer and closes the file; the texture stays.
  void fClose();

  // The picture's texture, or null before it was made (or when it could not be).
  QC_TEXTURE_INFO* fGetTexture() const { return _texture; }
  bool isOpen() const { return _decoderReady; }
  bool isPlaying() const { return _playing != 0; }
  bool isLooping() const { return _loop != 0; }
  double fGetElapsed() const { return _elapsed; }
  float fGetFramePeriod() const { return _framePeriod; }
  // The picture's size in pixels (0 x 0 before the headers were read).
  int fGetWidth() const { return static_cast<int>(_info.frame_width); }
  int fGetHeight() const { return static_cast<int>(_info.frame_height); }
  // Pictures converted into the frame buffer since the video was built.
  int fGetFrameCount() const { return _frameCount; }

 private:
  int fInitFromFile(const char* path);
  void fStart(bool loop, unsigned framesPerSecond);
  void fReleaseTexture();
  void fSetUpDecoder(bool logSteps);
  void fResetCodec();
  void fReleaseCodec();
  void fTakeStream(std::FILE* stream);
  int fReadChunk();
  void fQueuePage();
  int fReadHeaders(bool logFileEnd);
  int fReadBeginPages();
  int fReadRemainingHeaders(bool logFileEnd);
  void fTryBeginPage();
  bool isPictureUsable() const;
  void fAllocFrame();
  bool isFrameDue();
  int fNextPacket();
  bool fDecodeFrame();
  void fConvertFrame();
  void fUploadFrame();
  void fOnEndOfFile();
  bool fRewind();

  std::FILE* _stream;
  std::vector<std::uint32_t> _frame;
  QC_TEXTURE_INFO* _texture;
  std::uint8_t _playing;
  std::uint8_t _loop;
  double _elapsed;
  float _framePeriod;

  ogg_stream_state _oggStream;
  ogg_sync_state _oggSync;
  ogg_page _oggPage;
  ogg_packet _oggPacket;
  theora_comment _comment;
  theora_info _info;
  theora_state _decoder;
  yuv_buffer _picture;

  bool _decoderReady;  // headers read, picture usable, decoder set up
  bool _decodedAny;    // the decoder has taken a packet, so it has a picture to hand out
  int _headerCount;    // Theora headers read so far (0..3)
  long _dataStart;     // file position where the Ogg data begins, for rewinding a looping video
  int _frameCount;
};

}  // namespace QOR
