list(APPEND QOR_ENGINE_SOURCES
  sound/qc_ogg_memory.cpp
  sound/qc_sound.cpp
  sound/qc_sound_playback.cpp
  sound/qc_mixer.cpp
  sound/qc_sound_wake.cpp
  sound/qc_sound_test_door.cpp)
