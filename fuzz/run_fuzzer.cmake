# Runs one fuzz target briefly:
#   cmake -DFUZZER=... -DSEEDS=<folder>[|<folder>...] -DWORK=... [-DDICT=...] [-DSUPPRESSIONS=...]
#         -P run_fuzzer.cmake
# The seed folders (the committed corpus, and folders of the game's data) are only read: new inputs
# and any crash, leak or timeout input are written under WORK, which is emptied first. DICT is a
# libFuzzer dictionary; SUPPRESSIONS the LeakSanitizer suppression list (leak detection stays on).
foreach(variable FUZZER SEEDS WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "run_fuzzer.cmake needs -D${variable}=...")
  endif()
endforeach()
if(NOT EXISTS ${FUZZER})
  message(FATAL_ERROR "fuzz target ${FUZZER} was not built")
endif()

string(REPLACE "|" ";" seed_folders "${SEEDS}")
foreach(folder ${seed_folders})
  if(NOT IS_DIRECTORY ${folder})
    message(FATAL_ERROR "seed folder ${folder} is missing: build the whole project first (it makes the game's data)")
  endif()
endforeach()

set(options -max_total_time=5 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -detect_leaks=1)
if(DICT)
  list(APPEND options -dict=${DICT})
endif()
# Leak detection is on whatever the caller's sanitizer options say (the later setting wins).
set(ENV{ASAN_OPTIONS} "$ENV{ASAN_OPTIONS}:detect_leaks=1")
if(SUPPRESSIONS)
  set(ENV{LSAN_OPTIONS} "$ENV{LSAN_OPTIONS}:suppressions=${SUPPRESSIONS}:print_suppressions=0")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} ${options} -artifact_prefix=${WORK}/ ${WORK}/corpus ${seed_folders}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that failed is in ${WORK}")
endif()
