# The runner the build's own tests and the `suite` target use: SUITE_RUNNER
# (a target whose file is the runner) and SUITE_RUNNER_TARGET (what builds it).
#
# In a cross build the target's runner could run here only under the
# emulator, which would then start the emulator once more for every program.
# The tests use a host build of the runner instead: this source tree
# configured with the host compiler and SUITE_TOOLS_ONLY=ON, building just
# the runner.
if(NOT CMAKE_CROSSCOMPILING)
  set(SUITE_RUNNER conformance)
  set(SUITE_RUNNER_TARGET conformance)
else()
  set(SUITE_HOST_C_COMPILER cc CACHE STRING "C compiler of the build machine, for the runner")
  set(SUITE_HOST_CXX_COMPILER c++ CACHE STRING "C++ compiler of the build machine, for the runner")
  include(ExternalProject)
  set(_host_dir ${PROJECT_BINARY_DIR}/host-tools)
  set(_host_runner ${_host_dir}/tools/conformance/conformance)
  ExternalProject_Add(conformance_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${_host_dir}
    CMAKE_ARGS -DCMAKE_C_COMPILER=${SUITE_HOST_C_COMPILER}
               -DCMAKE_CXX_COMPILER=${SUITE_HOST_CXX_COMPILER}
               -DCMAKE_BUILD_TYPE=Release
               -DSUITE_TOOLS_ONLY=ON
               -DSUITE_WERROR=${SUITE_WERROR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${_host_dir} --target conformance
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_host_runner}
    INSTALL_COMMAND "")
  add_executable(conformance_on_host IMPORTED GLOBAL)
  set_target_properties(conformance_on_host PROPERTIES IMPORTED_LOCATION ${_host_runner})
  set(SUITE_RUNNER conformance_on_host)
  set(SUITE_RUNNER_TARGET conformance_host)
endif()
