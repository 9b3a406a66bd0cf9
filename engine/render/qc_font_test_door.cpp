// TEST DOOR, for tests only (see the header).
#include "engine/render/qc_font_test_door.h"

#include <utility>

namespace QOR::font_test {

namespace {

TEXT_TRACE& trace() {
  static TEXT_TRACE function;
  return function;
}

}  // namespace

void fSetTextTrace(TEXT_TRACE function) { trace() = std::move(function); }

bool isTracing() { return static_cast<bool>(trace()); }

void fTraceText(const QS_TRACED_TEXT& text) {
  if (trace()) trace()(text);
}

}  // namespace QOR::font_test
