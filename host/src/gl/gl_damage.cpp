#include "host/src/gl/gl_damage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace host_gl {

namespace {

// Pixels added around a draw's box for the half-pixel shift, rounding and filtering.
constexpr float kMargin = 2.0f;
// More boxes than this become their union.
constexpr std::size_t kMaxRects = 16;
// Changes covering more than this share of the picture are drawn as a whole frame.
constexpr double kWholeShare = 0.6;

float readFloat(const std::uint8_t* at) {
  float value = 0.0f;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

GlRect wholeOf(int width, int height) { return GlRect{0, 0, width, height}; }

// Boxes to draw again, each merged with those it meets, so that no pixel is drawn twice over.
class RectSet {
 public:
  void fAdd(GlRect rect) {
    if (rect.fEmpty()) return;
    for (bool merged = true; merged;) {
      merged = false;
      for (std::size_t i = 0; i < rects_.size(); ++i) {
        if (!rects_[i].fIntersects(rect)) continue;
        rect = rect.fUnion(rects_[i]);
        rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(i));
        merged = true;
        break;
      }
    }
    rects_.push_back(rect);
    if (rects_.size() > kMaxRects) {
      GlRect all = rects_.front();
      for (const GlRect& r : rects_) all = all.fUnion(r);
      rects_.assign(1, all);
    }
  }
  const std::vector<GlRect>& fRects() const { return rects_; }

 private:
  std::vector<GlRect> rects_;
};

// The primitives that differ between two draws of the same shape: each one's box in both.
void addChangedPrimitives(const GlPlacer& before, const GlPlacer& after, RectSet& rects) {
  const host_d3d::DrawCall& draw = after.fDraw();
  for (UINT p = 0; p < draw.primitiveCount; ++p) {
    int a[3];
    int b[3];
    const std::size_t count = before.fPrimitive(p, a);
    after.fPrimitive(p, b);
    bool same = true;
    for (std::size_t k = 0; k < count && same; ++k) {
      const std::uint8_t* va = before.fVertex(a[k]);
      const std::uint8_t* vb = after.fVertex(b[k]);
      same = va != nullptr && vb != nullptr && std::memcmp(va, vb, draw.stride) == 0;
    }
    if (same) continue;
    rects.fAdd(before.fBox(a, count));
    rects.fAdd(after.fBox(b, count));
  }
}

bool drawsOnTheBackBuffer(const GlFrame& frame) {
  for (std::size_t i = 0; i < frame.fSize(); ++i) {
    if (frame.fCommand(i).state.renderTarget != nullptr) return false;
  }
  return true;
}

}  // namespace

GlPlacer::GlPlacer(const host_d3d::DeviceState& state, const host_d3d::DrawCall& draw, int width, int height)
    : draw_(draw),
      state_(state),
      layout_(host_d3d::fFvfLayout(draw.fvf)),
      wvp_(host_d3d::fMultiply(host_d3d::fMultiply(state.world, state.view), state.projection)),
      width_(width),
      height_(height) {
  if (draw_.type == D3DPT_POINTLIST) {
    pointLow_ = std::max(state_.fFloatState(D3DRS_POINTSIZE_MIN), 0.0f);
    pointHigh_ = std::max(pointLow_, state_.fFloatState(D3DRS_POINTSIZE_MAX));
  }
}

GlRect GlPlacer::fBox(const int* vertices, std::size_t count) const {
  float x0 = std::numeric_limits<float>::max();
  float y0 = x0;
  float x1 = -x0;
  float y1 = -x0;
  const float extra = kMargin + (draw_.type == D3DPT_LINELIST || draw_.type == D3DPT_LINESTRIP ? 1.0f : 0.0f);
  for (std::size_t k = 0; k < count; ++k) {
    const int vertex = vertices[k];
    if (vertex < 0 || static_cast<UINT>(vertex) >= draw_.vertexCount) return wholeOf(width_, height_);
    const std::uint8_t* v = draw_.vertexData + static_cast<std::size_t>(vertex) * draw_.stride;
    const float p[3] = {readFloat(v + layout_.position), readFloat(v + layout_.position + 4),
                        readFloat(v + layout_.position + 8)};
    float clip[4];
    for (int c = 0; c < 4; ++c)
      clip[c] = p[0] * wvp_.m[0][c] + p[1] * wvp_.m[1][c] + p[2] * wvp_.m[2][c] + wvp_.m[3][c];
    // At or behind the eye the divide says nothing about where the primitive lands.
    if (!(clip[3] > 1e-6f) || !std::isfinite(clip[0]) || !std::isfinite(clip[1])) return wholeOf(width_, height_);
    const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(width_);
    const float y = (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(height_);
    if (!std::isfinite(x) || !std::isfinite(y)) return wholeOf(width_, height_);
    float reach = extra;
    if (draw_.type == D3DPT_POINTLIST) {
      const float size =
          layout_.pointSize >= 0 ? readFloat(v + layout_.pointSize) : state_.fFloatState(D3DRS_POINTSIZE);
      reach += std::isfinite(size) ? std::clamp(size, pointLow_, pointHigh_) / 2.0f : pointHigh_;
      if (!std::isfinite(reach)) return wholeOf(width_, height_);
    }
    x0 = std::min(x0, x - reach);
    y0 = std::min(y0, y - reach);
    x1 = std::max(x1, x + reach);
    y1 = std::max(y1, y + reach);
  }
  if (count == 0) return GlRect{};
  const auto clampTo = [](float value, int limit) {
    return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(limit)));
  };
  return GlRect{clampTo(std::floor(x0), width_), clampTo(std::floor(y0), height_), clampTo(std::ceil(x1), width_),
                clampTo(std::ceil(y1), height_)};
}

