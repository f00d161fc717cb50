# Starts the program offscreen and lets the event loop run briefly; a crash at
# start-up fails, the timeout that ends it is expected.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${EXE} TIMEOUT 3 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc MATCHES "timeout|Process terminated due to timeout")
  message(FATAL_ERROR "zettelino ended on its own (${rc}):\n${out}${err}")
endif()
