#include "engine/render/qc_color.h"

#include <cctype>
#include <charconv>

namespace QOR {

namespace {

std::uint8_t wrap(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::uint32_t packChannel(float v) {
  if (v >= 1.0f) return 255;
  if (!(v > 0.0f)) return 0;  // v <= 0, and NaN
  return static_cast<std::uint32_t>(v * 255.0f + 0.5f);
}

}  // namespace

QC_COLOR32 QC_COLOR32::operator+(const QC_COLOR32& o) const {
  return QC_COLOR32(wrap(a + o.a), wrap(r + o.r), wrap(g + o.g), wrap(b + o.b));
}

QC_COLOR32 QC_COLOR32::operator-(const QC_COLOR32& o) const {
  return QC_COLOR32(wrap(a - o.a), wrap(r - o.r), wrap(g - o.g), wrap(b - o.b));
}

QC_COLOR32 QC_COLOR32::operator*(std::uint8_t k) const {
  return QC_COLOR32(wrap(a * k), wrap(r * k), wrap(g * k), wrap(b * k));
}

QC_COLOR32 QC_COLOR32::operator/(std::uint8_t k) const {
  if (k == 0) return *this;
  return QC_COLOR32(static_cast<std::uint8_t>(a / k), static_cast<std::uint8_t>(r / k),
                    static_cast<std::uint8_t>(g / k), static_cast<std::uint8_t>(b / k));
}

QC_COLORF::QC_COLORF(std::uint32_t argb) {
  const float k = 1.0f / 255.0f;
  r = static_cast<float>((argb >> 16) & 255u) * k;
  g = static_cast<float>((argb >> 8) & 255u) * k;
  b = static_cast<float>(argb & 255u) * k;
  a = static_cast<float>((argb >> 24) & 255u) * k;
}

std::uint32_t QC_COLORF::fGetARGB() const {
  return (packChannel(a) << 24) | (packChannel(r) << 16) | (packChannel(g) << 8) | packChannel(b);
}

QC_COLOR32 fHexToColor(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') && at + 2 < text.size() &&
      std::isxdigit(static_cast<unsigned char>(text[at + 2])) != 0) {
    at += 2;
  }
  std::uint32_t value = 0;
  const char* begin = text.data() + at;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value, 16);
  if (error == std::errc::result_out_of_range) return QC_COLOR32(0xFFFFFFFFu);
  if (end == begin) return QC_COLOR32(0u);
  // As the 32-bit unsigned conversion does: a minus sign negates modulo 2^32.
  return QC_COLOR32(negative ? 0u - value : value);
}

}  // namespace QOR
