#include "tests/game/flow/layout_check.h"

#include "engine/math/float_to_int.h"
#include "engine/math/qs_transform3.h"
#include "engine/render/font_numbers.h"
#include "engine/render/qc_font.h"
#include "engine/render/qs_vertex.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_game.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"
#include "host/d3d9.h"
#include "host/recording_device.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace layout_test {

using QOR::QS_VEC2;

namespace {

constexpr float kGameWidth = 1024.0f;
constexpr float kGameHeight = 768.0f;
constexpr double kMinContrast = 3.0;  // large text, WCAG: the game's texts are 19 px and more
constexpr float kHitShare = 0.8f;     // the hit area reaches at least this share of its picture

float cross(QS_VEC2 a, QS_VEC2 b, QS_VEC2 p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

// The quad's corners projected on an axis: [lo, hi].
void project(const QUAD& q, QS_VEC2 axis, float& lo, float& hi) {
  lo = hi = q.p[0].x * axis.x + q.p[0].y * axis.y;
  for (const QS_VEC2& p : q.p) {
    const float d = p.x * axis.x + p.y * axis.y;
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
}

std::string narrow(const std::wstring& text) { return pugi::as_utf8(text); }

std::string rgb(std::uint32_t argb) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%06X", argb & 0xFFFFFFu);
  return buffer;
}

double linear(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double luminance(double r, double g, double b) { return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b); }

int serialOf(const std::string& picture) {
  QOR::QC_TEXTURE_INFO* texture = QOR::QC_GAME::fSubscribeImage(picture);
  if (texture == nullptr) return 0;
  const int serial = host_test::fSerialOf(texture->_texture);
  QOR::QC_GAME::fUnscribeImage(texture);
  return serial;
}

// What is wrong with the art under the text's lines, or nothing: samples across the middle of
// each line must lie on the picture, on an even part of it, and differ from the text's colour.
std::string fGroundProblem(const SHOWN_TEXT& text, const GROUND& ground) {
  constexpr int kAcross = 9;
  constexpr int kDown = 7;
  // The largest contrast between two samples of an even ground: a plate's own shading stays
  // below, a gold rim or a band's edge on lacquer goes far above.
  constexpr double kEven = 2.5;
  for (const QUAD& line : text.lines) {
    double darkest = 100.0, lightest = 0.0;
    std::uint32_t dark = 0u, light = 0u;
    for (int i = 0; i < kAcross; ++i) {
      for (int j = 0; j < kDown; ++j) {
        const float s = (static_cast<float>(i) + 0.5f) / kAcross;
        const float t = 0.2f + 0.6f * static_cast<float>(j) / (kDown - 1);
        const QS_VEC2 top(line.p[0].x + s * (line.p[1].x - line.p[0].x), line.p[0].y + s * (line.p[1].y - line.p[0].y));
        const QS_VEC2 bottom(line.p[3].x + s * (line.p[2].x - line.p[3].x),
                             line.p[3].y + s * (line.p[2].y - line.p[3].y));
        const QS_VEC2 at(top.x + t * (bottom.x - top.x), top.y + t * (bottom.y - top.y));
        const std::uint32_t argb = ground(at);
        if ((argb >> 24) < 200u) return "it leaves the picture's art at (" + std::to_string(static_cast<int>(at.x)) + "," +
                                        std::to_string(static_cast<int>(at.y)) + ")";
        const double l = fContrast(argb, 0xFF000000u);
        if (l < darkest) {
          darkest = l;
          dark = argb;
        }
        if (l > lightest) {
          lightest = l;
          light = argb;
        }
      }
    }
    if (fContrast(dark, light) > kEven) {
      return "the ground under it is not even (" + rgb(dark) + " and " + rgb(light) + "): an edge, a band or an icon";
    }
    const double worst = std::min(fContrast(text.color, dark), fContrast(text.color, light));
    if (worst < kMinContrast) {
      char ratio[16];
      std::snprintf(ratio, sizeof ratio, "%.2f", worst);
      return "in " + rgb(text.color) + " it hardly stands out from " + rgb(worst == fContrast(text.color, dark) ? dark : light) +
             " (contrast " + ratio + ")";
    }
  }
  return std::string();
}

// Where a picture drawn over the text hides it: the first sample across the text's lines where
// the picture's art is nearly opaque (a veil lets the text through, a frame, an icon or a star
// does not), or nothing.
std::string fHiddenUnder(const SHOWN_TEXT& text, const DRAWN& drawn, const GROUND& art) {
  constexpr int kAcross = 12;
  constexpr int kDown = 6;
  constexpr std::uint32_t kHides = 200u;
  for (const QUAD& line : text.lines) {
    if (!line.isOverlapping(drawn.place)) continue;
    for (int i = 0; i <= kAcross; ++i) {
      for (int j = 0; j <= kDown; ++j) {
        const float s = static_cast<float>(i) / kAcross;
        const float t = static_cast<float>(j) / kDown;
        const QS_VEC2 top(line.p[0].x + s * (line.p[1].x - line.p[0].x), line.p[0].y + s * (line.p[1].y - line.p[0].y));
        const QS_VEC2 bottom(line.p[3].x + s * (line.p[2].x - line.p[3].x),
                             line.p[3].y + s * (line.p[2].y - line.p[3].y));
        const QS_VEC2 at(top.x + t * (bottom.x - top.x), top.y + t * (bottom.y - top.y));
        if ((art(at) >> 24) >= kHides) {
          return "(" + std::to_string(static_cast<int>(at.x)) + "," + std::to_string(static_cast<int>(at.y)) + ")";
        }
      }
    }
  }
  return std::string();
}

}  // namespace

QUAD QUAD::fRect(float left, float top, float right, float bottom) {
  QUAD q;
  q.p[0] = QS_VEC2(left, top);
  q.p[1] = QS_VEC2(right, top);
  q.p[2] = QS_VEC2(right, bottom);
  q.p[3] = QS_VEC2(left, bottom);
  return q;
}

float QUAD::fLeft() const { return std::min({p[0].x, p[1].x, p[2].x, p[3].x}); }
float QUAD::fRight() const { return std::max({p[0].x, p[1].x, p[2].x, p[3].x}); }
float QUAD::fTop() const { return std::min({p[0].y, p[1].y, p[2].y, p[3].y}); }
float QUAD::fBottom() const { return std::max({p[0].y, p[1].y, p[2].y, p[3].y}); }

QS_VEC2 QUAD::fCentre() const {
  return QS_VEC2((p[0].x + p[1].x + p[2].x + p[3].x) / 4.0f, (p[0].y + p[1].y + p[2].y + p[3].y) / 4.0f);
}

bool QUAD::isInside(QS_VEC2 point, float tolerance) const {
  // Inside a convex quad whatever its winding: on the inner side of every edge, within tolerance.
  const float winding = cross(p[0], p[1], p[2]) + cross(p[0], p[2], p[3]) >= 0.0f ? 1.0f : -1.0f;
  for (int i = 0; i < 4; ++i) {
    const QS_VEC2 a = p[i];
    const QS_VEC2 b = p[(i + 1) % 4];
    const float length = std::hypot(b.x - a.x, b.y - a.y);
    if (length == 0.0f) continue;
    if (cross(a, b, point) / length * winding < -tolerance) return false;
  }
  return true;
}

bool QUAD::isInside(const QUAD& other, float tolerance) const {
  return std::all_of(std::begin(other.p), std::end(other.p),
                     [&](const QS_VEC2& corner) { return isInside(corner, tolerance); });
}

bool QUAD::isOverlapping(const QUAD& other) const {
  // Separating axes of two convex quads; touching outlines (a pixel's sliver) do not count.
  constexpr float kSliver = 1.0f;
  for (const QUAD* q : {this, &other}) {
    for (int i = 0; i < 4; ++i) {
      const QS_VEC2 a = q->p[i];
      const QS_VEC2 b = q->p[(i + 1) % 4];
      const float length = std::hypot(b.x - a.x, b.y - a.y);
      if (length == 0.0f) continue;
      const QS_VEC2 axis((a.y - b.y) / length, (b.x - a.x) / length);
      float lo1 = 0.0f, hi1 = 0.0f, lo2 = 0.0f, hi2 = 0.0f;
      project(*this, axis, lo1, hi1);
      project(other, axis, lo2, hi2);
      if (hi1 - lo2 <= kSliver || hi2 - lo1 <= kSliver) return false;
    }
  }
  return true;
}

std::string QUAD::fText() const {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "(%.0f,%.0f)-(%.0f,%.0f)", fLeft(), fTop(), fRight(), fBottom());
  return buffer;
}

