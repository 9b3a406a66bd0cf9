#include "gui/widgets/qc_gui_layout.h"

#include "engine/service/qc_log.h"

#include <algorithm>
#include <cmath>

namespace QOR {

QC_GUI_LAYOUT::QC_GUI_LAYOUT(int id, float width, float height, bool even, int mode)
    : QC_GUI_OBJECT(id),
      _width(width),
      _height(height),
      _usedWidth(0.0f),
      _usedHeight(0.0f),
      _mode(mode),
      _even(even) {}

void QC_GUI_LAYOUT::fGetExtent(QC_GUI_OBJECT* child, float& x, float& y) {
  const double w = child->fGetWidth();
  const double h = child->fGetHeight();
  const double a = child->fGetAngle();
  x = static_cast<float>(std::cos(a) * w + std::sin(a) * h);
  y = static_cast<float>(std::cos(a) * h + std::sin(a) * w);
}

float QC_GUI_LAYOUT::fEvenGap(float size, float used, std::size_t count) {
  const float gap = (size - used) / static_cast<float>(count + 1);
  return gap < 0.0f ? 0.0f : gap;
}

void QC_GUI_LAYOUT::fArrangeRun(bool even, bool row, bool reversed, int (*side)(int alignment)) {
  const float sign = reversed ? -1.0f : 1.0f;
  const float length = row ? _width : _height;
  const float breadth = row ? _height : _width;
  // Invisible children keep their share of the gap.
  const float gap = fEvenGap(length, row ? _usedWidth : _usedHeight, _children.size());
  float along = -length / 2.0f;
  for (std::size_t i = 0; i < _children.size(); ++i) {
    QC_GUI_OBJECT* child = _children[i];
    if (!child->isVisible()) continue;
    float ex = 0.0f;
    float ey = 0.0f;
    fGetExtent(child, ex, ey);
    const float extentAlong = row ? ex : ey;
    const float extentAcross = row ? ey : ex;
    const float space = even ? gap : fGetOffset(i);
    along = along + extentAlong / 2.0f + space;
    float across = 0.0f;
    switch (side(fGetAlignment(i))) {
      case -1:
        across = -breadth / 2.0f + extentAcross / 2.0f;
        break;
      case 1:
        across = breadth / 2.0f - extentAcross / 2.0f;
        break;
      default:
        break;
    }
    if (row) {
      child->fSetPosition(sign * along, across, 0.0f);
    } else {
      child->fSetPosition(across, sign * along, 0.0f);
    }
    along = along + extentAlong / 2.0f;
  }
}

bool QC_GUI_LAYOUT::fAddControl(QC_GUI_OBJECT* child, unsigned index, int alignment, float offset) {
  if (child == nullptr || child == this || child->fGetParent() != nullptr) return false;
  float ex = 0.0f;
  float ey = 0.0f;
  fGetExtent(child, ex, ey);
  // An extent that is not a number would spread through every later position.
  if (!(ex <= _width) || !(ey <= _height) || !std::isfinite(ex) || !std::isfinite(ey)) {
    fLog("Warning in QC_GUI_LAYOUT::fAddControl : New element too big for adding");
    return false;
  }
  const std::size_t at = std::min<std::size_t>(index, _children.size());
  fInsertControl(child, static_cast<int>(at));
  // The tree refuses a child that would make it loop; the lists stay parallel to the children.
  if (child->fGetParent() != this) return false;
  _offsets.insert(_offsets.begin() + static_cast<std::ptrdiff_t>(std::min(at, _offsets.size())), offset);
  _alignments.insert(_alignments.begin() + static_cast<std::ptrdiff_t>(std::min(at, _alignments.size())), alignment);
  _usedWidth += ex;
  _usedHeight += ey;
  fArrange(_even, _mode);
  return true;
}

void QC_GUI_LAYOUT::fRemoveControl(QC_GUI_OBJECT* child) {
  const auto found = std::find(_children.begin(), _children.end(), child);
  if (child == nullptr || found == _children.end()) return;
  const std::size_t i = static_cast<std::size_t>(found - _children.begin());
  if (i < _offsets.size()) _offsets.erase(_offsets.begin() + static_cast<std::ptrdiff_t>(i));
  if (i < _alignments.size()) _alignments.erase(_alignments.begin() + static_cast<std::ptrdiff_t>(i));
  float ex = 0.0f;
  float ey = 0.0f;
  fGetExtent(child, ex, ey);
  _usedWidth -= ex;
  _usedHeight -= ey;
  fRemoveControlByPtr(child);
  fArrange(_even, _mode);
}

void QC_GUI_LAYOUT::fRemoveControlAt(unsigned index) {
  if (index < _children.size()) fRemoveControl(_children[index]);
}

void QC_GUI_LAYOUT::fSetWidth(float width) {
  _width = width > _usedWidth ? width : _usedWidth;
  fArrange(_even, _mode);
}

void QC_GUI_LAYOUT::fSetHeight(float height) {
  _height = height > _usedHeight ? height : _usedHeight;
  fArrange(_even, _mode);
}

unsigned QC_GUI_LAYOUT::fGetIndex(const QC_GUI_OBJECT* child) const {
  const auto found = std::find(_children.begin(), _children.end(), child);
  return static_cast<unsigned>(found - _children.begin());
}

}  // namespace QOR
