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
  # lang/float.hpp rounds every operation, chosen by FLT_EVAL_METHOD.
  add_compile_options(-mfpmath=387)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # The x87 keeps excess precision in its 80-bit registers; SSE2 rounds every
  # operation to single precision, as the reference does.
  add_compile_options(-msse2 -mfpmath=sse)
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
# fixes that, lang/float.hpp rounds every operation itself.

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
