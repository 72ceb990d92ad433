# One fuzz target's campaign, as the test preset fuzz-campaign runs it: TARGET for SECONDS from a
# copy of its kept corpus (CORPUS; the copy in WORK gathers what the run finds, the kept one stays
# as it is). A failing input is kept as ARTIFACTS<target>-...; the whole output goes to WORK.log,
# and one line (executions, coverage, corpus) to WORK.summary, which ./zk fuzz prints.
#   cmake -DTARGET=... -DNAME=... -DSECONDS=... -DCORPUS=... -DWORK=... -DARTIFACTS=... -P fuzz-campaign.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EXISTS ${CORPUS})
  file(COPY ${CORPUS}/ DESTINATION ${WORK})
endif()
execute_process(COMMAND ${TARGET} -max_total_time=${SECONDS} -max_len=4096 -print_final_stats=1
                        -artifact_prefix=${ARTIFACTS}${NAME}- ${WORK}
                OUTPUT_FILE ${WORK}.log ERROR_FILE ${WORK}.log RESULT_VARIABLE status)
file(STRINGS ${WORK}.log runs REGEX "^stat::number_of_executed_units:")
string(REGEX REPLACE ".*: *([0-9]+).*" "\\1" runs "${runs}")
file(STRINGS ${WORK}.log progress REGEX "cov: [0-9]+ ft: [0-9]+ corp: [0-9]+")
list(POP_BACK progress last)
string(REGEX MATCH "cov: [0-9]+ ft: [0-9]+ corp: [0-9]+" coverage "${last}")
if(NOT status EQUAL 0)
  set(line "${NAME}: FAILED (status ${status}), ${runs} executions; inputs in ${ARTIFACTS}, log ${WORK}.log")
  file(WRITE ${WORK}.summary "${line}\n")
  message(FATAL_ERROR "${line}")
endif()
set(line "${NAME}: ${runs} executions in ${SECONDS} s, ${coverage}, no findings")
file(WRITE ${WORK}.summary "${line}\n")
message(STATUS "${line}")
