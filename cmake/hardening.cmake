# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's default hardening for the release build that the game and its
# package use: stack protector, fortified libc calls, control-flow protection,
# format checks, and a read-only, fully bound relocation table. The sanitizer
# build leaves them out, since the sanitizers replace the fortified calls.
# (Debian's -g is left out too: the package ships no debug symbols.)
#
# Flags from the environment win: CXXFLAGS (CMake's CMAKE_CXX_FLAGS), CPPFLAGS
# and LDFLAGS (CMAKE_EXE_LINKER_FLAGS), as a distribution's build sets them.
# Each default below is added only where they say nothing of the same thing,
# and the build type's -O3 gives way to their optimisation level.

# CMake reads no CPPFLAGS; a build run by hand with them gets them all the
# same. (debhelper has put them into CXXFLAGS already.)
set(KAROBLEN_CPPFLAGS "$ENV{CPPFLAGS}" CACHE STRING "Preprocessor flags (CPPFLAGS at the first configure)")
separate_arguments(cppflags UNIX_COMMAND "${KAROBLEN_CPPFLAGS}")
separate_arguments(cxxflags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
foreach(flag IN LISTS cppflags)
  if(NOT flag IN_LIST cxxflags)
    add_compile_options(${flag})
  endif()
endforeach()
set(environment_flags "${CMAKE_CXX_FLAGS} ${KAROBLEN_CPPFLAGS}")

if(environment_flags MATCHES "(^| )-O")
  foreach(type RELEASE RELWITHDEBINFO MINSIZEREL)
    string(REGEX REPLACE "(^| )-O[^ ]*" "" CMAKE_CXX_FLAGS_${type} "${CMAKE_CXX_FLAGS_${type}}")
  endforeach()
endif()

add_library(karoblen_hardening INTERFACE)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT KAROBLEN_SANITIZE)
  # "default flag@what in the environment's flags overrides it"
  set(compile_defaults
    "-fstack-protector-strong@-f(no-)?stack-protector"
    "-fcf-protection@-f(no-)?cf-protection"
    "-Wformat@-W(no-)?format(=[0-9])?( |$)"
    "-Werror=format-security@-W(no-)?(error=)?format-security"
    "-D_FORTIFY_SOURCE=2@-[DU] *_FORTIFY_SOURCE")
  foreach(default IN LISTS compile_defaults)
    string(REPLACE "@" ";" default "${default}")
    list(GET default 0 flag)
    list(GET default 1 overridden)
    if(NOT environment_flags MATCHES "(^| )${overridden}")
      target_compile_options(karoblen_hardening INTERFACE ${flag})
    endif()
  endforeach()
  foreach(option relro now)
    if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "-z,? *(no)?${option}")
      target_link_options(karoblen_hardening INTERFACE LINKER:-z,${option})
    endif()
  endforeach()
endif()
target_link_libraries(karoblen_build_flags INTERFACE karoblen_hardening)
