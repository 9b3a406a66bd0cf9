// The video object's life: construction, reading the Theora headers, setting the decoder up, and
// closing.
#include "engine/video/qc_video.h"

#include "engine/files/qc_file_system.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"

namespace QOR {

QC_VIDEO::QC_VIDEO() : _stream(nullptr), _texture(nullptr) { fStart(false, 0); }

QC_VIDEO::QC_VIDEO(std::FILE* stream, bool loop, unsigned framesPerSecond) : _stream(nullptr), _texture(nullptr) {
  fStart(loop, framesPerSecond);
  if (fOpenStream(stream) == 0) fSetUpDecoder(false);
}

QC_VIDEO::QC_VIDEO(const char* path, bool loop, unsigned framesPerSecond) : _stream(nullptr), _texture(nullptr) {
  fStart(loop, framesPerSecond);
  fInitFromFile(path);
}

QC_VIDEO::~QC_VIDEO() { fClose(); }

void QC_VIDEO::fStart(bool loop, unsigned framesPerSecond) {
  _playing = 0;
  _loop = loop ? 1 : 0;
  _elapsed = 0.0;
  // No rate at all gives a period of 0: then every update is due rather than none after the first.
  _framePeriod = framesPerSecond > 0 ? static_cast<float>(1.0 / framesPerSecond) : 0.0f;
  _decoderReady = false;
  _decodedAny = false;
  _headerCount = 0;
  _dataStart = 0;
  _frameCount = 0;
  fResetCodec();
}

int QC_VIDEO::fInitFromFile(const char* path) {
  if (fOpenFile(path) != 0) return -110;
  fSetUpDecoder(true);
  return 0;
}

void QC_VIDEO::fResetCodec() {
  _oggStream = ogg_stream_state{};
  _oggSync = ogg_sync_state{};
  _oggPage = ogg_page{};
  _oggPacket = ogg_packet{};
  _comment = theora_comment{};
  _info = theora_info{};
  _decoder = theora_state{};
  _picture = yuv_buffer{};
}

void QC_VIDEO::fReleaseCodec() {
  // Each clear accepts a zeroed record, so releasing twice is harmless.
  ogg_stream_clear(&_oggStream);
  theora_clear(&_decoder);
  theora_comment_clear(&_comment);
  theora_info_clear(&_info);
  ogg_sync_clear(&_oggSync);
  fResetCodec();
  _decoderReady = false;
  _decodedAny = false;
  _headerCount = 0;
  _playing = 0;
}

void QC_VIDEO::fTakeStream(std::FILE* stream) {
  if (_stream != nullptr && _stream != stream) std::fclose(_stream);
  _stream = stream;
  // Looping rewinds to where the Ogg data began; -1 (a stream that cannot tell) disables it.
  _dataStart = stream != nullptr ? std::ftell(stream) : -1;
}

int QC_VIDEO::fOpenStream(std::FILE* stream) {
  fReleaseCodec();
  fTakeStream(stream);
  if (stream == nullptr) {
    fLog("file not open");
    return -110;
  }
  return fReadHeaders(true);
}

int QC_VIDEO::fOpenFile(const char* path) {
  fReleaseCodec();
  std::FILE* file = path != nullptr ? QC_FILE_SYSTEM::fOpenRegularFile(path) : nullptr;
  fTakeStream(file);
  if (file == nullptr) {
    fLog("file not open");
    return -110;
  }
  return fReadHeaders(false);
}

int QC_VIDEO::fReadChunk() {
  if (_stream == nullptr) return 0;
  char* buffer = ogg_sync_buffer(&_oggSync, kChunkSize);
  if (buffer == nullptr) return 0;
  const std::size_t count = std::fread(buffer, 1, kChunkSize, _stream);
  ogg_sync_wrote(&_oggSync, static_cast<long>(count));
  return static_cast<int>(count);
}

void QC_VIDEO::fQueuePage() {
  // Pages of the other logical streams (audio) are ignored, as their beginning pages were.
  if (_headerCount == 0 || ogg_page_serialno(&_oggPage) != _oggStream.serialno) return;
  if (ogg_stream_pagein(&_oggStream, &_oggPage) == -1) fLog("Error logical stream");
}

int QC_VIDEO::fReadHeaders(bool logFileEnd) {
  ogg_stream_clear(&_oggStream);
  ogg_sync_init(&_oggSync);
  theora_comment_init(&_comment);
  theora_info_init(&_info);
  _headerCount = 0;
  // A file that ends early, holds no Theora stream or declares a picture we cannot show is given
  // up with -110 rather than read forever.
  if (fReadBeginPages() != 0 || fReadRemainingHeaders(logFileEnd) != 0 || !isPictureUsable()) {
    fReleaseCodec();
    return -110;
  }
  if (logFileEnd) fLog("Open ok");
  return 0;
}

int QC_VIDEO::fReadBeginPages() {
  for (;;) {
    if (fReadChunk() == 0) {
      fLog("File finished error");
      return -110;
    }
    bool pastBeginning = false;
    for (int result = ogg_sync_pageout(&_oggSync, &_oggPage); result != 0;
         result = ogg_sync_pageout(&_oggSync, &_oggPage)) {
      if (result < 0) continue;  // bytes skipped while looking for a page
      if (ogg_page_bos(&_oggPage)) {
        if (_headerCount == 0) fTryBeginPage();
      } else {
        fQueuePage();
        pastBeginning = true;
      }
    }
    if (pastBeginning) break;
  }
  return _headerCount > 0 ? 0 : -110;
}

void QC_VIDEO::fTryBeginPage() {
  ogg_stream_state scratch{};
  if (ogg_stream_init(&scratch, ogg_page_serialno(&_oggPage)) != 0) {
    fLog("HZ ERROR");
    return;
  }
  if (ogg_stream_pagein(&scratch, &_oggPage) != 0) {
    fLog("HZ 2 ERROR");
    ogg_stream_clear(&scratch);
    return;
  }
  const int result = ogg_stream_packetout(&scratch, &_oggPacket);
  if (result == -1) fLog("HZ 3");
  // Only a packet that came out is offered to the header parser.
  if (result == 1 && theora_decode_header(&_info, &_comment, &_oggPacket) >= 0) {
    _oggStream = scratch;
    _headerCount = 1;
    return;
  }
  ogg_stream_clear(&scratch);
}

int QC_VIDEO::fReadRemainingHeaders(bool logFileEnd) {
  while (_headerCount < 3) {
    const int result = ogg_stream_packetout(&_oggStream, &_oggPacket);
    if (result > 0) {
      // A header that does not parse leaves the decoder without its tables: give up.
      if (theora_decode_header(&_info, &_comment, &_oggPacket) < 0) {
        fLog("Error result 2");
        return -110;
      }
      ++_headerCount;
      continue;
    }
    fLog("Error packet out");
    if (ogg_sync_pageout(&_oggSync, &_oggPage) > 0) {
      fQueuePage();
    } else if (fReadChunk() == 0) {
      if (logFileEnd) fLog("file end");
      return -110;
    }
  }
  return 0;
}

bool QC_VIDEO::isPictureUsable() const {
  const unsigned long long right = static_cast<unsigned long long>(_info.offset_x) + _info.frame_width;
  const unsigned long long bottom = static_cast<unsigned long long>(_info.offset_y) + _info.frame_height;
  const bool knownLayout =
      _info.pixelformat == OC_PF_420 || _info.pixelformat == OC_PF_422 || _info.pixelformat == OC_PF_444;
  return knownLayout && _info.frame_width > 0 && _info.frame_height > 0 && right <= _info.width &&
         bottom <= _info.height && _info.width <= kMaxFrameSide && _info.height <= kMaxFrameSide;
}

void QC_VIDEO::fSetUpDecoder(bool logSteps) {
  if (logSteps) fLog("decode");
  if (theora_decode_init(&_decoder, &_info) != 0) {
    fLog("Decoding error");
    fReleaseCodec();
    return;
  }
  _decoderReady = true;
  if (logSteps) fLog("Create");
  fAllocFrame();
  if (logSteps) fLog("fill");
  fUploadFrame();
}

void QC_VIDEO::fAllocFrame() {
  // Opaque black until the first picture is converted, so the texture never shows stale memory.
  _frame.assign(static_cast<std::size_t>(_info.frame_width) * _info.frame_height, kOpaqueBlack);
}

void QC_VIDEO::fReleaseTexture() {
  if (_texture != nullptr && qcRENDER != nullptr) qcRENDER->fReleaseTexture(_texture);
  _texture = nullptr;
}

void QC_VIDEO::fUploadFrame() {
  if (_frame.empty()) return;
  const int width = static_cast<int>(_info.frame_width);
  const int height = static_cast<int>(_info.frame_height);
  // A texture of another size (the video was opened again) would be filled past its frame.
  if (_texture != nullptr && (_texture->fGetWidth() != width || _texture->fGetHeight() != height)) {
    fReleaseTexture();
  }
  if (_texture == nullptr) {
    _texture = qcRENDER != nullptr ? qcRENDER->fCreateTexture(width, height) : nullptr;
    if (_texture == nullptr) {
      fLog("Video creation error");
      return;
    }
    const std::vector<std::uint32_t> red(_frame.size(), kOpaqueRed);
    _texture->fFill(red.data());
  }
  _texture->fFill(_frame.data());
}

void QC_VIDEO::fClose() {
  fReleaseCodec();
  _frame.clear();
  _frame.shrink_to_fit();
  if (_stream != nullptr) std::fclose(_stream);
  _stream = nullptr;
  _dataStart = -1;
}

}  // namespace QOR
