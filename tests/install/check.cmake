# One step of the install check, run as `cmake -DSTEP=... -P check.cmake`.
#
#   install        cmake --install the build tree into PREFIX
#   find_package   build and run the C consumer against PREFIX via find_package,
#                  and again built by hand with `cc ... -lsuite_runtime -lm`
#   pkg_config     build and run the C++ consumer with pkg-config's flags
#   runner         run the installed runner with its defaults over PREFIX/bin
#   record         --record into a scratch copy of some installed cases
#   package        cpack a tarball, unpack it into PREFIX, check its contents,
#                  build and run both consumers against the unpacked tree and
#                  run one program's cases through the unpacked runner
#
# Inputs: STEP, BUILD_DIR, SOURCE_DIR, WORK_DIR, PREFIX, GENERATOR, C_COMPILER,
# CXX_COMPILER, BUILD_TYPE, CPACK_COMMAND, optionally C_FLAGS (the target's
# and the build's link flags, for the hand-built C consumer), TOOLCHAIN_FILE, EMULATOR
# (the command line that runs a target executable on this machine, for
# cross builds), CASE_TIMEOUT (seconds per golden case) and PKG_CONFIG (empty:
# not available).
cmake_minimum_required(VERSION 3.25)

foreach(var STEP BUILD_DIR SOURCE_DIR WORK_DIR PREFIX GENERATOR C_COMPILER CXX_COMPILER CASE_TIMEOUT)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "check.cmake: ${var} is not set")
  endif()
endforeach()
set(share_cases share/conformance_suite/cases)
separate_arguments(EMULATOR UNIX_COMMAND "${EMULATOR}")
# The build's per-case timeout: emulated and sanitized programs are slow.
set(RUNNER_WRAPPER --timeout ${CASE_TIMEOUT})
if(EMULATOR)
  list(JOIN EMULATOR " " wrapper)
  list(APPEND RUNNER_WRAPPER --wrapper "${wrapper}")
endif()

