# Runs PROGRAM (under EMULATOR, if any) and checks its stdout, stderr and exit status.
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
