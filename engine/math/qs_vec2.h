// Two-component float vector: screen positions, sizes, directions and scales.
#pragma once

#include <string>

namespace QOR {

class QS_VEC2 {
 public:
  float x;
  float y;

  QS_VEC2() : x(0.0f), y(0.0f) {}
  QS_VEC2(float v) : x(v), y(v) {}
  QS_VEC2(float vx, float vy) : x(vx), y(vy) {}

  void fSet(float vx, float vy) { x = vx; y = vy; }
  QS_VEC2& fSetZero() { x = 0.0f; y = 0.0f; return *this; }
  void fAdd(float dx, float dy) { x += dx; y += dy; }

  float fLength() const;
  float fLengthSquared() const { return x * x + y * y; }
  // Scales to unit length and returns the old length; a zero vector stays as it is and gives 0.
  float fNormalize();
  float fMax() const { return x > y ? x : y; }
  float fMin() const { return x < y ? x : y; }
  QS_VEC2 fPerpendicular() const { return QS_VEC2(-y, x); }
  float fDot(const QS_VEC2& o) const { return x * o.x + y * o.y; }
  float fDistance(const QS_VEC2& o) const { return QS_VEC2(x - o.x, y - o.y).fLength(); }
  // Direction from +x toward +y, in [0, 2*pi).
  float fGetAngle() const;
  // Turning angle from this vector to o, in (0, 2*pi]; the same direction gives 2*pi.
  float fAngleTo(const QS_VEC2& o) const;
  bool isZero() const { return x == 0.0f && y == 0.0f; }

  // "x y" with three decimals, in a buffer shared by every QS_VEC2 and overwritten by the next call.
  const char* fToString() const;
  // Reads the first two blank-separated numbers; with fewer the vector is left unchanged.
  void fFromString(const std::string& text);

  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : 0.0f); }
  QS_VEC2 operator-() const { return QS_VEC2(-x, -y); }

  QS_VEC2 operator+(const QS_VEC2& o) const { return QS_VEC2(x + o.x, y + o.y); }
  QS_VEC2 operator-(const QS_VEC2& o) const { return QS_VEC2(x - o.x, y - o.y); }
  QS_VEC2 operator*(const QS_VEC2& o) const { return QS_VEC2(x * o.x, y * o.y); }
  QS_VEC2 operator/(const QS_VEC2& o) const { return QS_VEC2(x / o.x, y / o.y); }
  QS_VEC2 operator+(float s) const { return QS_VEC2(x + s, y + s); }
  QS_VEC2 operator-(float s) const { return QS_VEC2(x - s, y - s); }
  QS_VEC2 operator*(float s) const { return QS_VEC2(x * s, y * s); }
  QS_VEC2 operator/(float s) const { return QS_VEC2(x / s, y / s); }

  QS_VEC2& operator=(float s) { x = s; y = s; return *this; }
  QS_VEC2& operator+=(const QS_VEC2& o) { x += o.x; y += o.y; return *this; }
  QS_VEC2& operator-=(const QS_VEC2& o) { x -= o.x; y -= o.y; return *this; }
  QS_VEC2& operator*=(const QS_VEC2& o) { x *= o.x; y *= o.y; return *this; }
  QS_VEC2& operator/=(const QS_VEC2& o) { x /= o.x; y /= o.y; return *this; }
  QS_VEC2& operator+=(float s) { x += s; y += s; return *this; }
  QS_VEC2& operator-=(float s) { x -= s; y -= s; return *this; }
  QS_VEC2& operator*=(float s) { x *= s; y *= s; return *this; }
  QS_VEC2& operator/=(float s) { x /= s; y /= s; return *this; }

  // Every comparison, equality included, compares lengths: (3, 4) == (0, 5).
  bool operator<(const QS_VEC2& o) const { return fLength() < o.fLength(); }
  bool operator>(const QS_VEC2& o) const { return fLength() > o.fLength(); }
  bool operator<=(const QS_VEC2& o) const { return fLength() <= o.fLength(); }
  bool operator>=(const QS_VEC2& o) const { return fLength() >= o.fLength(); }
  bool operator==(const QS_VEC2& o) const { return fLength() == o.fLength(); }
  bool operator!=(const QS_VEC2& o) const { return fLength() != o.fLength(); }
  bool operator<(int n) const { return fLength() < static_cast<float>(n); }
  bool operator>(int n) const { return fLength() > static_cast<float>(n); }
  bool operator<=(int n) const { return fLength() <= static_cast<float>(n); }
  bool operator>=(int n) const { return fLength() >= static_cast<float>(n); }
  bool operator==(int n) const { return fLength() == static_cast<float>(n); }
  bool operator!=(int n) const { return fLength() != static_cast<float>(n); }
};

static_assert(sizeof(QS_VEC2) == 8, "QS_VEC2 is two packed floats");

}  // namespace QOR
