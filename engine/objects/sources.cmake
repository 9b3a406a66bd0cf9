list(APPEND QOR_ENGINE_SOURCES
  objects/qc_base.cpp
  objects/qc_base_manager.cpp)
