# Included by the main build: builds the libFuzzer targets with clang++ as a separate project
# (fuzz/CMakeLists.txt) and registers one ctest test per target, which runs the fuzzer for a few
# seconds on its seed corpus (with its dictionary fuzz/dictionaries/<target>.dict when there is
# one), leak detection on. Nothing happens when clang++ is missing.
find_program(QOR_CLANGXX NAMES clang++ clang++-14)
if(NOT QOR_CLANGXX)
  message(STATUS "clang++ not found: the fuzz targets are neither built nor run")
  return()
endif()

include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
set(QOR_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)

set(QOR_FUZZ_PROGRAMS "")
foreach(target ${QOR_FUZZ_TARGETS})
  list(APPEND QOR_FUZZ_PROGRAMS ${QOR_FUZZ_BINARY_DIR}/${target}_fuzz)
endforeach()

ExternalProject_Add(qor_fuzzers
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
  BINARY_DIR ${QOR_FUZZ_BINARY_DIR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QOR_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${QOR_FUZZ_PROGRAMS})

# Seeds of real files from the game's data, beside each target's committed corpus: the data
# sources, the documents and levels the data builder makes, and for the pack reader packs and
# recipes of real files written by qor_make_pack_seeds.
set(QOR_FUZZ_DATA_SEEDS ${QOR_FUZZ_BINARY_DIR}/seeds)
set(QOR_FUZZ_PACK_SEED_FILES
  ${QOR_DATA_SOURCE_DIR}/consts.xml
  ${QOR_DATA_SOURCE_DIR}/default_player.xml
  ${QOR_DATA_SOURCE_DIR}/trophies.xml
  ${QOR_DATA_STAGING}/xml/tiles.xml
  ${QOR_DATA_STAGING}/levels/pk1lv1.xml
  ${QOR_DATA_STAGING}/levels/pk6lv20.xml
  ${QOR_RESOURCES_DIR}/data/editor/circle.png)
add_custom_command(OUTPUT ${QOR_FUZZ_DATA_SEEDS}/pack_reader.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QOR_FUZZ_DATA_SEEDS}/pack_reader
  COMMAND qor_make_pack_seeds ${QOR_FUZZ_DATA_SEEDS}/pack_reader ${QOR_FUZZ_PACK_SEED_FILES}
  COMMAND ${CMAKE_COMMAND} -E touch ${QOR_FUZZ_DATA_SEEDS}/pack_reader.stamp
  DEPENDS qor_make_pack_seeds ${QOR_DATA_STAGING}/packs.stamp
  COMMENT "Fuzz seeds of the game's data"
  VERBATIM)
# The game readers' target takes a header (the reader and its parameters, header_seeds.cmake)
# before each file of the game's data.
set(QOR_FUZZ_READER_SEEDS
  font=0000=${QOR_DATA_STAGING}/fonts/regular.fnt
  tiles=1000=${QOR_DATA_STAGING}/xml/tiles.xml
  trophies=2000=${QOR_DATA_STAGING}/xml/trophies.xml
  balance=3100=${QOR_DATA_STAGING}/xml/balance.xml
  strings=4000=${QOR_DATA_STAGING}/xml/strings.xml
  store_settings=5021=${QOR_DATA_STAGING}/xml/store_settings.xml
  level=6000=${QOR_DATA_STAGING}/levels/pk1lv1.xml
  player=7000=${QOR_DATA_STAGING}/xml/default_player.xml)
string(REPLACE ";" "|" reader_seeds "${QOR_FUZZ_READER_SEEDS}")
add_custom_command(OUTPUT ${QOR_FUZZ_DATA_SEEDS}/game_readers.stamp
  COMMAND ${CMAKE_COMMAND} -DOUT=${QOR_FUZZ_DATA_SEEDS}/game_readers -DSEEDS=${reader_seeds}
          -P ${CMAKE_CURRENT_LIST_DIR}/header_seeds.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${QOR_FUZZ_DATA_SEEDS}/game_readers.stamp
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/header_seeds.cmake ${QOR_DATA_STAGING}/packs.stamp
  COMMENT "Fuzz seeds of the game's data for its readers"
  VERBATIM)
add_custom_target(qor_fuzz_seeds ALL DEPENDS ${QOR_FUZZ_DATA_SEEDS}/pack_reader.stamp
                  ${QOR_FUZZ_DATA_SEEDS}/game_readers.stamp)
add_dependencies(qor_fuzz_seeds Resources)

set(QOR_FUZZ_DATA_SEEDS_pack_reader ${QOR_FUZZ_DATA_SEEDS}/pack_reader)
set(QOR_FUZZ_DATA_SEEDS_xml_loader ${QOR_DATA_SOURCE_DIR} ${QOR_DATA_STAGING}/xml ${QOR_DATA_STAGING}/levels)
set(QOR_FUZZ_DATA_SEEDS_locman ${QOR_DATA_SOURCE_DIR} ${QOR_DATA_STAGING}/xml)
set(QOR_FUZZ_DATA_SEEDS_engine_config ${QOR_DATA_SOURCE_DIR})
set(QOR_FUZZ_DATA_SEEDS_game_files ${QOR_DATA_SOURCE_DIR})
set(QOR_FUZZ_DATA_SEEDS_level_file ${QOR_DATA_STAGING}/levels)
set(QOR_FUZZ_DATA_SEEDS_game_readers ${QOR_FUZZ_DATA_SEEDS}/game_readers)

foreach(target ${QOR_FUZZ_TARGETS})
  set(seeds ${CMAKE_CURRENT_LIST_DIR}/corpus/${target} ${QOR_FUZZ_DATA_SEEDS_${target}})
  string(REPLACE ";" "|" seeds "${seeds}")
  set(dictionary ${CMAKE_CURRENT_LIST_DIR}/dictionaries/${target}.dict)
  if(NOT EXISTS ${dictionary})
    set(dictionary "")
  endif()
  add_test(NAME fuzz.${target}
    COMMAND ${CMAKE_COMMAND}
      -DFUZZER=${QOR_FUZZ_BINARY_DIR}/${target}_fuzz
      -DSEEDS=${seeds}
      -DWORK=${QOR_FUZZ_BINARY_DIR}/run/${target}
      -DDICT=${dictionary}
      -DSUPPRESSIONS=${PROJECT_SOURCE_DIR}/scripts/lsan.supp
      -P ${CMAKE_CURRENT_LIST_DIR}/run_fuzzer.cmake)
  set_tests_properties(fuzz.${target} PROPERTIES LABELS unit TIMEOUT 120)
endforeach()