QS_VEC2 fToScreen(const QOR::QS_TRANSFORM3& world, float x, float y) {
  const QS_VEC2 turned = QOR::QS_TRANSFORM3::fRotatePoint(0.0f, 0.0f, x - world._pivot.x, y - world._pivot.y,
                                                           world._rotation.z);
  return QS_VEC2(turned.x * world._scale.x + world._position.x, turned.y * world._scale.y + world._position.y);
}

std::string SHOWN_TEXT::fName() const { return "\"" + narrow(text) + "\""; }

std::vector<QUAD> fMeasure(const QOR::font_test::QS_TRACED_TEXT& traced) {
  std::vector<QUAD> lines;
  const QOR::QC_FONT& font = *traced.font;
  const QOR::QC_SPRITE* page = font.fGetPage();
  if (page == nullptr || page->fGetTransform() == nullptr) return lines;
  // The glyphs are drawn on the page's transform, placed in the trace's frame.
  QOR::QS_TRANSFORM3 glyphPlace = *page->fGetTransform();
  glyphPlace._parent = const_cast<QOR::QS_TRANSFORM3*>(traced.frame);
  const float scaleX = glyphPlace._scale.x;
  const float scaleY = glyphPlace._scale.y;

  std::vector<wchar_t> wide(traced.text.begin(), traced.text.end());
  wide.push_back(L'\0');
  std::string bytes;
  if (traced.narrow) {
    for (wchar_t c : traced.text) bytes += static_cast<char>(c);
  }
  const int offsetY = traced.narrow ? font.fGetOffsetY(bytes.c_str()) : font.fGetOffsetYW(wide.data());
  std::size_t start = 0;
  for (int line = 0; start <= traced.text.size(); ++line) {
    std::size_t end = traced.text.find(L'\n', start);
    if (end == std::wstring::npos) end = traced.text.size();
    const int offsetX = traced.narrow ? font.fGetOffsetX(bytes.c_str() + start) : font.fGetOffsetXW(wide.data() + start);
    const int lineY = QOR::fClampToInt(static_cast<long long>(traced.y) + static_cast<long long>(font._lineHeight) * line +
                                       offsetY);
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    bool inked = false;
    float widePen = 0.0f;
    long long narrowPen = 0;
    for (std::size_t i = start; i < end; ++i) {
      const QOR::QC_GLYPH* glyph = font.fFindGlyph(static_cast<int>(traced.text[i]));
      const int drawX = traced.narrow ? QOR::fClampToInt(traced.x + narrowPen + offsetX)
                                      : QOR::fTruncateToInt(static_cast<float>(traced.x) + widePen +
                                                            static_cast<float>(offsetX));
      if (glyph != nullptr && glyph->_width > 1 && glyph->_height > 1) {
        const float x0 = static_cast<float>(drawX);
        const float y0 = static_cast<float>(lineY) + static_cast<float>(glyph->_yOffset) * scaleY;
        const float x1 = x0 + static_cast<float>(glyph->_width) * scaleX;
        const float y1 = y0 + static_cast<float>(glyph->_height) * scaleY;
        left = inked ? std::min(left, x0) : x0;
        top = inked ? std::min(top, y0) : y0;
        right = inked ? std::max(right, x1) : x1;
        bottom = inked ? std::max(bottom, y1) : y1;
        inked = true;
      }
      const int width = glyph != nullptr ? glyph->_width : 0;
      if (traced.narrow) {
        narrowPen = QOR::fClampToInt(narrowPen + width + font._spacing);
      } else if (width != 0) {
        widePen = scaleX * static_cast<float>(static_cast<long long>(width) + font._spacing) + widePen;
      }
    }
    if (inked && font._spacing < 0) {
      // Our fonts' rectangles are the advance widened by the padding that the game's negative
      // letter spacing takes back, half on each side: the ink lies within the advance.
      const float trim = static_cast<float>(-font._spacing) * scaleX / 2.0f;
      left += trim;
      right = std::max(left, right - trim);
    }
    if (inked) {
      // The page's own pivot and the frame apply to the glyphs' quads as to any sprite's: the
      // line's corners go the same way (page scale already counted in the glyph sizes).
      QOR::QS_TRANSFORM3 place = glyphPlace;
      place._scale = QOR::QS_VEC3(1.0f, 1.0f, 1.0f);
      place._position = QOR::QS_VEC3(0.0f, 0.0f, 0.0f);
      place._pivot = QOR::QS_VEC3(glyphPlace._pivot.x * scaleX, glyphPlace._pivot.y * scaleY, 0.0f);
      const QOR::QS_TRANSFORM3 world = place.fGetWorld(false, false, false);
      QUAD quad;
      const float xs[4] = {left, right, right, left};
      const float ys[4] = {top, top, bottom, bottom};
      for (int k = 0; k < 4; ++k) quad.p[k] = fToScreen(world, xs[k], ys[k]);
      lines.push_back(quad);
    }
    start = end + 1;
  }
  return lines;
}

