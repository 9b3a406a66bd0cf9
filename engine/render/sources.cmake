list(APPEND QOR_ENGINE_SOURCES
  render/qc_color.cpp
  render/qs_vertex.cpp
  render/qc_texture_info.cpp
  render/qc_camera.cpp
  render/render_text.cpp
  render/qc_render.cpp
  render/qc_render_textures.cpp
  render/qc_render_batch.cpp
  render/qc_render_shapes.cpp)
list(APPEND QOR_ENGINE_SOURCES
  render/c_number_locale.cpp
  render/wide_format.cpp
  render/narrow_format.cpp
  render/qs_vertex_array.cpp
  render/qc_mesh.cpp
  render/qc_sprite.cpp
  render/qc_font.cpp
  render/qc_font_draw.cpp
  render/qc_font_test_door.cpp)
