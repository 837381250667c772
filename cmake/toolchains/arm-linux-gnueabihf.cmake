# Cross build for the reference platform: 32-bit ARM (ARMv7-A), hardware
# floating point, Debian's armhf port. Needs the Debian packages
# g++-arm-linux-gnueabihf and qemu-user; programs and unit tests then run under
# qemu-arm on the build machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(SUITE_ARM_TRIPLE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER ${SUITE_ARM_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${SUITE_ARM_TRIPLE}-g++)

# The hard-float ABI of the armhf C library. The FPU itself (and why) is chosen
# with the other exactness flags in SuiteFlags.cmake.
set(CMAKE_C_FLAGS_INIT "-march=armv7-a+fp -mfloat-abi=hard")
set(CMAKE_CXX_FLAGS_INIT "-march=armv7-a+fp -mfloat-abi=hard")

set(CMAKE_FIND_ROOT_PATH /usr/${SUITE_ARM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L: where qemu finds the ARM dynamic loader and C library. Without qemu every
# test would fail with "Exec format error"; stop at configure time instead.
find_program(SUITE_QEMU_ARM qemu-arm)
if(NOT SUITE_QEMU_ARM)
  message(FATAL_ERROR "The arm preset runs its tests under qemu-arm, which is missing: "
                      "apt-get install qemu-user")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${SUITE_QEMU_ARM};-L;/usr/${SUITE_ARM_TRIPLE})