TEXT_RECORDER::TEXT_RECORDER() {
  QOR::font_test::fSetTextTrace([this](const QOR::font_test::QS_TRACED_TEXT& traced) {
    SHOWN_TEXT shown;
    shown.text = traced.text;
    shown.font = traced.font;
    shown.color = traced.font->fGetColor();
    shown.lines = fMeasure(traced);
    shown.intoTarget = intoTarget;
    shown.order = host_test::fRecordedCalls().size();
    QOR::QS_TRANSFORM3 at;
    at._parent = const_cast<QOR::QS_TRANSFORM3*>(traced.frame);
    shown.point = fToScreen(at.fGetWorld(false, false, false), static_cast<float>(traced.x), static_cast<float>(traced.y));
    texts.push_back(std::move(shown));
  });
}

TEXT_RECORDER::~TEXT_RECORDER() { QOR::font_test::fSetTextTrace(nullptr); }

std::size_t fLastDraw(const std::string& picture) {
  const int serial = serialOf(picture);
  std::size_t last = 0;
  int bound = 0;
  const std::vector<host_test::RecordedCall>& calls = host_test::fRecordedCalls();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].name == "SetTexture" && calls[i].args.size() >= 2 && calls[i].args[0] == 0.0) {
      bound = static_cast<int>(calls[i].args[1]);
    } else if (serial != 0 && bound == serial && !calls[i].vertices.empty()) {
      last = i;
    }
  }
  return last;
}

