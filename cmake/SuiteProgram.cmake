# suite_program(NAME [RUNTIME] [READS_INPUT] [SOURCES extra.cpp ...])
#
# Adds the program NAME, built from NAME.cpp in the calling folder. RUNTIME
# links the runtime library (programs that read or print); the others link
# only the C library. READS_INPUT marks a program that reads standard input:
# it gets the test hostile.NAME, judged by tests/hostile/expect/NAME.txt. The flag
# says nothing about the input itself: that is described by hand in
# tools/generate/descriptions.cpp (scripts/catalogue --check fails without one).
# The folder's name is the program's group; it becomes the CTest label of the
# program's golden cases.
function(suite_program name)
  cmake_parse_arguments(ARG "RUNTIME;READS_INPUT" "" "SOURCES" ${ARGN})
  if(ARG_READS_INPUT AND NOT ARG_RUNTIME)
    message(FATAL_ERROR "${name}: READS_INPUT needs RUNTIME (input comes through the runtime)")
  endif()
  add_executable(${name} ${name}.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE suite_lang suite_program_sources)
  # All programs side by side in one folder: the runner's --bin-dir.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  if(ARG_RUNTIME)
    target_link_libraries(${name} PRIVATE runtime)
  endif()
  suite_link_like_programs(${name})
  get_filename_component(group ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set_property(TARGET ${name} PROPERTY SUITE_GROUP ${group})
  set_property(TARGET ${name} PROPERTY SUITE_READS_INPUT ${ARG_READS_INPUT})
  set_property(GLOBAL APPEND PROPERTY SUITE_PROGRAMS ${name})
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

  if(SUITE_BUILD_TESTS)
    # The runner's path, not its target name: CMake would put the emulator in
    # front of a target that it considers cross-built.
    add_test(NAME golden.${name}
             COMMAND $<TARGET_FILE:${SUITE_RUNNER}> ${SUITE_RUNNER_ARGS} --filter ^${name}$)
    set_tests_properties(golden.${name} PROPERTIES LABELS "golden;${group}")
  endif()
endfunction()

# Arguments every run of the golden-case runner gets from this build: where the
# programs and cases are, and the emulator when the programs are cross-built.
include(GNUInstallDirs)
set(SUITE_CASES_DIR ${PROJECT_SOURCE_DIR}/tests/cases)
set(SUITE_RUNNER_ARGS --bin-dir ${PROJECT_BINARY_DIR}/bin --cases ${SUITE_CASES_DIR})
# The per-case timeout only catches a hang, so it can be generous. Emulated
# programs start slower and run several times slower, and so do sanitized
# ones: the renderer takes 10 s of processor time under the sanitizers or
# qemu-arm here, and a CI machine can be several times slower still.
set(_timeout 10)
if(SUITE_SANITIZE)
  set(_timeout 120)
endif()
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(_timeout 120)
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " _emulator)
  list(APPEND SUITE_RUNNER_ARGS --wrapper "${_emulator}")
endif()
set(SUITE_CASE_TIMEOUT ${_timeout} CACHE STRING "Seconds a golden case may run before it counts as hung")
list(APPEND SUITE_RUNNER_ARGS --timeout ${SUITE_CASE_TIMEOUT})

# `suite`: builds every program and runs all golden cases with the runner's report.
function(suite_add_report_target)
  get_property(programs GLOBAL PROPERTY SUITE_PROGRAMS)
  add_custom_target(suite
    COMMAND $<TARGET_FILE:${SUITE_RUNNER}> ${SUITE_RUNNER_ARGS} --jobs 2
            --junit ${PROJECT_BINARY_DIR}/suite-junit.xml
            --html ${PROJECT_BINARY_DIR}/suite-report.html
    DEPENDS ${programs}
    USES_TERMINAL
    COMMENT "Running every golden case")
  add_dependencies(suite ${SUITE_RUNNER_TARGET})
endfunction()
