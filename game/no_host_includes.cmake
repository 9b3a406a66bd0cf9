# Fails when a source of the game (GAME_DIR) includes a header of the platform stand-in: the game
# reaches the platform only through the engine.
file(GLOB_RECURSE sources ${GAME_DIR}/*.cpp ${GAME_DIR}/*.h)
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]host/")
  if(includes)
    message(FATAL_ERROR "${source} includes the stand-in (${includes}); reach it through the engine")
  endif()
endforeach()
