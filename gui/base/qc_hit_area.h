// Point test of a clickable thing in screen pixels, on its owner's world transform: a circle
// centred on the owner's world position, or the rectangle that a picture of width x height drawn
// on the owner covers.
#pragma once

#include "engine/math/qs_transform3.h"

#include <cstdint>

namespace QOR {

class QC_HIT_AREA {
 public:
  static constexpr int kNone = 0;
  static constexpr int kCircle = 1;
  static constexpr int kRectangle = 2;

  QC_HIT_AREA();
  // The owner transform is not owned; it must outlive the area.
  QC_HIT_AREA(int type, QS_TRANSFORM3* owner, float width, float height, std::uint32_t extra1 = 0,
              std::uint32_t extra2 = 0);

  void fSet(int type, QS_TRANSFORM3* owner, float width, float height, std::uint32_t extra1, std::uint32_t extra2);
  // Whether the screen point lies over the area. Circles: strictly inside the radius around the
  // world position. Rectangles: strictly inside the picture's quad, whatever the owner's pivot,
  // rotation and scale. No owner, or any other type: never.
  bool isPointInside(float x, float y) const;
  bool isPointInsideStub() const { return false; }

  void fSetWidth(float width) { _width = width; }
  void fSetWidthF(float width) { _width = width; }
  void fSetHeight(float height) { _height = height; }
  void fSetExtra(std::uint32_t extra) { _extra1 = extra; }
  float fGetWidth() const { return _width; }
  float fGetWidthF() const { return _width; }
  float fGetHeight() const { return _height; }
  int fGetType() const { return _type; }
  QS_TRANSFORM3* fGetOwner() const { return _owner; }

 private:
  bool isInsideCircle(const QS_TRANSFORM3& world, float x, float y) const;
  bool isInsideRectangle(const QS_TRANSFORM3& world, float x, float y) const;

  int _type;
  float _width;   // radius of a circle
  float _height;
  std::uint32_t _extra1;
  QS_TRANSFORM3* _owner;
  std::uint32_t _extra2;
};

}  // namespace QOR
