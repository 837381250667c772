# Cross build for the reference platform: 32-bit ARM (ARMv7-A), hardware
# floating point, Debian's armhf port. Needs the Debian packages
# g++-arm-linux-gnueabihf and qemu-user; programs and unit tests then run under
# qemu-arm on the build machine. The arm preset uses this file; it is the
# cross build of cross.cmake with its triple fixed.
set(SUITE_TARGET_TRIPLE arm-linux-gnueabihf CACHE STRING "Target of the cross build, a Debian triple")
include(${CMAKE_CURRENT_LIST_DIR}/cross.cmake)
