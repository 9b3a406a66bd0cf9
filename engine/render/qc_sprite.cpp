#include "engine/render/qc_sprite.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"

namespace QOR {

const std::uint16_t QC_SPRITE::kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

QC_SPRITE::QC_SPRITE(QC_TEXTURE_INFO* image, QS_TRANSFORM3* transform) : QC_MESH(), _pageWidth(0), _pageHeight(0) {
  fSetImage(image);
  if (transform == nullptr) {
    _transform = fMakeOwnedTransform();
    _transform->fSetPivot(static_cast<float>(_pageWidth / 2.0), static_cast<float>(_pageHeight / 2.0), 0.0f);
  } else {
    _transform = transform;
  }
  fSetupRenderState();
}

QC_SPRITE::QC_SPRITE(const char* fileName, QS_TRANSFORM3* transform)
    : QC_SPRITE(qcRENDER != nullptr && fileName != nullptr ? qcRENDER->fLoadTexture(fileName)
                                                           : static_cast<QC_TEXTURE_INFO*>(nullptr),
                transform) {}

QC_SPRITE::QC_SPRITE(const QC_SPRITE& other) : QC_MESH(), _pageWidth(0), _pageHeight(0) {
  fSetImage(other._texture);
  _renderState = other._renderState;
  if (other.isOwningTransform()) {
    _transform = fMakeOwnedTransform();
    *_transform = *other._transform;
  } else {
    _transform = other._transform;
  }
}

void QC_SPRITE::fSetupRenderState() {
  _renderState.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  _renderState.fSetPrimitive(2);
  _renderState.fSetFilter(3);
  _renderState.fSet(QC_RENDER_STATE::kTextured, true);
}

void QC_SPRITE::fSetImage(QC_TEXTURE_INFO* image) {
  _texture = image;
  _pageWidth = image != nullptr ? image->fGetWidth() : 0;
  _pageHeight = image != nullptr ? image->fGetHeight() : 0;
  const float w = static_cast<float>(_pageWidth);
  const float h = static_cast<float>(_pageHeight);
  const float px[4] = {0.0f, w, w, 0.0f};
  const float py[4] = {0.0f, 0.0f, h, h};
  const float pu[4] = {0.0f, 1.0f, 1.0f, 0.0f};
  const float pv[4] = {0.0f, 0.0f, 1.0f, 1.0f};
  for (int i = 0; i < 4; ++i) {
    _quad[i].fSetPosition(px[i], py[i], 0.0f);
    _quad[i].nx = _quad[i].ny = _quad[i].nz = 0.0f;
    _quad[i].fSetColor(0xFFFFFFFFu);
    _quad[i].fSetUV(pu[i], pv[i]);
  }
  fSetVertices(_quad, 4);
  fSetIndices(kQuadIndices, 6);
}

void QC_SPRITE::fSetUV(float leftU, float topV, float rightU, float bottomV) {
  _quad[0].fSetUV(leftU, topV);
  _quad[1].fSetUV(rightU, topV);
  _quad[2].fSetUV(rightU, bottomV);
  _quad[3].fSetUV(leftU, bottomV);
}

void QC_SPRITE::fSetFrame(int columns, int rows, int index) {
  if (columns < 1 || rows < 1) return;
  const float cw = 1.0f / static_cast<float>(columns);
  const float ch = 1.0f / static_cast<float>(rows);
  const int column = index % columns;
  const int row = index / columns;
  const float left = static_cast<float>(column) * cw;
  const float top = static_cast<float>(row) * ch;
  fSetUV(left, top, left + cw, top + ch);
}

void QC_SPRITE::fSetPixelRect(int left, int top, int right, int bottom) {
  if (_texture == nullptr || _texture->fGetWidth() == 0 || _texture->fGetHeight() == 0) return;
  const float w = static_cast<float>(_texture->fGetWidth());
  const float h = static_cast<float>(_texture->fGetHeight());
  fSetUV(static_cast<float>(left) / w, static_cast<float>(top) / h, static_cast<float>(right) / w,
         static_cast<float>(bottom) / h);
}

void QC_SPRITE::fSetSize(int width, int height) {
  const float right = _quad[0].x + static_cast<float>(width);
  const float bottom = _quad[0].y + static_cast<float>(height);
  _quad[1].x = right;
  _quad[2].x = right;
  _quad[2].y = bottom;
  _quad[3].y = bottom;
}

void QC_SPRITE::fFitUV() {
  if (_texture == nullptr || _texture->fGetWidth() == 0 || _texture->fGetHeight() == 0) return;
  const float u = static_cast<float>(fTruncateToInt(fGetWidth())) / static_cast<float>(_texture->fGetWidth());
  const float v = static_cast<float>(fTruncateToInt(fGetHeight())) / static_cast<float>(_texture->fGetHeight());
  fSetUV(0.0f, 0.0f, u, v);
}

void QC_SPRITE::fSetPivot(float x, float y) {
  if (_transform == nullptr) return;
  _transform->_pivot.x = x;
  _transform->_pivot.y = y;
}

namespace {

// The anchor point of a w x h rectangle with halves hw, hh; false for an unknown mode.
bool fAnchorPoint(int mode, float w, float h, float hw, float hh, float& x, float& y) {
  switch (mode) {
    case QC_SPRITE::kAnchorCentre: x = hw; y = hh; return true;
    case QC_SPRITE::kAnchorTopLeft: x = 0.0f; y = 0.0f; return true;
    case QC_SPRITE::kAnchorTopRight: x = w; y = 0.0f; return true;
    case QC_SPRITE::kAnchorBottomLeft: x = 0.0f; y = h; return true;
    case QC_SPRITE::kAnchorBottomRight: x = w; y = h; return true;
    case QC_SPRITE::kAnchorTopCentre: x = hw; y = 0.0f; return true;
    case QC_SPRITE::kAnchorBottomCentre: x = hw; y = h; return true;
    case QC_SPRITE::kAnchorLeftCentre: x = 0.0f; y = hh; return true;
    case QC_SPRITE::kAnchorRightCentre: x = w; y = hh; return true;
    default: return false;
  }
}

}  // namespace

void QC_SPRITE::fSetAnchor(int mode, float dx, float dy) {
  const float w = fGetWidth();
  const float h = fGetHeight();
  float x = 0.0f;
  float y = 0.0f;
  if (fAnchorPoint(mode, w, h, w / 2.0f, h / 2.0f, x, y)) fSetPivot(x + dx, y + dy);
}

void QC_SPRITE::fSetAnchorPage(int mode, float dx, float dy) {
  const float w = static_cast<float>(_pageWidth);
  const float h = static_cast<float>(_pageHeight);
  const float hw = static_cast<float>(_pageWidth / 2);
  const float hh = static_cast<float>(_pageHeight / 2);
  float x = 0.0f;
  float y = 0.0f;
  if (fAnchorPoint(mode, w, h, hw, hh, x, y)) fSetPivot(x + dx, y + dy);
}

void QC_SPRITE::fSetCornerColors(std::uint32_t c0, std::uint32_t c1, std::uint32_t c2, std::uint32_t c3) {
  _quad[0].fSetColor(c0);
  _quad[1].fSetColor(c1);
  _quad[2].fSetColor(c2);
  _quad[3].fSetColor(c3);
}

std::uint32_t QC_SPRITE::fGetVertexColor(int i) const {
  return (i >= 0 && i < 4) ? _quad[i].color.fGetARGB() : 0u;
}

void QC_SPRITE::fDrawPart(float x, float y, float leftU, float topV, float rightU, float bottomV, int w, int h) {
  if (_transform != nullptr) {
    _transform->_position.x = x;
    _transform->_position.y = y;
  }
  fSetUV(leftU, topV, rightU, bottomV);
  fSetSize(w, h);
  fRenderInFrame(false, false, false);
}

void QC_SPRITE::fRenderQuad(float x0, float y0, float u0, float v0, std::uint32_t c0, float x1, float y1, float u1,
                            float v1, std::uint32_t c1, float x2, float y2, float u2, float v2, std::uint32_t c2,
                            float x3, float y3, float u3, float v3, std::uint32_t c3) {
  const float xs[4] = {x0, x1, x2, x3};
  const float ys[4] = {y0, y1, y2, y3};
  const float us[4] = {u0, u1, u2, u3};
  const float vs[4] = {v0, v1, v2, v3};
  const std::uint32_t cs[4] = {c0, c1, c2, c3};
  for (int i = 0; i < 4; ++i) {
    _quad[i].x = xs[i];
    _quad[i].y = ys[i];
    _quad[i].fSetUV(us[i], vs[i]);
    _quad[i].fSetColor(cs[i]);
  }
  fRender();
}

void QC_SPRITE::fRenderInFrame(bool, bool, bool) {
  if (qcRENDER == nullptr) return;
  if (_transform != nullptr) qcRENDER->fSetWorldTransform(_transform->fGetWorld(false, false, false));
  fRenderLocal();
}

}  // namespace QOR
