# SPDX-License-Identifier: GPL-3.0-or-later
# NEWS is the project's changelog, newest entry first, in Debian's format
# (the package is its own Debian package, so it is the Debian changelog too).
# From it come the AppStream metadata's <release> elements, in
# KAROBLEN_RELEASES, and the newest release's date, in KAROBLEN_RELEASE_DATE,
# so that a release is written down in NEWS alone.
file(READ ${PROJECT_SOURCE_DIR}/NEWS news)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)
# Line by line as a CMake list, which a ";" in the text would split: it waits
# as @SC@ until the end. XML's own escapes end in ";" too.
string(REPLACE ";" "@SC@" news "${news}")
string(REPLACE "&" "&amp@SC@" news "${news}")
string(REPLACE "<" "&lt@SC@" news "${news}")
string(REPLACE ">" "&gt@SC@" news "${news}")
string(REPLACE "\n" ";" news "${news}")

set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(releases "")
set(items "")
set(KAROBLEN_RELEASE_DATE "")
foreach(line IN LISTS news)
  if(line MATCHES "^karoblen \\(([^)]+)\\)")
    set(version ${CMAKE_MATCH_1})
    set(items "")
  elseif(line MATCHES "^  \\* (.*)")
    string(APPEND items "\n          <li>${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +(.*)")
    string(APPEND items " ${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 101")
    string(SUBSTRING ${month} 1 2 month)
    math(EXPR day "${CMAKE_MATCH_1} + 100")
    string(SUBSTRING ${day} 1 2 day)
    set(date ${CMAKE_MATCH_3}-${month}-${day})
    if(NOT KAROBLEN_RELEASE_DATE)
      set(KAROBLEN_RELEASE_DATE ${date})
    endif()
    string(REPLACE "\n          <li>" "</li>\n          <li>" items "${items}")
    string(REGEX REPLACE "^</li>" "" items "${items}")
    string(APPEND releases
      "\n    <release version=\"${version}\" date=\"${date}\">"
      "\n      <description>\n        <ul>${items}</li>\n        </ul>\n      </description>"
      "\n    </release>")
  endif()
endforeach()
if(NOT KAROBLEN_RELEASE_DATE)
  message(FATAL_ERROR "NEWS has no dated entry")
endif()
string(REPLACE "@SC@" ";" KAROBLEN_RELEASES "${releases}")
