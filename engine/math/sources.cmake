list(APPEND QOR_ENGINE_SOURCES
  math/qs_vec2.cpp
  math/qs_vec3.cpp
  math/qs_point.cpp
  math/qs_matrix4.cpp)
list(APPEND QOR_ENGINE_SOURCES
  math/qs_transform3.cpp)
list(APPEND QOR_ENGINE_SOURCES
  math/interpolation.cpp
  math/bezier.cpp
  math/polygon.cpp)
