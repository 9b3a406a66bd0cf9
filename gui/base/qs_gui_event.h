// The event pair every widget reports through: its id and the code of its latest event.
#pragma once

namespace QOR {

struct QS_GUI_EVENT {
  int _id;
  int _event;
};

// Event codes of the pair.
enum : int {
  QE_GUI_NONE = 0,
  QE_GUI_FOCUS_EVENT = 2,  // reserved; takes the focus like a click
  QE_GUI_ENTER = 3,
  QE_GUI_LEAVE = 4,
  QE_GUI_DOWN = 7,
  QE_GUI_UP = 8,
  QE_GUI_GRAB = 9,
  QE_GUI_CHANGED = 10,
  QE_GUI_FOCUS_REQUEST = 11,
};

}  // namespace QOR
