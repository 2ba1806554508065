# A bounded fuzzing run for CTest:
#   cmake -DFUZZER=exe -DSEEDS=dir -DWORK=dir [-DRUNS=n] -P RunFuzzSmoke.cmake
# It stops after RUNS inputs (200000 unless given; -1 for none) or 60 s.
# New inputs go to a fresh WORK corpus, so the seeds stay as the build made them;
# crash reproducers land in WORK/../artifacts.
if(NOT DEFINED RUNS)
  set(RUNS 200000)
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(artifacts "${WORK}/../artifacts" ABSOLUTE)
file(MAKE_DIRECTORY "${artifacts}")
execute_process(
  COMMAND "${FUZZER}" -runs=${RUNS} -max_total_time=60 -artifact_prefix=${artifacts}/
          "${WORK}" "${SEEDS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
