// Pieces the form widget tests share: one tick of a widget (its update, then the ageing of the key
// states), the strip cell a sprite shows, the quads a draw put on the screen, and a recorder of
// callback invocations.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qs_vertex.h"
#include "gui/base/qc_gui_object.h"
#include "tests/gui/gui_test_kit.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace forms_test {

// Names of the callbacks invoked, in order, with the argument each received.
struct CallLog {
  std::vector<std::string> names;
  std::vector<std::uintptr_t> arguments;
};

inline CallLog& fCalls() {
  static CallLog log;
  return log;
}

template <int N>
int fRecordCall(std::uintptr_t argument) {
  static const char* const kNames[] = {"enter", "leave", "down", "up", "grab", "filled"};
  fCalls().names.push_back(kNames[N]);
  fCalls().arguments.push_back(argument);
  return 0;
}

// The strip cell (of `cells` equal cells in a row) a sprite shows, from its left u.
inline int fCellOf(const QOR::QC_SPRITE* sprite, int cells) {
  return static_cast<int>(std::lround(sprite->fGetVertex(0)->u * static_cast<float>(cells)));
}

// The first vertex of every quad in the draws.
inline std::vector<QOR::QS_VERTEX> fQuads(const std::vector<host_test::RecordedCall>& draws) {
  std::vector<QOR::QS_VERTEX> quads;
  for (const auto& draw : draws) {
    for (std::size_t i = 0; i * draw.stride < draw.vertices.size(); i += 4) {
      QOR::QS_VERTEX v;
      std::memcpy(&v, draw.vertices.data() + i * draw.stride, sizeof(QOR::QS_VERTEX));
      quads.push_back(v);
    }
  }
  return quads;
}

class FormWidgetTest : public gui_test::WidgetTest {
 protected:
  void SetUp() override {
    gui_test::WidgetTest::SetUp();
    fCalls() = CallLog{};
  }

  // One game tick: the widget's own update, then the ageing of the key states.
  QOR::QS_GUI_EVENT* tick(QOR::QC_GUI_OBJECT& widget) {
    QOR::QS_GUI_EVENT* result = widget.fUpdate();
    script.age();
    return result;
  }
  // The event of a tick's result, 0 for null.
  static int reported(const QOR::QS_GUI_EVENT* result) { return result != nullptr ? result->_event : 0; }

  // Callback records for the four base slots, invoked into fCalls.
  void wire(QOR::QC_GUI_OBJECT& widget) {
    widget.fSetEnterCallback(new QOR::QC_CALLBACK(&fRecordCall<0>));
    widget.fSetLeaveCallback(new QOR::QC_CALLBACK(&fRecordCall<1>));
    widget.fSetDownCallback(new QOR::QC_CALLBACK(&fRecordCall<2>));
    widget.fSetUpCallback(new QOR::QC_CALLBACK(&fRecordCall<3>));
  }
  static std::vector<std::string>& calls() { return fCalls().names; }
};

}  // namespace forms_test
