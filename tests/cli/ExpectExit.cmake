# Runs EXE with ARGS (a ;-list) and fails unless it exits with EXPECT.
execute_process(COMMAND ${EXE} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL "${EXPECT}")
  message(FATAL_ERROR "${EXE} ${ARGS}: exit status ${rc}, expected ${EXPECT}\n${out}${err}")
endif()
if(NOT err MATCHES "Usage: zettelino-print")
  message(FATAL_ERROR "usage text missing on standard error:\n${err}")
endif()
