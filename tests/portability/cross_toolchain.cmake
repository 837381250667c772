# cmake/toolchains/cross.cmake at configure time: a missing compiler or qemu
# stops the configure naming what to install, an unknown triple lists the
# known ones, and a default aarch64 configure does not link with gold.
#
# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DNINJA=... -P cross_toolchain.cmake
# A program counts as present only when it can be run, as the toolchain
# itself judges it (not merely readable).
cmake_policy(SET CMP0109 NEW)
set(_toolchain ${SOURCE_DIR}/cmake/toolchains/cross.cmake)

# configure(NAME PATH [ARGS...]): configures the suite into WORK_DIR/NAME with
# only PATH on the search path; sets `status` and `output` in the caller.
function(configure name path)
  file(REMOVE_RECURSE ${WORK_DIR}/${name})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env PATH=${path}
            ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/${name} -G Ninja
            -DCMAKE_MAKE_PROGRAM=${NINJA} -DCMAKE_TOOLCHAIN_FILE=${_toolchain}
            -DSUITE_BUILD_TESTS=OFF ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REGEX REPLACE "[ \n]+" " " out "${out}")  # CMake wraps its messages
  set(status ${result} PARENT_SCOPE)
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect what)
  foreach(text ${ARGN})
    string(FIND "${output}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: the configure output lacks '${text}':\n${output}")
    endif()
  endforeach()
endfunction()

function(expect_failed what)
  if(status EQUAL 0)
    message(FATAL_ERROR "${what}: the configure succeeded:\n${output}")
  endif()
endfunction()

# Only what the test puts there is found: nothing from the system's folders.
set(_alone -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF)
set(_empty ${WORK_DIR}/empty)
set(_fake ${WORK_DIR}/fake)
file(REMOVE_RECURSE ${_empty} ${_fake})
file(MAKE_DIRECTORY ${_empty} ${_fake})

configure(unknown ${_empty} ${_alone} -DSUITE_TARGET_TRIPLE=or1k-linux-gnu)
expect_failed("unknown triple")
expect("unknown triple" "'or1k-linux-gnu'" "arm-linux-gnueabihf, aarch64-linux-gnu"
       "i686-linux-gnu, mips64el-linux-gnuabi64" "sparc64-linux-gnu")

configure(nothing ${_empty} ${_alone} -DSUITE_TARGET_TRIPLE=s390x-linux-gnu)
expect_failed("no compiler, no qemu")
expect("no compiler, no qemu" "s390x-linux-gnu-g++ (package g++-s390x-linux-gnu) and qemu-s390x"
       "apt-get install g++-s390x-linux-gnu qemu-user")

# A compiler that only has to be found, not to run.
foreach(tool mips64el-linux-gnuabi64-gcc mips64el-linux-gnuabi64-g++)
  file(WRITE ${_fake}/${tool} "#!/bin/sh\nexit 1\n")
  file(CHMOD ${_fake}/${tool} PERMISSIONS OWNER_READ OWNER_EXECUTE)
endforeach()
configure(no_qemu ${_fake} ${_alone} -DSUITE_TARGET_TRIPLE=mips64el-linux-gnuabi64)
expect_failed("no qemu")
expect("no qemu" "needs qemu-mips64el (package qemu-user), which is missing")

# With both found the check lets the configure go on (to the compiler check,
# which the stand-in compiler fails).
file(WRITE ${_fake}/qemu-mips64el "#!/bin/sh\nexit 1\n")
file(CHMOD ${_fake}/qemu-mips64el PERMISSIONS OWNER_READ OWNER_EXECUTE)
configure(found ${_fake} ${_alone} -DSUITE_TARGET_TRIPLE=mips64el-linux-gnuabi64)
expect_failed("stand-in compiler")
string(FIND "${output}" "which is missing" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "compiler and qemu present, still reported missing:\n${output}")
endif()
expect("stand-in compiler" "mips64el-linux-gnuabi64-gcc")

# Static programs crash in the C library's start-up under qemu-alpha: a
# default alpha configure must link the programs dynamically, in IEEE mode.
find_program(_alpha alpha-linux-gnu-g++)
find_program(_qemu_alpha qemu-alpha)
if(NOT _alpha OR NOT _qemu_alpha)
  message("not checked: alpha's linking (needs g++-alpha-linux-gnu and qemu-user)")
else()
  configure(alpha "$ENV{PATH}" -DSUITE_TARGET_TRIPLE=alpha-linux-gnu)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "alpha configure failed:\n${output}")
  endif()
  expect("alpha" "A statically linked program runs: OFF")
  file(READ ${WORK_DIR}/alpha/build.ninja ninja)
  string(REGEX MATCH "build bin/flow_network:[^\n]*\n([^\n]+\n)*" rule "${ninja}")
  if(NOT rule OR rule MATCHES " -static( |\n)")
    message(FATAL_ERROR "the alpha programs are linked statically:\n${rule}")
  endif()
  string(FIND "${ninja}" "-mieee" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the alpha build lacks -mieee")
  endif()
endif()

# gold's erratum fix fails on some of the programs on aarch64: a default
# configure there must choose another linker.
find_program(_aarch64 aarch64-linux-gnu-g++)
find_program(_qemu qemu-aarch64)
if(NOT _aarch64 OR NOT _qemu)
  message("not checked: the aarch64 linker (needs g++-aarch64-linux-gnu and qemu-user)")
  return()
endif()
configure(aarch64 "$ENV{PATH}" -DSUITE_TARGET_TRIPLE=aarch64-linux-gnu)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "aarch64 configure failed:\n${output}")
endif()
file(READ ${WORK_DIR}/aarch64/build.ninja ninja)
string(FIND "${ninja}" "-fuse-ld=gold" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the aarch64 build links with gold")
endif()
string(FIND "${ninja}" "bin/flow_network:" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the aarch64 configure has no rule for the programs")
endif()
