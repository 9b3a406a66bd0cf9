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
// Boxes whose surrounding box covers at most this share of the picture go to the window as that one
// box.
constexpr double kWindowShare = 0.25;
// Two boxes become one when that draws at most this many pixels more: each box costs the driver
// about as much as a tile of pixels (the strips a cover leaves meet in slivers).
constexpr long long kJoinWaste = 64 * 64;

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

// Whether a fragment's alpha reaches the blending as 1 wherever the draw lands: what stage 0's
// alpha reads (the device's program takes the texel, the vertex colour or their product, and the
// vertex colour for any other operation) is opaque. An untextured draw's texel is white; a
// textured one is opaque when every pixel of its content is and no border colour is sampled.
bool alphaIsOne(const GlCommand& command, bool verticesOpaque) {
  const host_d3d::DeviceState& state = command.state;
  const auto isTexel = [](DWORD argument) { return (argument & 15u) == D3DTA_TEXTURE; };
  const DWORD op = state.stage0[D3DTSS_ALPHAOP];
  const DWORD first = state.stage0[D3DTSS_ALPHAARG1];
  const DWORD second = state.stage0[D3DTSS_ALPHAARG2];
  bool texel = false;
  bool diffuse = false;
  switch (op) {
    case D3DTOP_SELECTARG1:
      (isTexel(first) ? texel : diffuse) = true;
      break;
    case D3DTOP_SELECTARG2:
      (isTexel(second) ? texel : diffuse) = true;
      break;
    case D3DTOP_MODULATE:
      (isTexel(first) ? texel : diffuse) = true;
      (isTexel(second) ? texel : diffuse) = true;
      break;
    default:
      diffuse = true;
      break;
  }
  if (diffuse && !verticesOpaque) return false;
  if (!texel || state.texture == nullptr) return true;
  return state.sampler0[D3DSAMP_ADDRESSU] != D3DTADDRESS_BORDER && state.sampler0[D3DSAMP_ADDRESSV] != D3DTADDRESS_BORDER &&
         state.texture->fOpaque(command.textureVersion);
}

// Whether the colour a draw leaves in a pixel it covers is the same whatever the pixel held: no
// depth or stencil test may drop a fragment, and the blending keeps nothing of the destination.
bool replacesWhatLiesUnder(const GlCommand& command, bool verticesOpaque) {
  const auto& rs = command.state.render;
  if (rs[D3DRS_ZENABLE] != FALSE || rs[D3DRS_STENCILENABLE] != FALSE) return false;
  if (rs[D3DRS_ALPHABLENDENABLE] == FALSE) return true;
  const DWORD source = rs[D3DRS_SRCBLEND];
  const bool sourceAlone = source == D3DBLEND_ZERO || source == D3DBLEND_ONE || source == D3DBLEND_SRCCOLOR ||
                           source == D3DBLEND_INVSRCCOLOR || source == D3DBLEND_SRCALPHA ||
                           source == D3DBLEND_INVSRCALPHA;
  if (!sourceAlone) return false;
  if (rs[D3DRS_DESTBLEND] == D3DBLEND_ZERO) return true;
  return rs[D3DRS_DESTBLEND] == D3DBLEND_INVSRCALPHA && alphaIsOne(command, verticesOpaque);
}

// a less b, in up to four boxes that do not overlap.
void subtract(const GlRect& a, const GlRect& b, std::vector<GlRect>& out) {
  if (!a.fIntersects(b)) {
    out.push_back(a);
    return;
  }
  const int top = std::max(a.y0, b.y0);
  const int bottom = std::min(a.y1, b.y1);
  const GlRect parts[4] = {{a.x0, a.y0, a.x1, top},
                           {a.x0, bottom, a.x1, a.y1},
                           {a.x0, top, std::max(a.x0, b.x0), bottom},
                           {std::min(a.x1, b.x1), top, a.x1, bottom}};
  for (const GlRect& part : parts) {
    if (!part.fEmpty()) out.push_back(part);
  }
}

