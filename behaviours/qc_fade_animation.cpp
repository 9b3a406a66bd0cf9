#include "behaviours/qc_fade_animation.h"

#include "engine/util/text_numbers.h"
#include "engine/math/float_to_int.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/win_window.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace QOR {

namespace {

// Frames one long tick may advance at most; beyond it the catch-up would only spin.
constexpr double kMostFramesPerTick = 4096.0;

}  // namespace

QC_FADE_ANIMATION::QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows,
                                     int lastFrame, float rate, bool forward, bool loop, bool pingPong, bool mirrorX)
    : QC_FADE_ANIMATION(image, transform) {
  fSetup(columns, rows, 1, lastFrame, rate, forward, loop, pingPong, mirrorX);
}

QC_FADE_ANIMATION::QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows,
                                     int firstFrame, int lastFrame, float rate, bool forward, bool loop,
                                     bool pingPong, bool mirrorX)
    : QC_FADE_ANIMATION(image, transform) {
  fSetup(columns, rows, firstFrame, lastFrame, rate, forward, loop, pingPong, mirrorX);
}

QC_FADE_ANIMATION::QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform)
    : QC_SPRITE(image, transform),
      _loop(false),
      _pingPong(false),
      _mirrorX(false),
      _mirrorY(false),
      _crossFade(false),
      _playing(false),
      _columns(1),
      _rows(1),
      _firstFrame(1),
      _lastFrame(1),
      _startFrame(1),
      _initialStep(1),
      _currentFrame(1),
      _nextFrame(1),
      _step(1),
      _frameTime(1.0f),
      _frameCountdown(1.0f),
      _holdTime(0.0f),
      _holdCountdown(0.0f) {}

int QC_FADE_ANIMATION::fSetup(int columns, int rows, int firstFrame, int lastFrame, float rate, bool forward,
                              bool loop, bool pingPong, bool mirrorX) {
  if (columns < 1 || rows < 1) {
    fLog() << "QC_FADE_ANIMATION: refused grid " << columns << " x " << rows;
    return 0;
  }
  _loop = loop;
  _pingPong = pingPong;
  _mirrorX = mirrorX;
  _mirrorY = false;
  _crossFade = false;
  _playing = false;
  _firstFrame = static_cast<std::uint32_t>(firstFrame);
  _lastFrame = static_cast<std::uint32_t>(lastFrame);
  _columns = static_cast<std::uint32_t>(columns);
  _rows = static_cast<std::uint32_t>(rows);
  _startFrame = forward ? _firstFrame : _lastFrame;
  _initialStep = forward ? 1 : -1;
  _frameTime = rate > 0.0f ? 1.0f / rate : std::numeric_limits<float>::infinity();
  _frameCountdown = _frameTime;
  _holdTime = 0.0f;
  _holdCountdown = 0.0f;
  fSetSize(fGetPageWidth() / columns, fGetPageHeight() / rows);
  fSetAnchor(kAnchorCentre, 0.0f, 0.0f);
  fRestart();
  return 1;
}

void QC_FADE_ANIMATION::fRestart() {
  _currentFrame = _startFrame;
  _step = _initialStep;
  _nextFrame = fGetNextFrame(_currentFrame);
  _playing = false;
}

std::uint32_t QC_FADE_ANIMATION::fGetNextFrame(std::uint32_t frame) {
  const std::uint32_t n = frame + static_cast<std::uint32_t>(static_cast<std::int32_t>(_step));
  if (isFrameInRange(n)) return n;
  if (!_pingPong && !_loop) {
    _playing = false;
    return frame;
  }
  if (!_pingPong) return _startFrame;
  _step = static_cast<std::int8_t>(-_step);
  if (!_loop && _currentFrame == _startFrame) {
    _playing = false;
    return frame;
  }
  return frame + static_cast<std::uint32_t>(static_cast<std::int32_t>(_step));
}

