list(APPEND QOR_ENGINE_SOURCES
  service/qc_callback.cpp
  service/qc_globals.cpp
  service/qc_game.cpp
  service/qc_resource_loader.cpp)
list(APPEND QOR_ENGINE_SOURCES
  service/qc_resource_pack.cpp
  service/qc_resource_loader_xml.cpp
  service/qc_resource_loader_images.cpp
  service/qc_resource_loader_content.cpp
  service/qc_resource_loader_admin.cpp
  service/qc_game_wrappers.cpp
  service/qc_settings.cpp
  service/qc_tell_player.cpp
  service/qs_engine_config.cpp)