// Whether a draw of the frame tests or writes depth or stencil: values a covering command leaves
// as they were.
bool usesDepthOrStencil(const GlFrame& frame) {
  for (std::size_t i = 0; i < frame.fSize(); ++i) {
    const GlCommand& command = frame.fCommand(i);
    if (!command.isClear &&
        (command.state.render[D3DRS_ZENABLE] != FALSE || command.state.render[D3DRS_STENCILENABLE] != FALSE)) {
      return true;
    }
  }
  return false;
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

bool GlPlacer::fPlace(int vertex, float& x, float& y) const {
  const std::uint8_t* v = fVertex(vertex);
  if (v == nullptr) return false;
  const float p[3] = {readFloat(v + layout_.position), readFloat(v + layout_.position + 4),
                      readFloat(v + layout_.position + 8)};
  float clip[4];
  for (int c = 0; c < 4; ++c) clip[c] = p[0] * wvp_.m[0][c] + p[1] * wvp_.m[1][c] + p[2] * wvp_.m[2][c] + wvp_.m[3][c];
  // At or behind the eye the divide says nothing about where the primitive lands.
  if (!(clip[3] > 1e-6f) || !std::isfinite(clip[0]) || !std::isfinite(clip[1])) return false;
  x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(width_);
  y = (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(height_);
  return std::isfinite(x) && std::isfinite(y);
}

GlRect GlPlacer::fBox(const int* vertices, std::size_t count) const {
  float x0 = std::numeric_limits<float>::max();
  float y0 = x0;
  float x1 = -x0;
  float y1 = -x0;
  const float extra = kMargin + (draw_.type == D3DPT_LINELIST || draw_.type == D3DPT_LINESTRIP ? 1.0f : 0.0f);
  for (std::size_t k = 0; k < count; ++k) {
    const int vertex = vertices[k];
    float x = 0.0f;
    float y = 0.0f;
    if (!fPlace(vertex, x, y)) return wholeOf(width_, height_);
    const std::uint8_t* v = fVertex(vertex);
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

void fAddCoveredRects(const GlFrame& frame, std::size_t index, int width, int height, std::vector<GlRect>& out) {
  const GlCommand& command = frame.fCommand(index);
  if (command.state.renderTarget != nullptr) return;
  if (command.isClear) {
    if ((command.flags & D3DCLEAR_TARGET) != 0) out.push_back(wholeOf(width, height));
    return;
  }
  if (command.draw.type != D3DPT_TRIANGLELIST) return;
  const GlPlacer placer(command.state, frame.fDrawCall(command), width, height);
  const host_d3d::FvfLayout layout = host_d3d::fFvfLayout(command.draw.fvf);
  const DWORD cull = command.state.render[D3DRS_CULLMODE];
  for (UINT p = 0; p + 1 < command.draw.primitiveCount; p += 2) {
    // Triangles p and p + 1: both halves of one axis-aligned rectangle, cut along a diagonal.
    int vertices[6];
    float x[6];
    float y[6];
    placer.fPrimitive(p, vertices);
    placer.fPrimitive(p + 1, vertices + 3);
    bool usable = true;
    bool opaque = true;
    for (int k = 0; k < 6 && usable; ++k) {
      usable = placer.fPlace(vertices[k], x[k], y[k]);
      // The ARGB word's alpha is its last byte in memory; a vertex without a colour is white.
      if (usable && layout.diffuse >= 0) {
        opaque = opaque && placer.fVertex(vertices[k])[static_cast<std::size_t>(layout.diffuse) + 3] == 0xFF;
      }
    }
    if (!usable) continue;
    const float left = *std::min_element(x, x + 6);
    const float right = *std::max_element(x, x + 6);
    const float top = *std::min_element(y, y + 6);
    const float bottom = *std::max_element(y, y + 6);
    const auto near = [](float a, float b) { return std::fabs(a - b) <= 1e-3f; };
    // Corners as bits: 1 left-top, 2 right-top, 4 left-bottom, 8 right-bottom.
    int corners[2] = {0, 0};
    for (int k = 0; k < 6 && usable; ++k) {
      const bool atLeft = near(x[k], left);
      const bool atTop = near(y[k], top);
      usable = (atLeft || near(x[k], right)) && (atTop || near(y[k], bottom));
      corners[k / 3] |= 1 << ((atLeft ? 0 : 1) + (atTop ? 0 : 2));
    }
    const auto three = [](int bits) { return bits == 7 || bits == 11 || bits == 13 || bits == 14; };
    const int shared = corners[0] & corners[1];
    if (!usable || !(right - left > 2.0f) || !(bottom - top > 2.0f) || !three(corners[0]) || !three(corners[1]) ||
        (shared != 6 && shared != 9) || !replacesWhatLiesUnder(command, opaque)) {
      continue;
    }
    // Culling drops triangles that appear counter-clockwise (or clockwise) on the screen, rows
    // running down.
    bool kept = true;
    for (int t = 0; t < 2 && kept; ++t) {
      const float* tx = x + 3 * t;
      const float* ty = y + 3 * t;
      const float turn = (tx[1] - tx[0]) * (ty[2] - ty[0]) - (ty[1] - ty[0]) * (tx[2] - tx[0]);
      kept = cull == D3DCULL_NONE || (cull == D3DCULL_CW ? turn < 0.0f : turn > 0.0f);
    }
    if (!kept) continue;
    // Pixels whose centres lie a pixel inside the edges: clear of the half-pixel shift and of
    // rounding.
    const auto clampTo = [](float value, int limit) {
      return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(limit)));
    };
    const GlRect covered{clampTo(std::ceil(left) + 1.0f, width), clampTo(std::ceil(top) + 1.0f, height),
                         clampTo(std::floor(right) - 1.0f, width), clampTo(std::floor(bottom) - 1.0f, height)};
    if (!covered.fEmpty()) out.push_back(covered);
  }
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
  // A pixel that a command both frames end with covers, whatever lay under it, keeps its value
  // (when no draw tests depth or stencil, which a cover leaves as they were): the boxes lose what
  // such commands cover, while they stay few.
  std::vector<GlRect> boxes = rects.fRects();
  std::vector<GlRect> covered;
  const bool coverable = !usesDepthOrStencil(shown) && !usesDepthOrStencil(frame);
  for (std::size_t i = n - tail; coverable && i < n && !boxes.empty(); ++i) {
    covered.clear();
    fAddCoveredRects(frame, i, width, height, covered);
    for (const GlRect& cover : covered) {
      std::vector<GlRect> left;
      for (const GlRect& box : boxes) subtract(box, cover, left);
      if (left.size() > kMaxRects) continue;
      boxes.swap(left);
    }
  }
  for (bool joined = true; joined && boxes.size() > 1;) {
    joined = false;
    for (std::size_t i = 0; i < boxes.size() && !joined; ++i) {
      for (std::size_t j = i + 1; j < boxes.size() && !joined; ++j) {
        const GlRect both = boxes[i].fUnion(boxes[j]);
        if (both.fArea() - boxes[i].fArea() - boxes[j].fArea() > kJoinWaste) continue;
        boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
        boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(i));
        RectSet merged;
        for (const GlRect& box : boxes) merged.fAdd(box);
        merged.fAdd(both);
        boxes = merged.fRects();
        joined = true;
      }
    }
  }
  long long area = 0;
  for (const GlRect& rect : boxes) area += rect.fArea();
  if (static_cast<double>(area) > kWholeShare * static_cast<double>(width) * static_cast<double>(height)) {
    return std::nullopt;
  }
  return GlChanges{boxes, head};
}

std::vector<GlRect> fWindowBoxes(const std::vector<GlRect>& boxes, int width, int height) {
  if (boxes.size() < 2) return boxes;
  GlRect around = boxes.front();
  for (const GlRect& box : boxes) around = around.fUnion(box);
  if (static_cast<double>(around.fArea()) > kWindowShare * static_cast<double>(width) * static_cast<double>(height)) {
    return boxes;
  }
  return {around};
}

}  // namespace host_gl
