list(APPEND QOR_ENGINE_SOURCES
  files/qs_resource.cpp
  files/qc_file_system.cpp)
