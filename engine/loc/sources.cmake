list(APPEND QOR_ENGINE_SOURCES loc/qc_locman.cpp)
