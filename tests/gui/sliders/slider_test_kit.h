// Pieces shared by the slider and list box tests: a widget test with a tick that updates one
// widget and ages the input as the game loop does, and clicks and drags through the real input.
#pragma once

#include "engine/render/qs_vertex.h"
#include "gui/base/qc_gui_object.h"
#include "tests/gui/gui_test_kit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace slider_test {

constexpr int kButton = 1;

class SliderTest : public gui_test::WidgetTest {
 protected:
  // One game tick of one widget: its update, then the ageing of the key states.
  QOR::QS_GUI_EVENT* tick(QOR::QC_GUI_OBJECT& widget) {
    QOR::QS_GUI_EVENT* result = widget.fUpdate();
    script.age();
    return result;
  }
  QOR::QS_GUI_EVENT* moveTo(QOR::QC_GUI_OBJECT& widget, int x, int y) {
    script.move(x, y);
    return tick(widget);
  }
  QOR::QS_GUI_EVENT* press(QOR::QC_GUI_OBJECT& widget) {
    script.down(kButton);
    return tick(widget);
  }
  QOR::QS_GUI_EVENT* release(QOR::QC_GUI_OBJECT& widget) {
    script.up(kButton);
    return tick(widget);
  }
  QOR::QS_GUI_EVENT* key(QOR::QC_GUI_OBJECT& widget, int code) {
    script.down(code);
    QOR::QS_GUI_EVENT* result = tick(widget);
    script.up(code);
    script.age();
    return result;
  }

  // The quads drawn since the record was last cleared, four screen-space vertices each, in the
  // order they were drawn; then clears the record.
  std::vector<std::array<QOR::QS_VERTEX, 4>> quads() {
    std::vector<std::array<QOR::QS_VERTEX, 4>> found;
    for (const auto& draw : draws()) {
      for (std::size_t i = 0; (i + 4) * draw.stride <= draw.vertices.size(); i += 4) {
        std::array<QOR::QS_VERTEX, 4> quad;
        for (std::size_t k = 0; k < 4; ++k) {
          std::memcpy(&quad[k], draw.vertices.data() + (i + k) * draw.stride, sizeof(QOR::QS_VERTEX));
        }
        found.push_back(quad);
      }
    }
    return found;
  }
};

// The box a quad covers on screen.
struct Box {
  float left, top, right, bottom;
};

inline Box boxOf(const std::array<QOR::QS_VERTEX, 4>& quad) {
  Box b{quad[0].x, quad[0].y, quad[0].x, quad[0].y};
  for (const auto& v : quad) {
    b.left = std::min(b.left, v.x);
    b.right = std::max(b.right, v.x);
    b.top = std::min(b.top, v.y);
    b.bottom = std::max(b.bottom, v.y);
  }
  return b;
}

}  // namespace slider_test
