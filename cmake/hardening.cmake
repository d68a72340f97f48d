# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's default hardening for the release build that the game and its
# package use: stack protector, fortified libc calls, control-flow protection,
# format checks, and a read-only, fully bound relocation table. The sanitizer
# build leaves them out, since the sanitizers replace the fortified calls.
# (Debian's -g is left out too: the package ships no debug symbols.)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT KAROBLEN_SANITIZE)
  add_compile_options(-fstack-protector-strong -fcf-protection -Wformat -Werror=format-security)
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
