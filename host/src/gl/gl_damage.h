// Which parts of the back buffer a frame changes against the frame it holds. A pixel that no
// command differing between the two frames covers sees the same commands, in the same order, in
// both, and so keeps its value: only the boxes of the differing commands need drawing again.
#pragma once

#include "host/src/gl/gl_frame.h"

#include <optional>
#include <vector>

namespace host_gl {

// A box of pixels of a target: columns x0 to x1 and rows y0 to y1 from the top, the ends
// excluded.
struct GlRect {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;

  bool fEmpty() const { return x1 <= x0 || y1 <= y0; }
  long long fArea() const { return fEmpty() ? 0 : static_cast<long long>(x1 - x0) * (y1 - y0); }
  bool fIntersects(const GlRect& other) const {
    return !fEmpty() && !other.fEmpty() && x0 < other.x1 && other.x0 < x1 && y0 < other.y1 && other.y0 < y1;
  }
  GlRect fUnion(const GlRect& other) const;
  bool operator==(const GlRect& other) const {
    return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
  }
};

// Places a draw's vertices in a width x height target as the device's program does: through
// world * view * projection, then the perspective divide, x to the right and rows from the top.
// The state and the draw's bytes must outlive it.
class GlPlacer {
 public:
  GlPlacer(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw, int width, int height);

  const host_d3d::DrawCall& fDraw() const { return draw_; }
  // The box of the listed vertices (numbers counted from the draw's first vertex), widened for
  // point sizes and line ends and by a margin for rounding; the whole target when one of them lies
  // at or behind the eye or outside the draw.
  GlRect fBox(const int* vertices, std::size_t count) const;
  // The vertices primitive p reads, counted from the draw's first vertex; how many there are.
  std::size_t fPrimitive(UINT p, int* out) const;
  // The bytes of a vertex (null for a number outside the draw).
  const std::uint8_t* fVertex(int vertex) const;
  // Where a vertex lands in the target, in pixels from the top-left corner (before the device's
  // half-pixel shift); false for a number outside the draw or a vertex at or behind the eye.
  bool fPlace(int vertex, float& x, float& y) const;

 private:
  host_d3d::DrawCall draw_;
  const host_d3d::DeviceState& state_;
  host_d3d::FvfLayout layout_;
  D3DMATRIX wvp_;
  int width_;
  int height_;
  float pointLow_ = 0.0f;
  float pointHigh_ = 0.0f;
};

// The pixels of a width x height target that a command may touch: all of them for a clear; for a
// draw, the box around its vertices as the device's program places them, widened for point sizes
// and line ends and by a margin for rounding, or all of them when a vertex lies at or behind the
// eye. Empty for a draw that lies wholly outside the target.
GlRect fCommandBounds(const GlFrame& frame, std::size_t index, int width, int height);

// Adds the boxes of back-buffer pixels that the command surely paints with colours independent of
// what lay under them: for a clear of the colour, the whole target; for a triangle list, each pair
// of triangles that make an axis-aligned rectangle, neither culled, whose colours replace the
// destination's (no depth or stencil test; no blending, or a blending that keeps nothing of the
// destination, as alpha blending does with a fully opaque source: opaque vertices and texture),
// less a pixel at each edge.
void fAddCoveredRects(const GlFrame& frame, std::size_t index, int width, int height, std::vector<GlRect>& out);

// What a frame changes against the frame a back buffer holds: the boxes to draw again under a
// scissor (none when the two give the same picture), and how many commands both frames begin
// with, which leave the same pixels in every box.
struct GlChanges {
  std::vector<GlRect> boxes;
  std::size_t sameStart = 0;
};

// The changes that take a back buffer of width x height holding shown (whose command bounds are
// shownBounds) to frame (bounds frameBounds), less what the commands both frames end with cover
// (a highlight pulsing under an opaque picture changes only the rim that shows). Nothing when the
// frame must be drawn whole: a command of either draws on another target than the back buffer,
// or the changes cover most of the picture.
std::optional<GlChanges> fChangedRects(const GlFrame& shown, const std::vector<GlRect>& shownBounds,
                                       const GlFrame& frame, const std::vector<GlRect>& frameBounds, int width,
                                       int height);

// The boxes of a changed frame as they go to the window: the one box around them when it covers at
// most a quarter of the width x height picture (the window's copies cost a wait each, its pixels
// little), else the boxes themselves.
std::vector<GlRect> fWindowBoxes(const std::vector<GlRect>& boxes, int width, int height);

}  // namespace host_gl