std::vector<DRAWN> fDrawnPlaces(const std::string& picture) {
  std::vector<DRAWN> places;
  const int serial = serialOf(picture);
  if (serial == 0) return places;
  int bound = 0;
  const std::vector<host_test::RecordedCall>& calls = host_test::fRecordedCalls();
  for (std::size_t index = 0; index < calls.size(); ++index) {
    const host_test::RecordedCall& call = calls[index];
    if (call.name == "SetTexture" && call.args.size() >= 2 && call.args[0] == 0.0) {
      bound = static_cast<int>(call.args[1]);
      continue;
    }
    if (bound != serial || call.stride < sizeof(QOR::QS_VERTEX) || call.vertices.empty()) continue;
    if (call.name != "DrawIndexedPrimitive" && call.name != "DrawPrimitive") continue;
    const auto vertex = [&call](std::size_t i) {
      QOR::QS_VERTEX v;
      std::memcpy(&v, call.vertices.data() + i * call.stride, sizeof v);
      return v;
    };
    const std::size_t count = call.vertices.size() / call.stride;
    // Sprites: four vertices each, drawn as the triangles 0-1-2 and 0-2-3.
    for (std::size_t first = 0; first + 3 < count; first += 4) {
      DRAWN drawn;
      for (std::size_t k = 0; k < 4; ++k) {
        const QOR::QS_VERTEX v = vertex(first + k);
        drawn.place.p[k] = QS_VEC2(v.x, v.y);
        drawn.uv[k] = QS_VEC2(v.u, v.v);
      }
      drawn.call = index;
      places.push_back(drawn);
    }
  }
  return places;
}

