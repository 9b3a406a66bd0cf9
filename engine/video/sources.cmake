list(APPEND QOR_ENGINE_SOURCES
  video/qc_video.cpp
  video/qc_video_playback.cpp
  video/qc_yuv_convert.cpp)
