# The `custom` preset builds the programs and the runtime with the user's
# flags exactly as given: configures it (nothing is compiled) and reads the
# compile commands. The tools keep the reference flags; a reference build
# keeps them everywhere.
#
# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DNINJA=... -DCXX=... -DCC=... -P flags_as_given.cmake

# configure(NAME ARGS...): the suite configured into WORK_DIR/NAME; sets
# `commands` in the caller to "FILE<TAB>COMMAND" lines, one per source file.
function(configure name)
  set(dir ${WORK_DIR}/${name})
  file(REMOVE_RECURSE ${dir})
  execute_process(
    COMMAND ${CMAKE_COMMAND} --preset custom -B ${dir} -DCMAKE_MAKE_PROGRAM=${NINJA}
            -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_C_COMPILER=${CC} -DSUITE_BUILD_TESTS=OFF ${ARGN}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: the configure failed:\n${out}")
  endif()
  file(READ ${dir}/compile_commands.json json)
  string(JSON count LENGTH "${json}")
  math(EXPR last "${count} - 1")
  set(lines "")
  foreach(i RANGE ${last})
    string(JSON file GET "${json}" ${i} file)
    string(JSON command GET "${json}" ${i} command)
    file(RELATIVE_PATH file ${SOURCE_DIR} ${file})
    list(APPEND lines "${file}\t ${command} ")
  endforeach()
  set(commands "${lines}" PARENT_SCOPE)
endfunction()

# check(WHAT PATH_REGEX [HAS flag...] [LACKS regex...]): every command of
# a file matching PATH_REGEX holds each HAS flag and nothing matching a LACKS
# regex; at least one such command must exist.
function(check what path_regex)
  cmake_parse_arguments(ARG "" "" "HAS;LACKS" ${ARGN})
  set(seen 0)
  foreach(line IN LISTS commands)
    string(REGEX MATCH "^[^\t]*" file "${line}")
    if(NOT file MATCHES "${path_regex}")
      continue()
    endif()
    math(EXPR seen "${seen} + 1")
    foreach(flag IN LISTS ARG_HAS)
      string(FIND "${line}" " ${flag} " at)
      if(at EQUAL -1)
        message(FATAL_ERROR "${what}: ${file} is compiled without ${flag}:\n${line}")
      endif()
    endforeach()
    foreach(regex IN LISTS ARG_LACKS)
      if(line MATCHES "${regex}")
        message(FATAL_ERROR "${what}: ${file} is compiled with ${CMAKE_MATCH_0}:\n${line}")
      endif()
    endforeach()
  endforeach()
  if(seen EQUAL 0)
    message(FATAL_ERROR "${what}: no compile command for ${path_regex}")
  endif()
endfunction()

set(_programs "^(programs|runtime)/")
# Any of the suite's code-generation or semantic flags, and any -O level.
set(_ours " -fno-fast-math " " -ffp-contract" " -fwrapv " " -mfpmath" " -msse2 " " -mfpu" " -DNDEBUG ")
set(_opt " -O([0-9sgz]|fast)? ")

configure(fast_math "-DCMAKE_CXX_FLAGS=-O2 -ffast-math" "-DCMAKE_C_FLAGS=-O2 -ffast-math")
check("-O2 -ffast-math" "${_programs}" HAS -O2 -ffast-math LACKS ${_ours} " -O[013sgz] ")
check("the tools of a judged build" "^tools/" HAS -ffp-contract=off -fno-fast-math)

# The manifest names the flags the compile commands hold.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/fast_math --target suite_manifest
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the manifest was not written:\n${out}")
endif()
file(STRINGS ${WORK_DIR}/fast_math/bin/suite-build.txt manifest)
foreach(want "suite_flags: none" "build_type: none" "linking: static"
             "program_flags: -O2 -ffast-math -Wall -Wextra -std=c++20")
  list(FIND manifest "${want}" at)
  if(at EQUAL -1)
    list(JOIN manifest "\n" manifest)
    message(FATAL_ERROR "the manifest lacks '${want}':\n${manifest}")
  endif()
endforeach()
if(NOT manifest MATCHES "source: [^;]+")
  message(FATAL_ERROR "the manifest names no source version: ${manifest}")
endif()

configure(O0 -DCMAKE_CXX_FLAGS=-O0 -DCMAKE_C_FLAGS=-O0)
check("-O0" "${_programs}" HAS -O0 LACKS ${_ours} " -O([1-9sgz]|fast)? ")

# No flags at all: no optimisation level either.
configure(none)
check("no flags" "${_programs}" LACKS ${_ours} ${_opt})

# The reference build is unchanged: its flags after the user's.
configure(reference -DSUITE_REFERENCE_FLAGS=ON -DCMAKE_BUILD_TYPE=Release
          "-DCMAKE_CXX_FLAGS=-ffast-math")
check("reference" "${_programs}" HAS -O3 -ffp-contract=off -fno-fast-math)
