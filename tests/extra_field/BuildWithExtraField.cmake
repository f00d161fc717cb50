# Configures SOURCE in SCRATCH with ZT_TEST_EXTRA_FIELD, builds only what
# test_extra_field needs (no toolkit layers are compiled) and runs it.
# ZT_EXTRA_FIELD_JOBS in the environment limits the build's parallel jobs.
foreach(var SOURCE SCRATCH CXX)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()
set(jobs 2)
if(DEFINED ENV{ZT_EXTRA_FIELD_JOBS})
  set(jobs $ENV{ZT_EXTRA_FIELD_JOBS})
endif()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc})")
  endif()
endfunction()

# Unoptimised: the check needs the code's behaviour, not its speed.
run("Configuring the build with the extra field"
  ${CMAKE_COMMAND} -S ${SOURCE} -B ${SCRATCH} -G Ninja -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DZT_WERROR=ON -DZT_BUILD_BENCH=OFF
  -DZT_TEST_EXTRA_FIELD=ON)
run("Building test_extra_field" ${CMAKE_COMMAND} --build ${SCRATCH} --target test_extra_field --parallel ${jobs})
run("test_extra_field" ${SCRATCH}/tests/extra_field/test_extra_field)