GROUND fGroundOf(const std::string& picture, const DRAWN& drawn) {
  QOR::QC_TEXTURE_INFO* texture = QOR::QC_GAME::fSubscribeImage(picture);
  auto pixels = std::make_shared<std::vector<std::uint32_t>>();
  int width = 0;
  int height = 0;
  if (texture != nullptr && texture->_texture != nullptr) {
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(texture->_texture->GetLevelDesc(0, &desc)) &&
        SUCCEEDED(texture->_texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)) && locked.pBits != nullptr) {
      width = static_cast<int>(desc.Width);
      height = static_cast<int>(desc.Height);
      pixels->resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
      // Bytes B, G, R, A, or R, G, B, A in a texture that keeps the image's own order.
      const bool rgbaBytes = desc.Format == D3DFMT_A8B8G8R8;
      for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(y) * locked.Pitch;
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * 4;
          const std::uint32_t r = rgbaBytes ? p[0] : p[2];
          const std::uint32_t b = rgbaBytes ? p[2] : p[0];
          (*pixels)[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
              (static_cast<std::uint32_t>(p[3]) << 24) | (r << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | b;
        }
      }
      texture->_texture->UnlockRect(0);
    }
  }
  if (texture != nullptr) QOR::QC_GAME::fUnscribeImage(texture);
  return [pixels, width, height, drawn](QS_VEC2 point) -> std::uint32_t {
    // The point's share along the quad's top and left edges, then its texture coordinates.
    const QS_VEC2 o = drawn.place.p[0];
    const QS_VEC2 a(drawn.place.p[1].x - o.x, drawn.place.p[1].y - o.y);
    const QS_VEC2 b(drawn.place.p[3].x - o.x, drawn.place.p[3].y - o.y);
    const float det = a.x * b.y - a.y * b.x;
    if (det == 0.0f || pixels->empty()) return 0u;
    const float dx = point.x - o.x;
    const float dy = point.y - o.y;
    const float s = (dx * b.y - dy * b.x) / det;
    const float t = (a.x * dy - a.y * dx) / det;
    if (s < 0.0f || s > 1.0f || t < 0.0f || t > 1.0f) return 0u;
    const float u = drawn.uv[0].x + s * (drawn.uv[1].x - drawn.uv[0].x) + t * (drawn.uv[3].x - drawn.uv[0].x);
    const float v = drawn.uv[0].y + s * (drawn.uv[1].y - drawn.uv[0].y) + t * (drawn.uv[3].y - drawn.uv[0].y);
    const int x = std::clamp(static_cast<int>(u * static_cast<float>(width)), 0, width - 1);
    const int y = std::clamp(static_cast<int>(v * static_cast<float>(height)), 0, height - 1);
    return (*pixels)[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  };
}

QUAD fPart(const QUAD& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area) {
  const auto at = [&](double x, double y) {
    const float fx = static_cast<float>(x / cell.w);
    const float fy = static_cast<float>(y / cell.h);
    const QS_VEC2 o = drawn.p[0];
    const QS_VEC2 ux(drawn.p[1].x - o.x, drawn.p[1].y - o.y);
    const QS_VEC2 vy(drawn.p[3].x - o.x, drawn.p[3].y - o.y);
    return QS_VEC2(o.x + fx * ux.x + fy * vy.x, o.y + fx * ux.y + fy * vy.y);
  };
  QUAD part;
  part.p[0] = at(area.x, area.y);
  part.p[1] = at(area.x + area.w, area.y);
  part.p[2] = at(area.x + area.w, area.y + area.h);
  part.p[3] = at(area.x, area.y + area.h);
  return part;
}

QUAD fPart(const QUAD& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_TURNED_AREA area) {
  // The turned rectangle's corners in the cell, then each mapped like a point of an area.
  QUAD part;
  const double c = std::cos(area.angle);
  const double s = std::sin(area.angle);
  const double xs[4] = {-area.w / 2, area.w / 2, area.w / 2, -area.w / 2};
  const double ys[4] = {-area.h / 2, -area.h / 2, area.h / 2, area.h / 2};
  for (int k = 0; k < 4; ++k) {
    const double x = area.cx + xs[k] * c - ys[k] * s;
    const double y = area.cy + xs[k] * s + ys[k] * c;
    part.p[k] = fPart(drawn, cell, QOR::ART_PLACES::QS_AREA{x, y, 0.0, 0.0}).p[0];
  }
  return part;
}

std::vector<PLATE> fPlatesOn(const std::string& picture, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area,
                             std::vector<std::wstring> holds) {
  std::vector<PLATE> plates;
  for (const DRAWN& drawn : fDrawnPlaces(picture)) {
    PLATE plate;
    plate.name = picture;
    plate.area = fPart(drawn.place, cell, area);
    plate.ground = fGroundOf(picture, drawn);
    plate.holds = holds;
    plates.push_back(plate);
  }
  return plates;
}

