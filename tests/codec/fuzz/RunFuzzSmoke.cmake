# A bounded fuzzing run for CTest:
#   cmake -DFUZZER=exe -DSEEDS=dir -DWORK=dir -P RunFuzzSmoke.cmake
# New inputs go to a fresh WORK corpus, so the seeds stay as the build made them;
# crash reproducers land in WORK/../artifacts.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(artifacts "${WORK}/../artifacts" ABSOLUTE)
file(MAKE_DIRECTORY "${artifacts}")
execute_process(
  COMMAND "${FUZZER}" -runs=200000 -max_total_time=60 -artifact_prefix=${artifacts}/
          "${WORK}" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
