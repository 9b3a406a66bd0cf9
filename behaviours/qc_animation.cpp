#include "behaviours/qc_animation.h"

#include "engine/util/text_numbers.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace QOR {

namespace {

constexpr const char* kWarning = "Warning: Bad Constructor. Use QC_ANIM";

std::uint8_t makeFlags(bool forward, bool pingPong, bool loop, bool mirror) {
  return static_cast<std::uint8_t>((forward ? QC_ANIMATION::kForward : 0) | (pingPong ? QC_ANIMATION::kPingPong : 0) |
                                   (loop ? QC_ANIMATION::kLoop : 0) | (mirror ? QC_ANIMATION::kMirror : 0));
}

std::int64_t square(int v) { return static_cast<std::int64_t>(v) * v; }

}  // namespace

QC_ANIMATION::QC_ANIMATION(const char* fileName, int rows, int columns, int frameCount, float rate, bool forward,
                           bool loop, bool pingPong, bool mirror)
    : QC_SPRITE(fileName, nullptr) {
  fLog(kWarning);
  fStart(columns, rows, frameCount, rate, makeFlags(forward, pingPong, loop, mirror));
}

QC_ANIMATION::QC_ANIMATION(const char* fileName, QS_TRANSFORM3* transform, int rows, int columns, int frameCount,
                           float rate)
    : QC_SPRITE(fileName, transform) {
  fLog(kWarning);
  fStart(columns, rows, frameCount, rate, kForward);
}

QC_ANIMATION::QC_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows, int frameCount,
                           float rate, bool forward, bool loop, bool pingPong, bool mirror)
    : QC_SPRITE(image, transform) {
  fStart(columns, rows, frameCount, rate, makeFlags(forward, pingPong, loop, mirror));
}

void QC_ANIMATION::fStart(int columns, int rows, int frameCount, float rate, std::uint8_t flags) {
  // A one-cell grid stands until a valid one is given, so no cell size is ever a division by 0.
  _columns = 1;
  _rows = 1;
  _cellWidth = 1.0f;
  _cellHeight = 1.0f;
  _flags = flags;
  _frameCount = frameCount > 0 ? frameCount : 1;
  _rate = rate;
  _accumulator = 0.0f;
  _playing = false;
  _rewindDue = false;
  fSetGrid(columns, rows);
  if (isFlag(kForward)) {
    _step = 1;
    fSetFrame(0);
  } else {
    _step = -1;
    fSetFrame(_frameCount - 1);
  }
}

int QC_ANIMATION::fSetGrid(int columns, int rows) {
  if (columns < 1 || rows < 1) {
    fLog() << "QC_ANIMATION::fSetGrid: refused grid " << columns << " x " << rows;
    return 0;
  }
  _columns = columns;
  _rows = rows;
  _cellWidth = 1.0f / static_cast<float>(columns);
  _cellHeight = 1.0f / static_cast<float>(rows);
  fSetSize(fGetPageWidth() / columns, fGetPageHeight() / rows);
  fSetAnchor(kAnchorCentre, 0.0f, 0.0f);
  return 1;
}

void QC_ANIMATION::fSetFrame(int frame) {
  _currentFrame = frame;
  _accumulator = 0.0f;
  const float left = _cellWidth * static_cast<float>(frame % _columns);
  const float top = _cellHeight * static_cast<float>(frame / _columns);
  float right = left + _cellWidth;
  float leftU = left;
  if (isFlag(kMirror)) std::swap(leftU, right);
  fSetUV(leftU, top, right, top + _cellHeight);
}

void QC_ANIMATION::fSetMirror(bool on) {
  _flags = static_cast<std::uint8_t>(on ? (_flags | kMirror) : (_flags & ~kMirror));
  fSetFrame(_currentFrame);
}

void QC_ANIMATION::fReset() {
  _playing = false;
  _rewindDue = false;
  fSetFrame(0);
}

int QC_ANIMATION::fUpdate() {
  const float dt = qcFrameTime;
  if (!_playing || dt == 0.0f) return 0;
  _accumulator += _rate * dt;
  if (!(_accumulator > 1.0f)) return 0;
  if (_rewindDue) {
    fReset();
    return 1;
  }
  fSetFrame(_currentFrame);
  _currentFrame += _step;
  const bool forward = isFlag(kForward);
  const bool loop = isFlag(kLoop);
  const bool pingPong = isFlag(kPingPong);
  if (square(_currentFrame) > square(_frameCount - 1)) {
    if (loop && pingPong) {
      _step = -_step;
      _currentFrame += 2 * _step;
    } else if (loop) {
      if (forward) _currentFrame = 0;
    } else if (pingPong) {
      if (forward) {
        _step = -_step;
        _currentFrame += 2 * _step;
      } else {
        fReset();
      }
    } else if (forward) {
      // The last frame was just shown: it stays for its frame time, then the run stops on frame 0.
      _rewindDue = true;
      return 1;
    }
  }
  if (_currentFrame >= 0) return 1;
  if (loop && pingPong) {
    _step = -_step;
    _currentFrame = 1;
  } else if (loop) {
    if (!forward) _currentFrame = _frameCount - 1;
  } else if (pingPong) {
    if (forward && _step == -1) fReset();
    if (!forward) {
      _step = -_step;
      _currentFrame += 2 * _step;
    }
  } else if (!forward) {
    fReset();
  }
  return 1;
}

void QC_ANIMATION::by_str(const char* text) {
  const std::vector<std::string> items = fSplitString(text != nullptr ? text : "", ' ', true);
  if (items.size() != 8) {
    fLog() << "strpoint.size()<<\"QC_ANIMATION::by_str\"" << "= " << items.size() << "QC_ANIMATION::by_str";
    if (items.size() < 8) return;
  }
  const int columns = fTextToInt(items[4]);
  const int rows = fTextToInt(items[5]);
  if (fSetGrid(columns, rows) != 1) return;
  _flags = makeFlags(fTextToInt(items[0]) != 0, fTextToInt(items[1]) != 0, fTextToInt(items[2]) != 0,
                     fTextToInt(items[3]) != 0);
  const int frameCount = fTextToInt(items[6]);
  _frameCount = frameCount > 0 ? frameCount : 1;
  _rate = fTextToFloat(items[7]);
}

}  // namespace QOR
