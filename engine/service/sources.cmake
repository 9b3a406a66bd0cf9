list(APPEND QOR_ENGINE_SOURCES
  service/qc_callback.cpp
  service/qc_globals.cpp
  service/qc_game.cpp
  service/qc_resource_loader.cpp)
