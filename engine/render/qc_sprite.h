// The drawable the whole program uses: a mesh of one textured quad of four vertices, with a frame
// grid for texture atlases, a size, nine anchor modes for its pivot, colours, and the filter and
// additive-blend switches.
#pragma once

#include "engine/render/qc_mesh.h"

#include <cstdint>

namespace QOR {

class QC_SPRITE : public QC_MESH {
 public:
  // The index table every sprite's quad shares: two triangles, 0-1-2 and 0-2-3.
  static const std::uint16_t kQuadIndices[6];

  // Anchor modes: the point of the quad that the pivot goes to.
  static constexpr int kAnchorCentre = 0;
  static constexpr int kAnchorTopLeft = 1;
  static constexpr int kAnchorTopRight = 2;
  static constexpr int kAnchorBottomLeft = 3;
  static constexpr int kAnchorBottomRight = 4;
  static constexpr int kAnchorTopCentre = 5;
  static constexpr int kAnchorBottomCentre = 6;
  static constexpr int kAnchorLeftCentre = 7;
  static constexpr int kAnchorRightCentre = 8;

  // A white quad of the image's size (0 x 0 for no image) with vertex 0 at the origin. Without a
  // transform the sprite makes and owns one, its pivot at the image's centre; a given transform
  // is shared and stays with its owner. Alpha blend, triangles, anisotropic filter, textured.
  explicit QC_SPRITE(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform = nullptr);
  // The same with the image loaded by the renderer from a file (its default texture when the
  // file cannot be loaded; no image without a renderer).
  explicit QC_SPRITE(const char* fileName, QS_TRANSFORM3* transform = nullptr);
  // Same texture and render state, a fresh quad from the texture; an owned transform is copied
  // (every field, the parent link included) and owned by the copy, a shared one is shared.
  QC_SPRITE(const QC_SPRITE& other);
  QC_SPRITE& operator=(const QC_SPRITE&) = delete;
  ~QC_SPRITE() = default;

  // A new image: the page size from the texture and a fresh white quad of that size with full
  // UVs; the transform and the render state stay.
  void fSetImage(QC_TEXTURE_INFO* image);
  // Texture rectangle: vertices 0 and 3 take the left u, 1 and 2 the right u, 0 and 1 the top v,
  // 2 and 3 the bottom v.
  void fSetUV(float leftU, float topV, float rightU, float bottomV);
  // Cell `index` of a columns x rows grid over the whole texture, row-major from the top left.
  // Nothing changes for a grid with fewer than one column or row.
  void fSetFrame(int columns, int rows, int index);
  // A rectangle in texture pixels; nothing changes without a texture of some size.
  void fSetPixelRect(int left, int top, int right, int bottom);
  // Resizes the quad from vertex 0; the UVs stay, so the image stretches.
  void fSetSize(int width, int height);
  // UVs (0, 0) .. (quad width / image width, quad height / image height): one texel per pixel.
  void fFitUV();
  // The pivot := a point of the quad (by anchor mode) + (dx, dy); other modes change nothing.
  void fSetAnchor(int mode, float dx, float dy);
  // The same over the page size, halves taken as integers.
  void fSetAnchorPage(int mode, float dx, float dy);

  void fSetCornerColors(std::uint32_t c0, std::uint32_t c1, std::uint32_t c2, std::uint32_t c3);
  // The colour of vertex i (0 for an index outside the quad).
  std::uint32_t fGetVertexColor(int i) const;
  using QC_MESH::fSetColor;
  void fSetColor(std::uint32_t argb) { QC_MESH::fSetColor(QC_COLOR32(argb)); }
  void fSetTransparentWhite() { fSetColor(0x00FFFFFFu); }
  // 0 none, 1 point, 2 linear, 3 anisotropic (the low four bits of f).
  void fSetFilter(int f) { _renderState.fSetFilter(f & 0xF); }
  void fAdditiveOn() { _renderState.fSet(QC_RENDER_STATE::kAdditive, true); }
  void fAdditiveOff() { _renderState.fSet(QC_RENDER_STATE::kAdditive, false); }

  float fGetWidth() const { return _quad[1].x - _quad[0].x; }
  float fGetHeight() const { return _quad[2].y - _quad[0].y; }
  int fGetPageWidth() const { return _pageWidth; }
  int fGetPageHeight() const { return _pageHeight; }
  // The bitmap font sets its glyph cell size here.
  void fSetPageSize(int width, int height) {
    _pageWidth = width;
    _pageHeight = height;
  }
  bool isOwningTransform() const { return _ownedTransform != nullptr && _ownedTransform == _transform; }

  // The font's glyph blit: position (x, y) (z untouched), UVs, size w x h, then fRenderInFrame.
  void fDrawPart(float x, float y, float leftU, float topV, float rightU, float bottomV, int w, int h);
  // Writes x, y, u, v and the colour of each vertex in turn (z untouched) and draws with fRender.
  void fRenderQuad(float x0, float y0, float u0, float v0, std::uint32_t c0, float x1, float y1, float u1, float v1,
                   std::uint32_t c1, float x2, float y2, float u2, float v2, std::uint32_t c2, float x3, float y3,
                   float u3, float v3, std::uint32_t c3);
  // Draws with the transform combined with its parent chain as the world transform; without a
  // transform, under the current world transform. The three flags are accepted and not used: the
  // chain is always combined whole.
  void fRenderInFrame(bool skipPosition, bool skipRotation, bool skipScale);

 private:
  void fSetupRenderState();
  void fSetPivot(float x, float y);

  int _pageWidth;
  int _pageHeight;
  // The sprite's own quad, edited in place; the vertex-array part points at it.
  QS_VERTEX _quad[4];
};

}  // namespace QOR
