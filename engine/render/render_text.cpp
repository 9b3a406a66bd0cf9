#include "engine/render/render_text.h"

#include <charconv>

namespace QOR {

std::string fRenderFloatText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

std::string fRenderVectorText(float x, float y, float z) {
  return fRenderFloatText(x) + " " + fRenderFloatText(y) + " " + fRenderFloatText(z);
}

}  // namespace QOR
