// The video object's playback: frame pacing, fetching the next Theora packet (with looping),
// decoding, colour conversion and the upload into the texture.
#include "engine/video/qc_video.h"

#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/video/qc_yuv_convert.h"

#include <cmath>

namespace QOR {

namespace {

// The countdown that paces every video: each due frame adds one frame period back to it, so
// several playing videos drain the same countdown.
float gFrameCountdown = 0.0f;

}  // namespace

void QC_VIDEO::fPlay() {
  if (!_decoderReady) return;
  _playing = 1;
  gFrameCountdown = 0.0f;
}

bool QC_VIDEO::isFrameDue() {
  if (_playing == 0) return false;
  if (!(_framePeriod > 0.0f)) return true;
  gFrameCountdown -= qcFrameTime;
  // A frame time that is not a number must not stall every video for good.
  if (!std::isfinite(gFrameCountdown)) gFrameCountdown = 0.0f;
  if (gFrameCountdown > 0.0f) return false;
  gFrameCountdown += _framePeriod;
  return true;
}

void QC_VIDEO::fUpdate() {
  _elapsed += qcFrameTime;
  if (!isFrameDue()) return;
  // Without a new packet there is nothing to decode: the picture stays as it is.
  if (fNextPacket() != 0) return;
  if (!fDecodeFrame()) return;
  fConvertFrame();
  fUploadFrame();
}

int QC_VIDEO::fNextPacket() {
  bool rewound = false;
  for (;;) {
    const int result = ogg_stream_packetout(&_oggStream, &_oggPacket);
    if (result > 0) {
      // After a rewind the header packets pass by again; they are no pictures.
      if (theora_packet_isheader(&_oggPacket)) continue;
      return 0;
    }
    if (result < 0) continue;  // a gap in the data; the packets after it follow
    if (fReadChunk() == 0) {
      fOnEndOfFile();
      // A looping video starts over once per call; a file with no picture in it stops.
      if (_loop != 0 && !rewound && fRewind()) {
        rewound = true;
        continue;
      }
      _playing = 0;
      return -110;
    }
    for (int page = ogg_sync_pageout(&_oggSync, &_oggPage); page != 0; page = ogg_sync_pageout(&_oggSync, &_oggPage)) {
      if (page > 0) fQueuePage();
    }
  }
}

bool QC_VIDEO::fDecodeFrame() {
  const int result = theora_decode_packetin(&_decoder, &_oggPacket);
  if (result == OC_BADPACKET) fLog("Error bad packet");
  if (result >= 0) _decodedAny = true;
  // Before any packet was taken the decoder has no picture to hand out.
  if (!_decodedAny) return false;
  if (theora_decode_YUVout(&_decoder, &_picture) != 0) {
    fLog("Decoding error");
    return false;
  }
  return true;
}

void QC_VIDEO::fConvertFrame() {
  if (_frame.empty()) return;
  QS_PICTURE_AREA area;
  area.x = static_cast<int>(_info.offset_x);
  area.y = static_cast<int>(_info.offset_y);
  area.width = static_cast<int>(_info.frame_width);
  area.height = static_cast<int>(_info.frame_height);
  area.chromaShiftX = _info.pixelformat == OC_PF_444 ? 0 : 1;
  area.chromaShiftY = _info.pixelformat == OC_PF_420 ? 1 : 0;
  if (fConvertYCbCr(_picture, area, _frame.data())) ++_frameCount;
}

void QC_VIDEO::fOnEndOfFile() {
  fLog() << "End of file! Looping " << (_loop != 0 ? 1 : 0);
  if (_loop == 0) _playing = 0;
}

bool QC_VIDEO::fRewind() {
  if (_stream == nullptr || _dataStart < 0 || std::fseek(_stream, _dataStart, SEEK_SET) != 0) return false;
  std::clearerr(_stream);
  ogg_sync_reset(&_oggSync);
  ogg_stream_reset(&_oggStream);
  _oggPage = ogg_page{};
  _oggPacket = ogg_packet{};
  return true;
}

}  // namespace QOR
