# The reference flags: what makes our sources exact on each target, whatever
# the optimisation level. Every target of a reference build (release, the
# architecture presets, sanitize) gets them. A judged build
# (SUITE_REFERENCE_FLAGS=OFF, the `custom` preset) gives them only to the
# tools, which are ours and not judged (tools/CMakeLists.txt): its programs and
# runtime are built with the user's flags alone. Everything that changes the
# code a compiler generates for the programs belongs inside this macro.
macro(suite_add_reference_flags)

# Never fuse a*b+c into one rounding: g++ contracts by default in C++ mode and
# clang within a statement, and either changes float results on FMA hardware.
add_compile_options(-ffp-contract=off -fno-fast-math)

# What each processor needs beyond that, one line of why per target. NaN
# results differ between all of them (sign, payload, which operand wins); the
# programs take them from lang/float.hpp, which computes the reference
# platform's NaN in software, so no flag is needed for NaNs.
set(SUITE_X86_FPMATH sse CACHE STRING "32-bit x86 float unit: sse (SSE2) or 387 (the x87)")
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$" AND SUITE_X86_FPMATH STREQUAL "387")
  # The x87 keeps excess precision in its 80-bit registers, and no flag of
  # g++ 12 rounds each C++ operation (-fexcess-precision=standard is C only;
  # -ffloat-store rounds named variables, not intermediates or returns):
  # lang/single.hpp rounds every operation, chosen by FLT_EVAL_METHOD.
  add_compile_options(-mfpmath=387)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # The x87 keeps excess precision in its 80-bit registers; SSE2 rounds every
  # operation to single precision, as the reference does.
  add_compile_options(-msse2 -mfpmath=sse)
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "armel")
  # ARM soft-float (armel, ARMv5TE): no float unit, every operation is a call
  # into libgcc, which rounds each one to single precision, keeps subnormals
  # and has no fused multiply-add. No -mfpu: there is no unit to choose.
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "alpha")
  # Without -mieee the compiler emits float instructions that do not handle
  # subnormals, infinities and NaNs (the processor traps on them); with it,
  # the variants that the kernel completes to IEEE results. qemu-alpha gives
  # IEEE results either way, so only a real Alpha shows the difference.
  add_compile_options(-mieee)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^arm")
  # VFPv3-D16, the armhf baseline: it has no fused multiply-add instruction
  # (that came with VFPv4), and without NEON nothing is vectorised onto NEON's
  # float unit, which flushes subnormals to zero.
  add_compile_options(-mfpu=vfpv3-d16)
endif()
# The others need only the contraction rule above: each rounds every single-
# precision operation by default and has a multiply-add instruction that
# contraction would use. x86-64: SSE2, FMA only with -march=native. aarch64:
# fmadd; Linux leaves flush-to-zero off. riscv64: fmadd.s; every NaN result
# is the canonical positive one. ppc64le: fmadds. s390x: maebr; big-endian,
# which only the runtime's byte handling could notice. mips64el: madd.s;
# Debian keeps the legacy NaN encoding (a set top fraction bit signals).
# m68k: the 68881 computes in extended precision and its fsglmul/fsgldiv round
# to 24 bits but not to the float range; as for the x87 (387 above), no flag
# fixes that, lang/single.hpp rounds every operation itself.
# mips, mipsel, mips64: the same legacy encoding; 32-bit mips and mipsel run
# the o32 ABI. mipsisa32r6el: MIPS32 Release 6, the 2008 NaN encoding and
# maddf.s, a fused multiply-add. powerpc, ppc64: fmadds, big-endian. sparc64:
# V9, big-endian, no fused multiply-add (-mfmaf is off). hppa: PA-RISC 1.1,
# big-endian, the legacy NaN encoding; its fmpyadd does two roundings. sh4:
# fmac, a multiply-accumulate; -mieee (unordered comparisons) is its default;
# it does not run under qemu (docs/portability.md).
# x32: x86-64's SSE2 with 32-bit pointers.

# The language wraps on overflow. The programs wrap explicitly through lang/;
# -fwrapv makes any spot that was missed wrap as well instead of being
# undefined. Not under the sanitizers: without it any signed overflow the code
# does not route through the wrapping helpers is reported instead.
if(NOT SUITE_SANITIZE)
  add_compile_options(-fwrapv)
endif()
endmacro()

if(SUITE_REFERENCE_FLAGS)
  suite_add_reference_flags()
endif()

# Warnings change no code. Not -Werror on a user's compiler unless asked.
add_compile_options(-Wall -Wextra)
if(SUITE_WERROR)
  add_compile_options(-Werror)
endif()

if(SUITE_SANITIZE)
  set(_san -fsanitize=address,undefined,float-cast-overflow
           -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()

# Static programs start without the dynamic loader and its relocations, which
# is most of a short program's run time (about 2 ms of the 2.5 ms a case takes
# dynamically linked). The sanitizers need their shared runtimes, and a
# toolchain without static libraries keeps dynamic programs.
set(SUITE_STATIC_LINK OFF)
if(SUITE_STATIC AND NOT SUITE_SANITIZE)
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_LINK_OPTIONS -static)
  check_cxx_source_compiles("#include <cstdio>\nint main() { std::puts(\"\"); }" SUITE_HAVE_STATIC_LINK)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
  set(SUITE_STATIC_LINK ${SUITE_HAVE_STATIC_LINK})
  # Linking is not enough: under qemu-alpha every static program is killed by
  # SIGSEGV in the C library's start-up, before main. So one must also run
  # (under the emulator in a cross build), and in bounded time.
  if(SUITE_STATIC_LINK AND NOT DEFINED SUITE_STATIC_LINK_RUNS
     AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
    set(_dir ${CMAKE_BINARY_DIR}/CMakeFiles/static_link_runs)
    file(WRITE ${_dir}/main.cpp "#include <cstdio>\nint main() { std::puts(\"\"); }\n")
    try_compile(_built ${_dir}/build ${_dir}/main.cpp LINK_OPTIONS -static COPY_FILE ${_dir}/main)
    set(_runs OFF)
    if(_built)
      execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${_dir}/main RESULT_VARIABLE _rc
                      OUTPUT_QUIET ERROR_QUIET TIMEOUT 30)
      if(_rc STREQUAL "0")
        set(_runs ON)
      endif()
    endif()
    set(SUITE_STATIC_LINK_RUNS ${_runs} CACHE INTERNAL "A static program runs on the target")
    message(STATUS "A statically linked program runs: ${_runs}")
  endif()
  if(DEFINED SUITE_STATIC_LINK_RUNS AND NOT SUITE_STATIC_LINK_RUNS)
    set(SUITE_STATIC_LINK OFF)
  endif()
endif()

# Links TARGET as the suite's programs are linked.
function(suite_link_like_programs target)
  if(SUITE_STATIC_LINK)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()

# The linker. lld, where the compiler can use it, links the 130 static
# programs fastest. Otherwise gold, which links them in half the time the
# default linker takes (a third of a clean build), except on aarch64: gold's
# fix for Cortex-A53 erratum 843419 stops with an internal error
# (try_fix_erratum_843419_optimized) on these programs although a trivial
# program links, natively and cross. Everywhere else the default linker.
if(NOT SUITE_SANITIZE)
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld SUITE_HAVE_LLD)
  if(SUITE_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  elseif(NOT CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    check_linker_flag(CXX -fuse-ld=gold SUITE_HAVE_GOLD)
    if(SUITE_HAVE_GOLD)
      add_link_options(-fuse-ld=gold)
    endif()
  endif()
endif()
