// Colours: the packed 32-bit ARGB colour that vertices, sprites, fonts and widgets pass around,
// and a four-float colour for smooth fades that converts to and from it.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

// Four bytes in memory order blue, green, red, alpha: read as a little-endian word, 0xAARRGGBB,
// the layout a vertex's diffuse colour takes.
class QC_COLOR32 {
 public:
  std::uint8_t b;
  std::uint8_t g;
  std::uint8_t r;
  std::uint8_t a;

  // Leaves the four bytes unset.
  QC_COLOR32() = default;
  QC_COLOR32(std::uint32_t argb) { *this = argb; }
  QC_COLOR32(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
      : b(blue), g(green), r(red), a(alpha) {}

  QC_COLOR32& operator=(std::uint32_t argb) {
    b = static_cast<std::uint8_t>(argb & 0xFFu);
    g = static_cast<std::uint8_t>((argb >> 8) & 0xFFu);
    r = static_cast<std::uint8_t>((argb >> 16) & 0xFFu);
    a = static_cast<std::uint8_t>((argb >> 24) & 0xFFu);
    return *this;
  }

  std::uint32_t fGetARGB() const {
    return (static_cast<std::uint32_t>(a) << 24) + (static_cast<std::uint32_t>(r) << 16) +
           (static_cast<std::uint32_t>(g) << 8) + b;
  }

  // Byte by byte, modulo 256: sums and products wrap rather than saturate.
  QC_COLOR32 operator+(const QC_COLOR32& o) const;
  QC_COLOR32 operator-(const QC_COLOR32& o) const;
  QC_COLOR32 operator*(std::uint8_t k) const;
  // Integer division of each byte. A zero divisor leaves the colour unchanged instead of
  // stopping the process.
  QC_COLOR32 operator/(std::uint8_t k) const;
};

static_assert(sizeof(QC_COLOR32) == 4, "QC_COLOR32 is one packed ARGB word");

// Red, green, blue and alpha as floats, nominally 0..1; values outside stay until packed.
class QC_COLORF {
 public:
  float r;
  float g;
  float b;
  float a;

  QC_COLORF() : r(0.0f), g(0.0f), b(0.0f), a(0.0f) {}
  QC_COLORF(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
  // From 0xAARRGGBB, each byte times 1/255.
  QC_COLORF(std::uint32_t argb);

  // Packs to 0xAARRGGBB: each channel clamped to 0..1, times 255, plus 0.5, truncated.
  std::uint32_t fGetARGB() const;

  QC_COLORF operator+(const QC_COLORF& o) const { return QC_COLORF(r + o.r, g + o.g, b + o.b, a + o.a); }
  QC_COLORF operator-(const QC_COLORF& o) const { return QC_COLORF(r - o.r, g - o.g, b - o.b, a - o.a); }
  QC_COLORF operator*(const QC_COLORF& o) const { return QC_COLORF(r * o.r, g * o.g, b * o.b, a * o.a); }
  QC_COLORF& operator+=(const QC_COLORF& o) { return *this = *this + o; }
  QC_COLORF& operator-=(const QC_COLORF& o) { return *this = *this - o; }
  QC_COLORF operator*(float s) const { return QC_COLORF(r * s, g * s, b * s, a * s); }
  QC_COLORF operator/(float s) const { return QC_COLORF(r / s, g / s, b / s, a / s); }
  QC_COLORF& operator*=(float s) { return *this = *this * s; }
  bool operator==(const QC_COLORF& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const QC_COLORF& o) const { return !(*this == o); }
};

// The text read as hexadecimal 0xAARRGGBB (leading blanks and an optional "0x" skipped), up to
// the first character that is not a hexadecimal digit; a value beyond 32 bits gives 0xFFFFFFFF.
// Independent of the locale.
QC_COLOR32 fHexToColor(const std::string& text);

}  // namespace QOR