function(run_or_fail what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

# Runs an installed executable with `input` on stdin and compares its stdout,
# stderr (a regular expression) and exit status.
function(expect_run exe input want_out want_err_regex want_status)
  file(WRITE ${WORK_DIR}/stdin.txt "${input}")
  execute_process(COMMAND ${EMULATOR} ${exe} INPUT_FILE ${WORK_DIR}/stdin.txt
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT out STREQUAL want_out)
    message(FATAL_ERROR "${exe}: stdout\n[${out}]\nexpected\n[${want_out}]")
  endif()
  if(NOT err MATCHES "${want_err_regex}")
    message(FATAL_ERROR "${exe}: stderr\n[${err}]\ndoes not match\n[${want_err_regex}]")
  endif()
  if(NOT status STREQUAL want_status)
    message(FATAL_ERROR "${exe}: exit status ${status}, expected ${want_status}")
  endif()
  message(STATUS "${exe}: output, timer report and exit status as expected")
endfunction()

function(step_install prefix)
  file(REMOVE_RECURSE ${prefix})
  run_or_fail("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
endfunction()

# The C consumer: sums an array under a timer, so the exit report carries one
# timer line before the total.
function(step_find_package prefix)
  set(build ${WORK_DIR}/find_package_consumer)
  file(REMOVE_RECURSE ${build})
  set(toolchain "")
  if(TOOLCHAIN_FILE)
    # A cross toolchain confines package searches to its sysroot; name the
    # package's folder outright.
    set(toolchain -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE}
                  -Dsuite_runtime_DIR=${prefix}/lib/cmake/suite_runtime)
  endif()
  run_or_fail("configuring the find_package consumer"
    ${CMAKE_COMMAND} -S ${SOURCE_DIR}/find_package_consumer -B ${build} -G ${GENERATOR}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} ${toolchain}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
  run_or_fail("building the find_package consumer" ${CMAKE_COMMAND} --build ${build})
  expect_sum_and_time(${build}/sum_and_time)

  # As a compiler's output is linked: the C library and libm, nothing else.
  set(exe ${WORK_DIR}/sum_and_time_by_hand)
  run_or_fail("cc sum_and_time.c -lsuite_runtime -lm"
    ${C_COMPILER} ${C_FLAGS} -std=c11 -Wall -Wextra -pedantic -Werror -I${prefix}/include
    ${SOURCE_DIR}/find_package_consumer/sum_and_time.c -L${prefix}/lib -lsuite_runtime -lm
    -o ${exe})
  expect_sum_and_time(${exe})
endfunction()

function(expect_sum_and_time exe)
  expect_run(${exe} "3 10 20 -5 0x1.8p1\n"
    "25\n3: 10 20 -5\n0x1.8p+2\n01\n"
    "^Timer@0007-0009: 0H-0M-0S-[0-9]+us\nTOTAL: 0H-0M-0S-[0-9]+us\n$" 3)
endfunction()

# The C++ consumer, compiled and linked by hand with what pkg-config reports,
# as a Makefile would.
function(step_pkg_config prefix)
  if(NOT PKG_CONFIG)
    message(FATAL_ERROR "pkg-config was not found when the build was configured")
  endif()
  set(env ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig)
  execute_process(COMMAND ${env} ${PKG_CONFIG} --cflags --libs suite_runtime
                  RESULT_VARIABLE rc OUTPUT_VARIABLE flags ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config cannot find suite_runtime in ${prefix}:\n${err}")
  endif()
  message(STATUS "pkg-config --cflags --libs suite_runtime: ${flags}")
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(exe ${WORK_DIR}/echo_lines)
  file(REMOVE ${exe})
  run_or_fail("compiling the pkg-config consumer"
    ${CXX_COMPILER} -Wall -Wextra -pedantic -Werror -O2
    ${SOURCE_DIR}/pkg_config_consumer/echo_lines.cpp ${flags} -o ${exe})
  expect_run(${exe} "ab\nc\n" "ab\nc\n2 lines, 5 bytes\n" "^TOTAL: 0H-0M-0S-0us\n$" 0)
endfunction()

# The installed runner, given no folders, checks the programs installed next
# to it against the installed cases (all of them, or those matching `filter`).
function(step_runner prefix)
  set(filter "")
  if(ARGC GREATER 1)
    set(filter --filter ${ARGV1})
  endif()
  set(junit ${WORK_DIR}/installed-junit.xml)
  file(REMOVE ${junit})
  execute_process(COMMAND ${EMULATOR} ${prefix}/bin/conformance --jobs 2 --junit ${junit}
                          ${RUNNER_WRAPPER} ${filter}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("${out}${err}")
  if(NOT rc EQUAL 0 OR NOT out MATCHES "\n([0-9]+) passed, 0 failed\n$")
    message(FATAL_ERROR "the installed runner did not pass every installed case")
  endif()
  set(passed ${CMAKE_MATCH_1})
  # Beside the cases, where the installed runner looks for them.
  if(NOT EXISTS ${prefix}/share/conformance_suite/faults/signatures.json)
    message(FATAL_ERROR "the faults' signatures are not installed beside the cases")
  endif()
  if(filter)
    set(program_count "[0-9]+")
  else()
    file(GLOB programs LIST_DIRECTORIES true ${prefix}/${share_cases}/*)
    list(LENGTH programs program_count)
  endif()
  if(passed EQUAL 0 OR NOT out MATCHES "\n${program_count} programs, ${passed} cases;")
    message(FATAL_ERROR "expected every one of the ${program_count} installed case folders to run")
  endif()
  file(READ ${junit} xml)
  if(NOT xml MATCHES "<testsuites name=\"conformance\" tests=\"${passed}\" failures=\"0\">")
    message(FATAL_ERROR "JUnit report ${junit} does not list the ${passed} cases")
  endif()
endfunction()

# --record fills in what is missing and refuses to replace what differs
# unless told to; the golden flow_network files are the reference.
function(step_record prefix)
  set(cases ${WORK_DIR}/record-cases)
  set(golden ${prefix}/${share_cases}/flow_network)
  file(REMOVE_RECURSE ${cases})
  file(MAKE_DIRECTORY ${cases}/flow_network)
  file(COPY_FILE ${golden}/single_edge.in ${cases}/flow_network/single_edge.in)
  file(COPY_FILE ${golden}/chain.in ${cases}/flow_network/chain.in)
  file(WRITE ${cases}/flow_network/chain.out "999\n")
  file(COPY_FILE ${golden}/chain.err ${cases}/flow_network/chain.err)
  file(COPY_FILE ${golden}/chain.status ${cases}/flow_network/chain.status)
  set(runner ${EMULATOR} ${prefix}/bin/conformance --bin-dir ${prefix}/bin --cases ${cases}
             ${RUNNER_WRAPPER})

  execute_process(COMMAND ${runner} --record RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(rc EQUAL 0 OR NOT out MATCHES "chain.out differs; not overwritten")
    message(FATAL_ERROR "--record replaced or ignored a differing file:\n${out}")
  endif()
  file(READ ${cases}/flow_network/chain.out kept)
  if(NOT kept STREQUAL "999\n")
    message(FATAL_ERROR "--record without --overwrite changed chain.out")
  endif()
  foreach(ext out err status)
    run_or_fail("comparing recorded single_edge.${ext}" ${CMAKE_COMMAND} -E compare_files
                ${golden}/single_edge.${ext} ${cases}/flow_network/single_edge.${ext})
  endforeach()

  run_or_fail("--record --overwrite" ${runner} --record --overwrite)
  run_or_fail("comparing overwritten chain.out" ${CMAKE_COMMAND} -E compare_files
              ${golden}/chain.out ${cases}/flow_network/chain.out)
  run_or_fail("checking the recorded cases" ${runner})
  message(STATUS "--record wrote the golden files and kept a differing one until --overwrite")
endfunction()

# The tarball holds the whole install and works from wherever it is unpacked.
function(step_package prefix)
  set(out ${WORK_DIR}/package)
  file(REMOVE_RECURSE ${out} ${prefix})
  run_or_fail("cpack" ${CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${out})
  file(GLOB tarballs ${out}/*.tar.gz)
  list(LENGTH tarballs count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one tarball in ${out}, found: ${tarballs}")
  endif()
  file(MAKE_DIRECTORY ${prefix})
  file(ARCHIVE_EXTRACT INPUT ${tarballs} DESTINATION ${prefix})
  file(GLOB top LIST_DIRECTORIES true ${prefix}/*)
  list(LENGTH top count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected the tarball to hold one top folder, found: ${top}")
  endif()
  foreach(path bin/conformance bin/flow_network bin/suite-build.txt lib/libsuite_runtime.a include/suite_runtime.h
               lib/cmake/suite_runtime/suite_runtime-config.cmake
               lib/pkgconfig/suite_runtime.pc ${share_cases}/flow_network/chain.out)
    if(NOT EXISTS ${top}/${path})
      message(FATAL_ERROR "the tarball has no ${path}")
    endif()
  endforeach()
  file(GLOB programs RELATIVE ${top}/${share_cases} LIST_DIRECTORIES true ${top}/${share_cases}/*)
  foreach(program IN LISTS programs)
    if(NOT EXISTS ${top}/bin/${program})
      message(FATAL_ERROR "the tarball has cases for ${program} but no bin/${program}")
    endif()
  endforeach()
  message(STATUS "unpacked ${tarballs} into ${top}")
  # The programs are the installed ones, run in full by the runner step: one
  # shows that the unpacked runner finds its cases and programs.
  step_runner(${top} "^flow_network$")
  step_find_package(${top})
  if(PKG_CONFIG)
    step_pkg_config(${top})
  endif()
endfunction()

if(NOT COMMAND step_${STEP})
  message(FATAL_ERROR "check.cmake: unknown STEP ${STEP}")
endif()
cmake_language(CALL step_${STEP} ${PREFIX})
