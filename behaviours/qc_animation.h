// A sprite that plays a sprite sheet: a texture cut into a grid of equal cells, one cell per
// frame, frame n at column n mod columns and row n div columns. It steps through its frames at a
// rate, forwards or backwards, once, looping or back and forth, and can show the cell mirrored.
// Constructed stopped on its first frame; fPlay starts it.
#pragma once

#include "engine/render/qc_sprite.h"

#include <cstdint>

namespace QOR {

class QC_ANIMATION : public QC_SPRITE {
 public:
  // Flag bits.
  static constexpr std::uint8_t kForward = 1;   // start at frame 0 stepping +1, else at the last stepping -1
  static constexpr std::uint8_t kPingPong = 2;  // reverse at the ends
  static constexpr std::uint8_t kLoop = 4;      // go on past the ends
  static constexpr std::uint8_t kMirror = 8;    // the cell mirrored left to right

  // A sprite of the file with a transform of its own. Note rows before columns. Logs
  // "Warning: Bad Constructor. Use QC_ANIM".
  QC_ANIMATION(const char* fileName, int rows, int columns, int frameCount, float rate, bool forward, bool loop,
               bool pingPong, bool mirror);
  // The same on the given transform, forward, no loop, no ping-pong, no mirror.
  QC_ANIMATION(const char* fileName, QS_TRANSFORM3* transform, int rows, int columns, int frameCount, float rate);
  // A sprite of the image on the transform (or its own when null). Columns before rows.
  QC_ANIMATION(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform, int columns, int rows, int frameCount, float rate,
               bool forward, bool loop, bool pingPong, bool mirror);

  // The grid: cell size 1 / columns by 1 / rows, the sprite one cell in whole pixels, anchored at
  // its centre. A column or row count below 1 is refused (log line; 0, nothing changes); 1 done.
  int fSetGrid(int columns, int rows);
  // The frame counter := frame, accumulator 0, and that frame's cell shown.
  void fSetFrame(int frame);
  // One tick on the frame delta: 1 when the frame counter moved, else 0. At most one frame change
  // per tick; the cell shown is the one the counter stood on before the step.
  int fUpdate();
  // Stops and shows frame 0.
  void fReset();
  // Set-up from eight numbers separated by blanks: forward, ping-pong, loop, mirror (non-zero =
  // on), columns, rows, frame count and rate, for example "1 0 1 0 4 2 8 12.5". Frame, step and
  // playing stay. With another count a log line is written; fewer than 8 (or a refused grid)
  // change nothing, more than 8 use the first 8.
  void by_str(const char* text);

  // Playing from the frame the counter stands on; stopping keeps the frame.
  // Playing again after a once-run ended starts it over from frame 0.
  void fPlay() {
    if (_rewindDue) fReset();
    _playing = true;
  }
  void fStop() { _playing = false; }
  bool isPlaying() const { return _playing; }
  void fSetMirror(bool on);
  void fSetRate(float rate) { _rate = rate; }

  std::uint8_t fGetFlags() const { return _flags; }
  int fGetColumns() const { return _columns; }
  int fGetRows() const { return _rows; }
  int fGetFrame() const { return _currentFrame; }
  int fGetFrameCount() const { return _frameCount; }
  int fGetStep() const { return _step; }
  float fGetRate() const { return _rate; }

 private:
  void fStart(int columns, int rows, int frameCount, float rate, std::uint8_t flags);
  bool isFlag(std::uint8_t bit) const { return (_flags & bit) != 0; }

  std::uint8_t _flags;
  int _columns;
  int _rows;
  int _currentFrame;
  int _frameCount;
  int _step;
  float _rate;         // frames per second
  float _accumulator;  // frames' worth of time since the last change
  bool _playing;
  bool _rewindDue;      // a once-forward run showed its last frame: the next change rewinds
  float _cellWidth;
  float _cellHeight;
};

}  // namespace QOR
