# Cross build for one of the suite's target platforms, chosen by the target
# triple in SUITE_TARGET_TRIPLE (the presets set it; -DSUITE_TARGET_TRIPLE=...
# by hand). Needs Debian's g++-TRIPLE cross compiler and qemu-user; programs
# and unit tests then run under the matching qemu on the build machine, which
# finds the target's dynamic loader and C library in /usr/TRIPLE.
#
# Only the processor and its ABI are chosen here. The flags that keep floats
# exact on each processor, and the linker, are in cmake/SuiteFlags.cmake.
set(SUITE_TARGET_TRIPLE "" CACHE STRING "Target of the cross build, a Debian triple")
# try_compile projects read this file again; they need the triple too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SUITE_TARGET_TRIPLE)

# triple  CMAKE_SYSTEM_PROCESSOR  qemu  Debian package of the compiler
set(_suite_cross_targets
    "arm-linux-gnueabihf arm qemu-arm g++-arm-linux-gnueabihf"
    "aarch64-linux-gnu aarch64 qemu-aarch64 g++-aarch64-linux-gnu"
    "riscv64-linux-gnu riscv64 qemu-riscv64 g++-riscv64-linux-gnu"
    "powerpc64le-linux-gnu ppc64le qemu-ppc64le g++-powerpc64le-linux-gnu"
    "s390x-linux-gnu s390x qemu-s390x g++-s390x-linux-gnu"
    "i686-linux-gnu i686 qemu-i386 g++-i686-linux-gnu"
    "mips64el-linux-gnuabi64 mips64el qemu-mips64el g++-mips64el-linux-gnuabi64"
    "m68k-linux-gnu m68k qemu-m68k g++-m68k-linux-gnu"
    "alpha-linux-gnu alpha qemu-alpha g++-alpha-linux-gnu"
    "sh4-linux-gnu sh4 qemu-sh4 g++-sh4-linux-gnu"
    "hppa-linux-gnu hppa qemu-hppa g++-hppa-linux-gnu"
    "sparc64-linux-gnu sparc64 qemu-sparc64 g++-sparc64-linux-gnu"
    "powerpc-linux-gnu ppc qemu-ppc g++-powerpc-linux-gnu"
    "powerpc64-linux-gnu ppc64 qemu-ppc64 g++-powerpc64-linux-gnu"
    "arm-linux-gnueabi armel qemu-arm g++-arm-linux-gnueabi"
    "mips-linux-gnu mips qemu-mips g++-mips-linux-gnu"
    "mipsel-linux-gnu mipsel qemu-mipsel g++-mipsel-linux-gnu"
    "mips64-linux-gnuabi64 mips64 qemu-mips64 g++-mips64-linux-gnuabi64"
    "mipsisa32r6el-linux-gnu mipsisa32r6el qemu-mipsel g++-mipsisa32r6el-linux-gnu"
    "x86_64-linux-gnux32 x32 qemu-x86_64 g++-x86-64-linux-gnux32")

set(_suite_cross_row "")
set(_suite_cross_known "")
foreach(_row IN LISTS _suite_cross_targets)
  string(REPLACE " " ";" _row "${_row}")
  list(GET _row 0 _triple)
  list(APPEND _suite_cross_known ${_triple})
  if(_triple STREQUAL SUITE_TARGET_TRIPLE)
    set(_suite_cross_row ${_row})
  endif()
endforeach()
if(NOT _suite_cross_row)
  list(JOIN _suite_cross_known ", " _suite_cross_known)
  message(FATAL_ERROR "SUITE_TARGET_TRIPLE is '${SUITE_TARGET_TRIPLE}'; "
                      "the cross builds are: ${_suite_cross_known}")
endif()
list(GET _suite_cross_row 1 _suite_processor)
list(GET _suite_cross_row 2 _suite_qemu)
list(GET _suite_cross_row 3 _suite_package)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${_suite_processor})

# A missing compiler or emulator stops here, naming the packages: otherwise
# CMake's compiler check fails with a bare "not found", or every test with
# "Exec format error".
find_program(SUITE_CROSS_CXX ${SUITE_TARGET_TRIPLE}-g++)
find_program(SUITE_CROSS_CC ${SUITE_TARGET_TRIPLE}-gcc)
find_program(SUITE_QEMU ${_suite_qemu})
set(_suite_missing "")
if(NOT SUITE_CROSS_CXX OR NOT SUITE_CROSS_CC)
  list(APPEND _suite_missing "${SUITE_TARGET_TRIPLE}-g++ (package ${_suite_package})")
endif()
if(NOT SUITE_QEMU)
  list(APPEND _suite_missing "${_suite_qemu} (package qemu-user)")
endif()
if(_suite_missing)
  list(JOIN _suite_missing " and " _suite_missing)
  message(FATAL_ERROR "The ${SUITE_TARGET_TRIPLE} cross build needs ${_suite_missing}, "
                      "which is missing: apt-get install ${_suite_package} qemu-user")
endif()
set(CMAKE_C_COMPILER ${SUITE_CROSS_CC})
set(CMAKE_CXX_COMPILER ${SUITE_CROSS_CXX})

if(SUITE_TARGET_TRIPLE STREQUAL "arm-linux-gnueabihf")
  # The hard-float ABI of the armhf C library.
  set(CMAKE_C_FLAGS_INIT "-march=armv7-a+fp -mfloat-abi=hard")
  set(CMAKE_CXX_FLAGS_INIT "-march=armv7-a+fp -mfloat-abi=hard")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${SUITE_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L: where qemu finds the target's dynamic loader and C library.
set(CMAKE_CROSSCOMPILING_EMULATOR ${SUITE_QEMU};-L;/usr/${SUITE_TARGET_TRIPLE})
