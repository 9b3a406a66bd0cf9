list(APPEND QOR_ENGINE_SOURCES
  render/qc_render.cpp)