SHOWN_TEXT fPaintedText(const DRAWN& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area,
                        std::wstring text) {
  SHOWN_TEXT painted;
  painted.text = std::move(text);
  painted.color = 0xFF000000u;  // judged as shown; its colours are the art's
  painted.lines.push_back(fPart(drawn.place, cell, area));
  painted.point = painted.lines.front().fCentre();
  painted.order = drawn.call;
  return painted;
}

double fContrast(std::uint32_t argb1, std::uint32_t argb2) {
  const auto lum = [](std::uint32_t argb) {
    return luminance(((argb >> 16) & 0xFFu) / 255.0, ((argb >> 8) & 0xFFu) / 255.0, (argb & 0xFFu) / 255.0);
  };
  const double l1 = lum(argb1);
  const double l2 = lum(argb2);
  return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

std::string fCheckButton(const QOR::QC_IMAGE_BUTTON& button) {
  const QOR::QC_SPRITE* image = button.fGetImage();
  const QOR::QC_HIT_AREA* hit = button.fGetHitArea();
  if (image == nullptr || hit == nullptr || image->fGetTransform() == nullptr || hit->fGetOwner() == nullptr) {
    return "a button without picture or hit area";
  }
  // The picture as the button draws it (its own transform), the hit area on its owner's world.
  const QOR::QS_TRANSFORM3& place = *image->fGetTransform();
  QUAD picture;
  const float w = image->fGetWidth();
  const float h = image->fGetHeight();
  const float xs[4] = {0.0f, w, w, 0.0f};
  const float ys[4] = {0.0f, 0.0f, h, h};
  for (int k = 0; k < 4; ++k) picture.p[k] = fToScreen(place, xs[k], ys[k]);
  const QOR::QS_TRANSFORM3 world = hit->fGetOwner()->fGetWorld(false, false, false);
  QUAD reach;
  if (hit->fGetType() == QOR::QC_HIT_AREA::kCircle) {
    const float r = hit->fGetWidth();
    reach = QUAD::fRect(world._position.x - r, world._position.y - r, world._position.x + r, world._position.y + r);
  } else {
    const float hw = hit->fGetWidth();
    const float hh = hit->fGetHeight();
    const float hx[4] = {0.0f, hw, hw, 0.0f};
    const float hy[4] = {0.0f, 0.0f, hh, hh};
    for (int k = 0; k < 4; ++k) reach.p[k] = fToScreen(world, hx[k], hy[k]);
  }
  const QS_VEC2 middle = picture.fCentre();
  // Of the picture's width and height the hit area reaches (the design may narrow it a little).
  const float wide = std::min(reach.fRight(), picture.fRight()) - std::max(reach.fLeft(), picture.fLeft());
  const float high = std::min(reach.fBottom(), picture.fBottom()) - std::max(reach.fTop(), picture.fTop());
  const float pictureWide = picture.fRight() - picture.fLeft();
  const float pictureHigh = picture.fBottom() - picture.fTop();
  if (!hit->isPointInside(middle.x, middle.y) || wide < kHitShare * pictureWide - 1.0f ||
      high < kHitShare * pictureHigh - 1.0f) {
    return "picture " + picture.fText() + " is not covered by its hit area " + reach.fText();
  }
  return std::string();
}

std::vector<std::string> fCheck(const FRAME& frame) {
  std::vector<std::string> failures;
  const QUAD screen = QUAD::fRect(0.0f, 0.0f, kGameWidth, kGameHeight);
  std::vector<const SHOWN_TEXT*> shown;
  for (const SHOWN_TEXT& text : frame.texts) {
    // A text faded out entirely, wholly off the screen or under the top layer is not judged here.
    if ((text.color >> 24) == 0u || text.lines.empty() || text.order < frame.layerFrom) continue;
    const bool onScreen = std::any_of(text.lines.begin(), text.lines.end(), [&](const QUAD& line) {
      return line.fRight() > 0.0f && line.fLeft() < kGameWidth && line.fBottom() > 0.0f && line.fTop() < kGameHeight;
    });
    if (onScreen) shown.push_back(&text);
  }

  for (const SHOWN_TEXT* text : shown) {
    for (const QUAD& line : text->lines) {
      if (!screen.isInside(line)) {
        failures.push_back(text->fName() + " runs out of the game area: " + line.fText());
        break;
      }
    }
  }

  constexpr float kPrintSlack = 4.0f;  // a print point on a plate's edge still counts as on it
  const auto holdsHere = [&](const PLATE& plate, const SHOWN_TEXT& text) {
    return std::find(plate.holds.begin(), plate.holds.end(), text.text) != plate.holds.end() &&
           plate.area.isInside(text.point, kPrintSlack);
  };
  for (const PLATE& plate : frame.plates) {
    for (const std::wstring& wanted : plate.holds) {
      const bool drawn = std::any_of(shown.begin(), shown.end(), [&](const SHOWN_TEXT* t) {
        return t->text == wanted && plate.area.isInside(t->point, kPrintSlack);
      });
      if (!drawn) failures.push_back("\"" + narrow(wanted) + "\" is not printed on " + plate.name + " " + plate.area.fText());
    }
  }
  for (const SHOWN_TEXT* text : shown) {
    // Its plate: one that holds it and that it was printed on, else the smallest one it was
    // printed on.
    const PLATE* home = nullptr;
    for (const PLATE& plate : frame.plates) {
      if (home == nullptr && holdsHere(plate, *text)) home = &plate;
    }
    if (home == nullptr) {
      float smallest = 0.0f;
      for (const PLATE& plate : frame.plates) {
        if (!plate.claimsPrinted || !plate.area.isInside(text->point, 0.0f)) continue;
        const float size = (plate.area.fRight() - plate.area.fLeft()) * (plate.area.fBottom() - plate.area.fTop());
        if (home == nullptr || size < smallest) {
          home = &plate;
          smallest = size;
        }
      }
    }
    if (home == nullptr) continue;
    for (const QUAD& line : text->lines) {
      if (!home->area.isInside(line)) {
        failures.push_back(text->fName() + " " + line.fText() + " leaves " + home->name + " " + home->area.fText());
        break;
      }
    }
    if (home->ground) {
      const std::string problem = fGroundProblem(*text, home->ground);
      if (!problem.empty()) failures.push_back(text->fName() + " on " + home->name + ": " + problem);
    }
  }

  for (const SHOWN_TEXT* text : shown) {
    // A text's own lines must not run into each other either (a scaled font keeps its spacing).
    for (std::size_t i = 0; i + 1 < text->lines.size(); ++i) {
      if (text->lines[i].isOverlapping(text->lines[i + 1])) {
        failures.push_back(text->fName() + ": its lines " + std::to_string(i + 1) + " and " + std::to_string(i + 2) +
                           " lie over each other");
      }
    }
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const SHOWN_TEXT& a = *shown[i];
      const SHOWN_TEXT& b = *shown[j];
      // The same text printed twice at the same place (a flash and its text) is one.
      if (a.text == b.text && a.point.x == b.point.x && a.point.y == b.point.y) continue;
      bool over = false;
      for (const QUAD& la : a.lines) {
        for (const QUAD& lb : b.lines) over = over || la.isOverlapping(lb);
      }
      if (over) failures.push_back(a.fName() + " and " + b.fName() + " lie over each other");
    }
    for (const auto& [name, box] : frame.keepOut) {
      for (const QUAD& line : shown[i]->lines) {
        if (line.isOverlapping(box)) {
          failures.push_back(shown[i]->fName() + " lies over " + name);
          break;
        }
      }
    }
  }

  for (const std::string& picture : frame.over) {
    for (const DRAWN& drawn : fDrawnPlaces(picture)) {
      GROUND art;
      for (const SHOWN_TEXT* text : shown) {
        if (drawn.call < text->order) continue;
        if (!art) art = fGroundOf(picture, drawn);
        const std::string where = fHiddenUnder(*text, drawn, art);
        if (!where.empty()) failures.push_back(text->fName() + " is hidden under " + picture + " at " + where);
      }
    }
  }

  for (const QOR::QC_IMAGE_BUTTON* button : frame.buttons) {
    if (button == nullptr) continue;
    const std::string problem = fCheckButton(*button);
    if (!problem.empty()) failures.push_back("button at " + QUAD::fRect(button->fGetPosition().x, button->fGetPosition().y,
                                                                         button->fGetPosition().x, button->fGetPosition().y)
                                                                 .fText() + ": " + problem);
  }
  return failures;
}

}  // namespace layout_test