std::size_t GlPlacer::fPrimitive(UINT p, int* out) const {
  UINT at[3] = {0, 0, 0};
  std::size_t count = 0;
  switch (draw_.type) {
    case D3DPT_POINTLIST:
      at[0] = p;
      count = 1;
      break;
    case D3DPT_LINELIST:
      at[0] = 2 * p;
      at[1] = 2 * p + 1;
      count = 2;
      break;
    case D3DPT_LINESTRIP:
      at[0] = p;
      at[1] = p + 1;
      count = 2;
      break;
    case D3DPT_TRIANGLELIST:
      at[0] = 3 * p;
      at[1] = 3 * p + 1;
      at[2] = 3 * p + 2;
      count = 3;
      break;
    case D3DPT_TRIANGLESTRIP:
      at[0] = p;
      at[1] = p + 1;
      at[2] = p + 2;
      count = 3;
      break;
    case D3DPT_TRIANGLEFAN:
      at[0] = 0;
      at[1] = p + 1;
      at[2] = p + 2;
      count = 3;
      break;
  }
  for (std::size_t k = 0; k < count; ++k) {
    out[k] = draw_.indices != nullptr ? host_d3d::fIndexAt(draw_.indices, at[k]) + draw_.indexBase
                                      : static_cast<int>(at[k]);
  }
  return count;
}

const std::uint8_t* GlPlacer::fVertex(int vertex) const {
  if (vertex < 0 || static_cast<UINT>(vertex) >= draw_.vertexCount) return nullptr;
  return draw_.vertexData + static_cast<std::size_t>(vertex) * draw_.stride;
}

GlRect GlRect::fUnion(const GlRect& other) const {
  if (fEmpty()) return other;
  if (other.fEmpty()) return *this;
  return GlRect{std::min(x0, other.x0), std::min(y0, other.y0), std::max(x1, other.x1), std::max(y1, other.y1)};
}

GlRect fCommandBounds(const GlFrame& frame, std::size_t index, int width, int height) {
  const GlCommand& command = frame.fCommand(index);
  if (command.isClear) return wholeOf(width, height);
  const GlPlacer placer(command.state, frame.fDrawCall(command), width, height);
  const UINT count = command.draw.vertexCount;
  std::vector<int> all(count);
  for (UINT i = 0; i < count; ++i) all[i] = static_cast<int>(i);
  return placer.fBox(all.data(), all.size());
}

std::optional<GlChanges> fChangedRects(const GlFrame& shown, const std::vector<GlRect>& shownBounds,
                                       const GlFrame& frame, const std::vector<GlRect>& frameBounds, int width,
                                       int height) {
  if (!drawsOnTheBackBuffer(shown) || !drawsOnTheBackBuffer(frame)) return std::nullopt;
  const std::size_t m = shown.fSize();
  const std::size_t n = frame.fSize();
  // The commands both frames begin and end with.
  std::size_t head = 0;
  while (head < m && head < n && frame.fSameCommand(head, shown, head)) ++head;
  std::size_t tail = 0;
  while (tail < m - head && tail < n - head && frame.fSameCommand(n - 1 - tail, shown, m - 1 - tail)) ++tail;
  RectSet rects;
  if (m - head - tail == n - head - tail) {
    // Command by command: a draw whose bytes alone changed is compared primitive by primitive.
    for (std::size_t i = head; i < n - tail; ++i) {
      if (frame.fSameCommand(i, shown, i)) continue;
      if (!frame.fCommand(i).isClear && frame.fSameShape(i, shown, i)) {
        addChangedPrimitives(GlPlacer(shown.fCommand(i).state, shown.fDrawCall(shown.fCommand(i)), width, height),
                             GlPlacer(frame.fCommand(i).state, frame.fDrawCall(frame.fCommand(i)), width, height),
                             rects);
      } else {
        rects.fAdd(shownBounds[i]);
        rects.fAdd(frameBounds[i]);
      }
    }
  } else {
    for (std::size_t i = head; i < m - tail; ++i) rects.fAdd(shownBounds[i]);
    for (std::size_t i = head; i < n - tail; ++i) rects.fAdd(frameBounds[i]);
  }
  long long area = 0;
  for (const GlRect& rect : rects.fRects()) area += rect.fArea();
  if (static_cast<double>(area) > kWholeShare * static_cast<double>(width) * static_cast<double>(height)) {
    return std::nullopt;
  }
  return GlChanges{rects.fRects(), head};
}

}  // namespace host_gl
