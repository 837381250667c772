# single_test.cpp built for a float unit that keeps excess precision and run
# under qemu: it must pass with lang/single.hpp's rounding and fail without
# it (-DLANG_EXCESS_PRECISION=0), so the test is known to see what the
# rounding is for.
#
# cmake -DCXX=... -DFLAGS=... -DQEMU=... -DSOURCE_DIR=... -DWORK_DIR=... -P single_emulated.cmake
separate_arguments(_flags UNIX_COMMAND "${FLAGS}")
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(rounding 1 0)
  set(_exe ${WORK_DIR}/single_test_${rounding})
  execute_process(
    COMMAND ${CXX} -std=c++20 -O2 -ffp-contract=off -fno-fast-math ${_flags} -static
            -DLANG_EXCESS_PRECISION=${rounding} -I${SOURCE_DIR}
            ${SOURCE_DIR}/tests/lang/single_test.cpp -o ${_exe}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CXX} ${FLAGS} failed:\n${out}")
  endif()
  execute_process(COMMAND ${QEMU} ${_exe} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  message("rounding ${rounding}: ${out}")
  if(rounding AND NOT status EQUAL 0)
    message(FATAL_ERROR "fails with the rounding")
  elseif(NOT rounding AND status EQUAL 0)
    message(FATAL_ERROR "passes without the rounding: the test no longer sees excess precision")
  endif()
endforeach()
