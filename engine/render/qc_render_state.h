// The render-state word every drawable carries: blending, texture filter, depth test, texturing,
// primitive kind and transform set, in the low 16 bits of one 32-bit word compared as a whole.
#pragma once

#include <cstdint>

namespace QOR {

class QC_RENDER_STATE {
 public:
  // Byte 0.
  static constexpr std::uint32_t kOpaque = 0x0001;    // no blending
  static constexpr std::uint32_t kAlphaBlend = 0x0002;
  static constexpr std::uint32_t kAdditive = 0x0004;  // destination factor one
  static constexpr std::uint32_t kFilterMask = 0x00F0;
  static constexpr int kFilterShift = 4;  // 0 none, 1 point, 2 linear, 3 anisotropic
  // Byte 1.
  static constexpr std::uint32_t kDepthTest = 0x0200;
  static constexpr std::uint32_t kTextured = 0x0400;
  static constexpr std::uint32_t kPrimitiveMask = 0x7000;
  static constexpr int kPrimitiveShift = 12;  // 0 points, 1 lines, 2 triangles, 3 point sprites
  static constexpr std::uint32_t kScreen = 0x8000;  // the screen transform set, else the scene set

  std::uint32_t _bits;

  QC_RENDER_STATE() : _bits(0) {}
  explicit QC_RENDER_STATE(std::uint32_t bits) : _bits(bits) {}
  void fClear() { _bits = 0; }

  bool operator==(const QC_RENDER_STATE& o) const { return _bits == o._bits; }
  bool operator!=(const QC_RENDER_STATE& o) const { return _bits != o._bits; }

  bool isSet(std::uint32_t bit) const { return (_bits & bit) != 0; }
  void fSet(std::uint32_t bit, bool on) { _bits = on ? (_bits | bit) : (_bits & ~bit); }
  int fGetFilter() const { return static_cast<int>((_bits & kFilterMask) >> kFilterShift); }
  void fSetFilter(int filter) {
    _bits = (_bits & ~kFilterMask) | ((static_cast<std::uint32_t>(filter) << kFilterShift) & kFilterMask);
  }
  int fGetPrimitive() const { return static_cast<int>((_bits & kPrimitiveMask) >> kPrimitiveShift); }
  void fSetPrimitive(int kind) {
    _bits = (_bits & ~kPrimitiveMask) | ((static_cast<std::uint32_t>(kind) << kPrimitiveShift) & kPrimitiveMask);
  }
};

static_assert(sizeof(QC_RENDER_STATE) == 4, "QC_RENDER_STATE is one 32-bit word");

}  // namespace QOR
