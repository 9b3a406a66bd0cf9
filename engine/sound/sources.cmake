list(APPEND QOR_ENGINE_SOURCES
  sound/qc_mixer.cpp)
