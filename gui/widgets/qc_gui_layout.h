// A widget of fixed width and height that places its children in a run: a row
// (QC_GUI_HBOX_LAYOUT) or a column (QC_GUI_VBOX_LAYOUT). Each child is measured by its width and
// height turned by its angle, gets a gap before it (an even share of the free space, or an
// offset of its own) and an alignment across the run (the sprite anchor numbering). Coordinates
// are the layout's own, its centre the origin. The run is arranged again after every add, remove
// and size change.
#pragma once

#include "gui/base/qc_gui_object.h"

#include <vector>

namespace QOR {

class QC_GUI_LAYOUT : public QC_GUI_OBJECT {
 public:
  // mode: the layout's anchor code, which decides the direction of the run; even: the free space
  // is shared evenly, else each child's own offset is its gap.
  QC_GUI_LAYOUT(int id, float width, float height, bool even, int mode);

  float fGetWidth() override { return _width; }
  float fGetHeight() override { return _height; }
  // Places the visible children.
  virtual void fArrange(bool even, int mode) = 0;

  // Inserts the child before index (clamped to the number of children). A child whose turned
  // extent is wider or taller than the whole layout is refused with a warning; so are a null
  // child and one that already has a parent. True when the layout took the child; a refused
  // child stays the caller's.
  bool fAddControl(QC_GUI_OBJECT* child, unsigned index, int alignment, float offset);
  bool fAppendControl(QC_GUI_OBJECT* child, int alignment, float offset) {
    return fAddControl(child, static_cast<unsigned>(_children.size()), alignment, offset);
  }
  // Removes and deletes a child; a control that is not a child (or an index past the last)
  // changes nothing.
  void fRemoveControl(QC_GUI_OBJECT* child);
  void fRemoveControlAt(unsigned index);
  // Never below the sum of the children's extents.
  void fSetWidth(float width);
  void fSetHeight(float height);
  // The child's index; the number of children for a control that is not one.
  unsigned fGetIndex(const QC_GUI_OBJECT* child) const;

  float fGetUsedWidth() const { return _usedWidth; }
  float fGetUsedHeight() const { return _usedHeight; }
  int fGetMode() const { return _mode; }
  bool isEven() const { return _even; }

  // A child's width and height turned by its angle: (cos a * w + sin a * h, cos a * h + sin a * w).
  static void fGetExtent(QC_GUI_OBJECT* child, float& x, float& y);

 protected:
  // The child's own gap and alignment (0 and centred for a child added past the layout's lists).
  float fGetOffset(std::size_t index) const { return index < _offsets.size() ? _offsets[index] : 0.0f; }
  int fGetAlignment(std::size_t index) const { return index < _alignments.size() ? _alignments[index] : 0; }
  // Free space shared before each child and after the last; never negative.
  static float fEvenGap(float size, float used, std::size_t count);
  // Places the visible children one after another along x (a row) or y (a column) from the start
  // edge, mirrored onto the end edge when reversed. Each child's gap comes before it; `side` maps
  // its alignment to its place across the run: -1 the near edge (top or left), 1 the far edge,
  // 0 the middle.
  void fArrangeRun(bool even, bool row, bool reversed, int (*side)(int alignment));

  float _width;
  float _height;
  std::vector<float> _offsets;
  std::vector<int> _alignments;
  float _usedWidth;
  float _usedHeight;
  int _mode;
  bool _even;
};

}  // namespace QOR
