# Runs the batch tool's letter commands from an empty working folder: both
# outputs must match their hand-written files byte for byte, and nothing but
# the asked-for outputs may appear.
#   -DEXE=zettelino-print -DLETTER=in.ZLW -DTEXT=expected.txt -DZLW=expected.ZLW -DWORK=folder
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/cwd ${WORK}/out)
execute_process(COMMAND ${EXE} ${LETTER} --text ${WORK}/out/a.txt --zlw ${WORK}/out/a.ZLW
                WORKING_DIRECTORY ${WORK}/cwd RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit status ${rc}\n${out}${err}")
endif()
foreach(pair "a.txt;${TEXT}" "a.ZLW;${ZLW}")
  list(GET pair 0 got)
  list(GET pair 1 want)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/out/${got} ${want} RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    file(READ ${WORK}/out/${got} text)
    message(FATAL_ERROR "${got} differs from ${want}:\n${text}")
  endif()
endforeach()
file(GLOB stray ${WORK}/cwd/*)
file(GLOB outputs ${WORK}/out/*)
list(LENGTH outputs count)
if(stray OR NOT count EQUAL 2)
  message(FATAL_ERROR "unexpected files: ${stray} ${outputs}")
endif()
file(REMOVE_RECURSE ${WORK})
