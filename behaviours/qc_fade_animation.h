// A sprite that plays a range of frames of a sprite sheet (frames counted from 1, frame n in the
// cell n - 1, column first): forwards or backwards, once, looping or back and forth, with an
// optional pause at the end of each cycle, mirroring of the cell and a cross-fade from each frame
// into the next. Its settings have a text form of eight numbers (by_str, to_str). Set up stopped
// on its start frame; fPlay starts it.
#pragma once

#include "engine/render/qc_sprite.h"

#include <cstdint>

namespace QOR {

class QC_FADE_ANIMATION : public QC_SPRITE {
 public:
  static constexpr int kAdvanced = -105;  // fUpdate: the frame advanced

  // Frames 1 .. last.
  QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows, int lastFrame,
                    float rate, bool forward, bool loop, bool pingPong, bool mirrorX);
  // Frames first .. last.
  QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows, int firstFrame,
                    int lastFrame, float rate, bool forward, bool loop, bool pingPong, bool mirrorX);
  // The sprite alone on a one-cell grid showing frame 1, to be set up by by_str.
  explicit QC_FADE_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform = nullptr);

  // The whole set-up: flags (mirror y, cross-fade and playing off), range and grid, start frame
  // and step from forward, frame time 1 / rate (a rate that is not above 0 never advances), no
  // pause, the sprite one cell in whole pixels anchored at its centre, then fRestart. A column or
  // row count below 1 is refused with a log line and changes nothing: 0; else 1.
  int fSetup(int columns, int rows, int firstFrame, int lastFrame, float rate, bool forward, bool loop,
             bool pingPong, bool mirrorX);
  // Stops on the start frame with the initial direction.
  void fRestart();
  // The frame after this one; at an end it stops the animation, turns it or wraps it (loop).
  std::uint32_t fGetNextFrame(std::uint32_t frame);
  bool isFrameInRange(std::uint32_t n) const { return _firstFrame <= n && n <= _lastFrame; }
  float fGetFps() const { return 1.0f / _frameTime; }
  // One tick on the frame delta: kAdvanced when the frame advanced (several frames when the tick
  // overshot them), else 0.
  int fUpdate();
  // Shows and draws the current frame, cross-faded into the next when that is on.
  void fRender();
  void fRenderInFrame(bool skipPosition, bool skipRotation, bool skipScale);
  // The sprite's texture rectangle := the cell of that frame, with the mirror swaps.
  void fSetCellUV(std::uint32_t frame);
  // Set-up from eight numbers separated by blanks: forward, ping-pong, loop, mirror x, columns,
  // rows, last frame, frames per second (first frame 1). Fewer than 8 show a message box and
  // change nothing; more are ignored.
  void by_str(const char* text);
  // The same eight numbers, "%i %i %i %i %i %i %i %f" in the C locale, in one shared buffer that
  // the next call overwrites.
  const char* to_str() const;

  // Playing from the current frame; stopping keeps it.
  void fPlay() { _playing = true; }
  void fStop() { _playing = false; }
  bool isPlaying() const { return _playing; }
  void fSetMirrorX(bool on) { _mirrorX = on; }
  void fSetMirrorY(bool on) { _mirrorY = on; }
  void fSetCrossFade(bool on) { _crossFade = on; }
  // The pause armed at the end of each cycle of a looping animation.
  void fSetHoldTime(float seconds) { _holdTime = seconds; }

  std::uint32_t fGetCurrentFrame() const { return _currentFrame; }
  std::uint32_t fGetFollowingFrame() const { return _nextFrame; }
  std::uint32_t fGetFirstFrame() const { return _firstFrame; }
  std::uint32_t fGetLastFrame() const { return _lastFrame; }
  int fGetStep() const { return _step; }
  float fGetFrameTime() const { return _frameTime; }
  float fGetCountdown() const { return _frameCountdown; }
  void fSetCountdown(float seconds) { _frameCountdown = seconds; }
  float fGetHoldCountdown() const { return _holdCountdown; }
  bool isLoop() const { return _loop; }
  bool isPingPong() const { return _pingPong; }
  bool isMirrorX() const { return _mirrorX; }
  bool isMirrorY() const { return _mirrorY; }
  bool isCrossFade() const { return _crossFade; }

 private:
  void fDrawFrames(bool inFrame, bool skipPosition, bool skipRotation, bool skipScale);

  bool _loop;
  bool _pingPong;
  bool _mirrorX;
  bool _mirrorY;
  bool _crossFade;
  bool _playing;
  std::uint32_t _columns;
  std::uint32_t _rows;
  std::uint32_t _firstFrame;
  std::uint32_t _lastFrame;
  std::uint32_t _startFrame;
  std::int8_t _initialStep;
  std::uint32_t _currentFrame;
  std::uint32_t _nextFrame;
  std::int8_t _step;
  float _frameTime;
  float _frameCountdown;
  float _holdTime;
  float _holdCountdown;
};

}  // namespace QOR
