# Runs one fuzz target briefly (cmake -DFUZZER=... -DSEEDS=... -DWORK=... -P run_fuzzer.cmake).
# The committed seeds are only read: new inputs and any crash, leak or timeout input are written
# under WORK, which is emptied first.
foreach(variable FUZZER SEEDS WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "run_fuzzer.cmake needs -D${variable}=...")
  endif()
endforeach()
if(NOT EXISTS ${FUZZER})
  message(FATAL_ERROR "fuzz target ${FUZZER} was not built")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} -max_total_time=5 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1
          -artifact_prefix=${WORK}/ ${WORK}/corpus ${SEEDS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that failed is in ${WORK}")
endif()
