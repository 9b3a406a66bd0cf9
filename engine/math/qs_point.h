// Integer point: pixel positions, sizes, resolutions and the mouse position.
#pragma once

#include <string>

namespace QOR {

class QS_POINT {
 public:
  int x;
  int y;

  // A default point has no meaningful value; it starts at (0, 0) so it is never read unset.
  QS_POINT() : x(0), y(0) {}
  QS_POINT(int v) : x(v), y(v) {}
  QS_POINT(int vx, int vy) : x(vx), y(vy) {}

  QS_POINT& fSet(int vx, int vy) { x = vx; y = vy; return *this; }
  QS_POINT& fSetZero() { x = 0; y = 0; return *this; }
  bool isZero() const { return x == 0 && y == 0; }
  // |length - o.length| truncated toward zero.
  int fLengthDifference(const QS_POINT& o) const;

  // "x y", each with at least three digits ("007 1024"), in a buffer shared by every QS_POINT
  // and overwritten by the next call.
  const char* fToString() const;
  // Reads the first two blank-separated integers; with fewer the point is left unchanged.
  void fFromString(const std::string& text);

  int operator[](int i) const { return i == 0 ? x : (i == 1 ? y : 0); }

  // Arithmetic wraps modulo 2^32 like the 32-bit machine arithmetic it stands for, rather than
  // overflowing. A zero divisor gives 0 for that member instead of stopping the process.
  QS_POINT operator-() const;
  QS_POINT operator+(const QS_POINT& o) const;
  QS_POINT operator-(const QS_POINT& o) const;
  QS_POINT operator*(const QS_POINT& o) const;
  QS_POINT operator/(const QS_POINT& o) const;
  QS_POINT operator+(int n) const { return *this + QS_POINT(n); }
  QS_POINT operator-(int n) const { return *this - QS_POINT(n); }
  QS_POINT operator*(int n) const { return *this * QS_POINT(n); }
  QS_POINT operator/(int n) const { return *this / QS_POINT(n); }

  QS_POINT& operator=(int n) { x = n; y = n; return *this; }
  QS_POINT& operator+=(const QS_POINT& o) { return *this = *this + o; }
  QS_POINT& operator-=(const QS_POINT& o) { return *this = *this - o; }
  QS_POINT& operator*=(const QS_POINT& o) { return *this = *this * o; }
  QS_POINT& operator/=(const QS_POINT& o) { return *this = *this / o; }
  QS_POINT& operator+=(int n) { return *this = *this + QS_POINT(n); }
  QS_POINT& operator-=(int n) { return *this = *this - QS_POINT(n); }
  QS_POINT& operator*=(int n) { return *this = *this * QS_POINT(n); }
  QS_POINT& operator/=(int n) { return *this = *this / QS_POINT(n); }

  // Equality compares the members; ordering compares the sums x + y (exactly, without overflow).
  bool operator==(const QS_POINT& o) const { return x == o.x && y == o.y; }
  bool operator!=(const QS_POINT& o) const { return !(*this == o); }
  bool operator<(const QS_POINT& o) const { return fSum() < o.fSum(); }
  bool operator>(const QS_POINT& o) const { return fSum() > o.fSum(); }
  bool operator<=(const QS_POINT& o) const { return fSum() <= o.fSum(); }
  bool operator>=(const QS_POINT& o) const { return fSum() >= o.fSum(); }

 private:
  long long fSum() const { return static_cast<long long>(x) + y; }
};

static_assert(sizeof(QS_POINT) == 8, "QS_POINT is two packed 32-bit ints");

}  // namespace QOR
