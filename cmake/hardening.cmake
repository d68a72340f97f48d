# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's default hardening for the release build that the game and its
# package use: stack protector, fortified libc calls, control-flow protection,
# format checks, and a read-only, fully bound relocation table. The sanitizer
# build leaves them out, since the sanitizers replace the fortified calls.
# (Debian's -g is left out too: the package ships no debug symbols.)
add_library(karoblen_hardening INTERFACE)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT KAROBLEN_SANITIZE)
  target_compile_options(karoblen_hardening INTERFACE
    -fstack-protector-strong -fcf-protection -Wformat -Werror=format-security)
  target_compile_definitions(karoblen_hardening INTERFACE _FORTIFY_SOURCE=2)
  target_link_options(karoblen_hardening INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
target_link_libraries(karoblen_build_flags INTERFACE karoblen_hardening)
