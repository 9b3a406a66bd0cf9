// Three-component float vector: positions and directions in space.
#pragma once

#include <string>

namespace QOR {

class QS_VEC3 {
 public:
  float x;
  float y;
  float z;

  QS_VEC3() : x(0.0f), y(0.0f), z(0.0f) {}
  QS_VEC3(float v) : x(v), y(v), z(v) {}
  QS_VEC3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}

  void fSet(float vx, float vy, float vz) { x = vx; y = vy; z = vz; }
  QS_VEC3& fSetZero() { x = 0.0f; y = 0.0f; z = 0.0f; return *this; }

  float fLength() const;
  float fLengthSquared() const { return x * x + y * y + z * z; }
  // Scales to unit length and returns the old length; a zero vector stays as it is and gives 0.
  float fNormalize();
  float fLengthDifference(const QS_VEC3& o) const;
  float fMax() const;
  float fMin() const;
  QS_VEC3 fPerpendicularXY() const { return QS_VEC3(-y, x, z); }
  float fDot(const QS_VEC3& o) const { return x * o.x + y * o.y + z * o.z; }
  static QS_VEC3 fCross(const QS_VEC3& a, const QS_VEC3& b) {
    return QS_VEC3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
  }
  // Turning angle from this vector to o, in (0, 2*pi], with the turn direction taken in the
  // xy plane as for QS_VEC2.
  float fAngleTo(const QS_VEC3& o) const;
  bool isZero() const { return x == 0.0f && y == 0.0f && z == 0.0f; }

  // "x y z" with three decimals, in a buffer shared by every QS_VEC3 and overwritten by the next call.
  const char* fToString() const;
  // Reads the first three blank-separated numbers; with fewer the vector is left unchanged.
  void fFromString(const std::string& text);

  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : 0.0f)); }
  QS_VEC3 operator-() const { return QS_VEC3(-x, -y, -z); }

  QS_VEC3 operator+(const QS_VEC3& o) const { return QS_VEC3(x + o.x, y + o.y, z + o.z); }
  QS_VEC3 operator-(const QS_VEC3& o) const { return QS_VEC3(x - o.x, y - o.y, z - o.z); }
  QS_VEC3 operator*(const QS_VEC3& o) const { return QS_VEC3(x * o.x, y * o.y, z * o.z); }
  QS_VEC3 operator/(const QS_VEC3& o) const { return QS_VEC3(x / o.x, y / o.y, z / o.z); }
  QS_VEC3 operator+(float s) const { return QS_VEC3(x + s, y + s, z + s); }
  QS_VEC3 operator-(float s) const { return QS_VEC3(x - s, y - s, z - s); }
  QS_VEC3 operator*(float s) const { return QS_VEC3(x * s, y * s, z * s); }
  QS_VEC3 operator/(float s) const { return QS_VEC3(x / s, y / s, z / s); }

  QS_VEC3& operator=(float s) { x = s; y = s; z = s; return *this; }
  QS_VEC3& operator+=(const QS_VEC3& o) { x += o.x; y += o.y; z += o.z; return *this; }
  QS_VEC3& operator-=(const QS_VEC3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
  QS_VEC3& operator*=(const QS_VEC3& o) { x *= o.x; y *= o.y; z *= o.z; return *this; }
  QS_VEC3& operator/=(const QS_VEC3& o) { x /= o.x; y /= o.y; z /= o.z; return *this; }
  QS_VEC3& operator+=(float s) { x += s; y += s; z += s; return *this; }
  QS_VEC3& operator-=(float s) { x -= s; y -= s; z -= s; return *this; }
  QS_VEC3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
  QS_VEC3& operator/=(float s) { x /= s; y /= s; z /= s; return *this; }

  // Equality compares the components; ordering and every comparison with an int compare lengths.
  bool operator==(const QS_VEC3& o) const { return x == o.x && y == o.y && z == o.z; }
  bool operator!=(const QS_VEC3& o) const { return !(*this == o); }
  bool operator<(const QS_VEC3& o) const { return fLength() < o.fLength(); }
  bool operator>(const QS_VEC3& o) const { return fLength() > o.fLength(); }
  bool operator<=(const QS_VEC3& o) const { return fLength() <= o.fLength(); }
  bool operator>=(const QS_VEC3& o) const { return fLength() >= o.fLength(); }
  bool operator<(int n) const { return fLength() < static_cast<float>(n); }
  bool operator>(int n) const { return fLength() > static_cast<float>(n); }
  bool operator<=(int n) const { return fLength() <= static_cast<float>(n); }
  bool operator>=(int n) const { return fLength() >= static_cast<float>(n); }
  bool operator==(int n) const { return fLength() == static_cast<float>(n); }
  bool operator!=(int n) const { return fLength() != static_cast<float>(n); }
};

static_assert(sizeof(QS_VEC3) == 12, "QS_VEC3 is three packed floats");

}  // namespace QOR
