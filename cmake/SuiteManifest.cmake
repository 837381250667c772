# The build's manifest, bin/suite-build.txt beside the programs: which
# compiler, flags and target made them, so that every report and results file
# of the runner can name the build it judged. One "key: value" line each, in
# this order (docs/using.md, "Reading a build's manifest"):
#
#   compiler       the C++ compiler's id, version and path
#   target         the compiler's target triple and CMake's processor name
#   build_type     CMake's build type ("none" when empty)
#   suite_flags    "reference" (the suite's flags added) or "none" (a judged build)
#   program_flags  a program's compile flags: CMAKE_CXX_FLAGS, the build
#                  type's flags, the standard and the targets' options
#   runtime_flags  the runtime library's, likewise
#   link_flags     a program's link flags beyond those
#   linking        static or dynamic
#   source         `git describe --always --dirty` of the sources at build time
#
# The flags are read from the targets themselves when the build is generated,
# so they are the ones the compile commands hold. The source version is taken
# at every build (a target that always runs), since the tree can change after
# the configure.

if(CMAKE_SCRIPT_MODE_FILE)
  # Build time: IN (the generated part) plus the source version gives OUT,
  # rewritten only when it changes.
  set(version unknown)
  find_program(_git git)
  if(_git)
    execute_process(COMMAND ${_git} -C ${SOURCE_DIR} describe --always --dirty
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(status EQUAL 0 AND out)
      set(version ${out})
    endif()
  endif()
  file(READ ${IN} text)
  # Empty variables leave runs of blanks: one blank between flags, none at the
  # end of a line.
  string(REGEX REPLACE "  +" " " text "${text}")
  string(REGEX REPLACE " \n" "\n" text "${text}")
  string(APPEND text "source: ${version}\n")
  set(old "")
  if(EXISTS ${OUT})
    file(READ ${OUT} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${OUT} "${text}")
  endif()
  return()
endif()

# The flags of TARGET in the order of its compile commands (less the include
# folders), as a generator expression, in VAR.
function(_suite_target_flags var target)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  set(std "")
  if(CMAKE_CXX_STANDARD)
    set(std "${CMAKE_CXX${CMAKE_CXX_STANDARD}_STANDARD_COMPILE_OPTION}")
  endif()
  set(defs "$<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>")
  set(${var}
      "$<$<BOOL:${defs}>:-D$<JOIN:${defs}, -D>> ${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}} $<JOIN:$<TARGET_PROPERTY:${target},COMPILE_OPTIONS>, > ${std}"
      PARENT_SCOPE)
endfunction()

function(suite_write_manifest)
  get_property(programs GLOBAL PROPERTY SUITE_PROGRAMS)
  list(GET programs 0 program)

  set(target_triple "${CMAKE_CXX_COMPILER_TARGET}")
  if(NOT target_triple)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine OUTPUT_VARIABLE target_triple
                    ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(NOT target_triple)
    set(target_triple unknown)
  endif()
  set(build_type "${CMAKE_BUILD_TYPE}")
  if(NOT build_type)
    set(build_type none)
  endif()
  set(mode none)
  if(SUITE_REFERENCE_FLAGS)
    set(mode reference)
  endif()
  set(linking dynamic)
  if(SUITE_STATIC_LINK)
    set(linking static)
  endif()
  _suite_target_flags(program_flags ${program})
  _suite_target_flags(runtime_flags runtime)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  set(link_flags
      "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${type}} $<JOIN:$<TARGET_PROPERTY:${program},LINK_OPTIONS>, >")

  set(in ${PROJECT_BINARY_DIR}/suite-build.in)
  file(GENERATE OUTPUT ${in} CONTENT
"compiler: ${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION} ${CMAKE_CXX_COMPILER}
target: ${target_triple} ${CMAKE_SYSTEM_PROCESSOR}
build_type: ${build_type}
suite_flags: ${mode}
program_flags: ${program_flags}
runtime_flags: ${runtime_flags}
link_flags: ${link_flags}
linking: ${linking}
")
  set(out ${PROJECT_BINARY_DIR}/bin/suite-build.txt)
  add_custom_target(suite_manifest ALL
    COMMAND ${CMAKE_COMMAND} -DIN=${in} -DOUT=${out} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/SuiteManifest.cmake
    BYPRODUCTS ${out}
    COMMENT "Writing the build's manifest")
  if(TARGET suite)
    add_dependencies(suite suite_manifest)
  endif()
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
endfunction()
