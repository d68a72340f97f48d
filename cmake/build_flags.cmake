# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler flags as targets rather than directory-wide options: every target
# of the project links karoblen_build_flags (karoblen_link_build_flags below
# sees to that), and nothing else is touched: imported libraries and anything
# built by a nested project keep their own flags.
add_library(karoblen_warnings INTERFACE)
target_compile_options(karoblen_warnings INTERFACE -Wall -Wextra -Wpedantic)

# `make sanitize` builds everything, tests included, with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the program with an error.
option(KAROBLEN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
add_library(karoblen_sanitizers INTERFACE)
if(KAROBLEN_SANITIZE)
  set(sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(karoblen_sanitizers INTERFACE ${sanitize_flags})
  target_link_options(karoblen_sanitizers INTERFACE ${sanitize_flags})
endif()

add_library(karoblen_build_flags INTERFACE)
target_link_libraries(karoblen_build_flags INTERFACE karoblen_warnings karoblen_sanitizers)

# Links karoblen_build_flags into every library and program made in `dir` and
# below; called once, after all of them are declared.
function(karoblen_link_build_flags dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_link_libraries(${target} PRIVATE karoblen_build_flags)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    karoblen_link_build_flags(${subdir})
  endforeach()
endfunction()
