list(APPEND QOR_ENGINE_SOURCES
  math/qs_vec2.cpp
  math/qs_vec3.cpp
  math/qs_point.cpp
  math/qs_matrix4.cpp)
