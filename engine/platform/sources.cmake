list(APPEND QOR_ENGINE_SOURCES
  platform/qc_input.cpp
  platform/qc_window.cpp
  platform/message_pump.cpp
  platform/qc_timer.cpp
  platform/qc_random.cpp
  platform/qc_thread.cpp)