int QC_FADE_ANIMATION::fUpdate() {
  const float dt = qcFrameTime;
  if (!_playing) return 0;
  if (_holdCountdown > 0.0f) {
    _holdCountdown -= dt;
    return 0;
  }
  if (_frameCountdown > 0.0f) {
    _frameCountdown -= dt;
    return 0;
  }
  // 1 when the countdown ran out exactly, more when a long tick overshot several frames.
  double due = 1.0 - std::ceil(static_cast<double>(_frameCountdown) / static_cast<double>(_frameTime));
  if (!(due >= 1.0)) due = 1.0;
  if (due > kMostFramesPerTick) due = kMostFramesPerTick;
  const int frames = static_cast<int>(due);
  _frameCountdown = _frameTime;
  for (int k = 0; k < frames; ++k) {
    _currentFrame = _nextFrame;
    _nextFrame = fGetNextFrame(_currentFrame);
  }
  if (_loop) {
    const bool atCycleEnd = _pingPong ? _currentFrame == _startFrame
                                      : (_currentFrame == _firstFrame || _currentFrame == _lastFrame) &&
                                            _currentFrame != _startFrame;
    if (atCycleEnd) _holdCountdown = _holdTime;
  }
  return kAdvanced;
}

void QC_FADE_ANIMATION::fSetCellUV(std::uint32_t frame) {
  const std::uint32_t i = frame - 1;
  float left = static_cast<float>(i % _columns) / static_cast<float>(_columns);
  float top = static_cast<float>(i / _columns) / static_cast<float>(_rows);
  float right = left + 1.0f / static_cast<float>(_columns);
  float bottom = top + 1.0f / static_cast<float>(_rows);
  if (_mirrorX) std::swap(left, right);
  if (_mirrorY) std::swap(top, bottom);
  fSetUV(left, top, right, bottom);
}

void QC_FADE_ANIMATION::fDrawFrames(bool inFrame, bool skipPosition, bool skipRotation, bool skipScale) {
  const auto draw = [&]() {
    if (inFrame) {
      QC_SPRITE::fRenderInFrame(skipPosition, skipRotation, skipScale);
    } else {
      QC_MESH::fRender();
    }
  };
  if (_crossFade) {
    int a = fTruncateToInt(static_cast<double>(_frameCountdown) / static_cast<double>(_frameTime) * 255.0);
    if (a < 0) a = 0;
    if (a > 255) a = 255;
    fSetCellUV(_nextFrame);
    fSetColor((static_cast<std::uint32_t>(255 - a) << 24) | 0x00FFFFFFu);
    draw();
    fSetCellUV(_currentFrame);
    fSetColor((static_cast<std::uint32_t>(a) << 24) | 0x00FFFFFFu);
    draw();
    return;
  }
  fSetCellUV(_currentFrame);
  draw();
}

void QC_FADE_ANIMATION::fRender() { fDrawFrames(false, false, false, false); }

void QC_FADE_ANIMATION::fRenderInFrame(bool skipPosition, bool skipRotation, bool skipScale) {
  fDrawFrames(true, skipPosition, skipRotation, skipScale);
}

void QC_FADE_ANIMATION::by_str(const char* text) {
  const std::vector<std::string> items = fSplitString(text != nullptr ? text : "", ' ', true);
  if (items.size() < 8) {
    MessageBoxA(nullptr, "Error in QC_FADE_ANIMATION::by_str: Count params must be 8", "", MB_OK);
    return;
  }
  fSetup(fTextToInt(items[4]), fTextToInt(items[5]), 1, fTextToInt(items[6]), fTextToFloat(items[7]),
         fTextToInt(items[0]) != 0, fTextToInt(items[2]) != 0, fTextToInt(items[1]) != 0, fTextToInt(items[3]) != 0);
}

const char* QC_FADE_ANIMATION::to_str() const {
  static std::string buffer;
  char numbers[96];
  std::snprintf(numbers, sizeof(numbers), "%i %i %i %i %i %i %i ", _initialStep == 1 ? 1 : 0, _pingPong ? 1 : 0,
                _loop ? 1 : 0, _mirrorX ? 1 : 0, static_cast<int>(_columns), static_cast<int>(_rows),
                static_cast<int>(_lastFrame));
  buffer = numbers;
  buffer += fFloatToFixedText(fGetFps());
  return buffer.c_str();
}

}  // namespace QOR
