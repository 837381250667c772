# Builds SOURCE into PROGRAM with `C_COMPILER C_FLAGS -I INCLUDE_DIR ARCHIVE -lm`
# and nothing else, runs it (under EMULATOR, if any) and checks its stdout,
# stderr and exit status.
execute_process(COMMAND ${C_COMPILER} ${C_FLAGS} -std=c11 -Wall -Wextra -pedantic -Werror
                        -I${INCLUDE_DIR} ${SOURCE} ${ARCHIVE} -lm -o ${PROGRAM}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cc ... ${ARCHIVE} -lm failed:\n${out}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
                INPUT_FILE /dev/null
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT out STREQUAL "ok\n")
  message(FATAL_ERROR "stdout: expected \"ok\\n\", got \"${out}\"")
endif()
if(NOT err STREQUAL "TOTAL: 0H-0M-0S-0us\n")
  message(FATAL_ERROR "stderr: expected the timer report, got \"${err}\"")
endif()
if(NOT status EQUAL 3)
  message(FATAL_ERROR "exit status: expected 3, got ${status}")
endif()
