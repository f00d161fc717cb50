# Runs EXE with ARGS (a ;-list) and fails unless it exits with EXPECT and its
# standard error holds STDERR (a ;-list of words joined by blanks; default: the usage text;
# "-": anything).
execute_process(COMMAND ${EXE} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL "${EXPECT}")
  message(FATAL_ERROR "${EXE} ${ARGS}: exit status ${rc}, expected ${EXPECT}\n${out}${err}")
endif()
if(STDERR STREQUAL "-")
  return()
elseif(STDERR)
  list(JOIN STDERR " " wanted)
else()
  set(wanted "Aufruf: zettelino-print")
endif()
string(FIND "${err}" "${wanted}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "\"${wanted}\" missing on standard error:\n${err}")
endif()
