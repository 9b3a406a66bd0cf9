# Included by the main build: builds the libFuzzer targets with clang++ as a separate project
# (fuzz/CMakeLists.txt) and registers one ctest test per target, which runs the fuzzer for a few
# seconds on its seed corpus. Nothing happens when clang++ is missing.
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

foreach(target ${QOR_FUZZ_TARGETS})
  add_test(NAME fuzz.${target}
    COMMAND ${CMAKE_COMMAND}
      -DFUZZER=${QOR_FUZZ_BINARY_DIR}/${target}_fuzz
      -DSEEDS=${CMAKE_CURRENT_LIST_DIR}/corpus/${target}
      -DWORK=${QOR_FUZZ_BINARY_DIR}/run/${target}
      -P ${CMAKE_CURRENT_LIST_DIR}/run_fuzzer.cmake)
  set_tests_properties(fuzz.${target} PROPERTIES LABELS unit TIMEOUT 120)
endforeach()
