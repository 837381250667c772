# GoogleTest for a cross build: the build machine's GoogleTest library is built
# for the build machine, so build the sources that Debian's libgtest-dev ships
# (/usr/src/googletest) with the cross compiler, and make find_package(GTest)
# return these targets. The tests then run under CMAKE_CROSSCOMPILING_EMULATOR.
set(SUITE_GTEST_SOURCE_DIR /usr/src/googletest/googletest
    CACHE PATH "GoogleTest sources, built with the cross compiler")
if(NOT TARGET GTest::gtest_main)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${SUITE_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
# An empty package configuration: the targets above are the package.
file(WRITE ${CMAKE_BINARY_DIR}/gtest-config/GTestConfig.cmake
     "# GoogleTest built from source in this tree (see cmake/CrossGTest.cmake)\n")
set(GTest_DIR ${CMAKE_BINARY_DIR}/gtest-config CACHE PATH "GoogleTest package for the target" FORCE)
