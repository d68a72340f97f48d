# SPDX-License-Identifier: GPL-3.0-or-later
# The test suite in groups. The unit tests come with BUILD_TESTING and need
# nothing beyond the build's own libraries. Every other group needs tools of
# its own, and its switch says what a missing one means:
#   AUTO  the group is in the suite; a test whose tools are missing reports
#         itself skipped, with the reason (the default, for a bare `ctest`);
#   ON    a missing tool fails the test (`make test` and CI);
#   OFF   the group is not in the suite.
# Each test reports its group as a label: `ctest -L e2e`, `ctest -LE fuzz`.
set(KAROBLEN_TEST_GROUPS E2E PACKAGING FUZZ)
set(KAROBLEN_E2E_TESTS AUTO CACHE STRING
    "End-to-end tests of the real program on virtual display and sound servers (AUTO, ON, OFF)")
set(KAROBLEN_PACKAGING_TESTS AUTO CACHE STRING
    "Packaging and release tests: the install tree, the Debian package, the source tarball (AUTO, ON, OFF)")
set(KAROBLEN_FUZZ_TESTS AUTO CACHE STRING
    "Fuzzers of the score file; AUTO builds them in a clang build only, ON in any build (AUTO, ON, OFF)")
foreach(group IN LISTS KAROBLEN_TEST_GROUPS)
  set_property(CACHE KAROBLEN_${group}_TESTS PROPERTY STRINGS AUTO ON OFF)
  string(TOUPPER "${KAROBLEN_${group}_TESTS}" KAROBLEN_${group}_TESTS)
  if(NOT KAROBLEN_${group}_TESTS MATCHES "^(AUTO|ON|OFF)$")
    message(FATAL_ERROR "KAROBLEN_${group}_TESTS is AUTO, ON or OFF, not ${KAROBLEN_${group}_TESTS}")
  endif()
endforeach()

# karoblen_group_tests(group), last in a directory's CMakeLists.txt: every
# test added there (not in its subdirectories) carries the group's label, counts exit 77 as
# skipped, and, with the group ON, is told that a missing tool is a failure
# (KAROBLEN_REQUIRE_TOOLS=1 in its environment). A test that sets a timeout
# of its own keeps it; the others get two minutes.
function(karoblen_group_tests group)
  get_property(tests DIRECTORY PROPERTY TESTS)
  string(TOLOWER ${group} label)
  foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY LABELS ${label})
    set_property(TEST ${test} PROPERTY SKIP_RETURN_CODE 77)
    if(KAROBLEN_${group}_TESTS STREQUAL "ON")
      set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT KAROBLEN_REQUIRE_TOOLS=1)
    endif()
    get_property(timeout TEST ${test} PROPERTY TIMEOUT)
    if(NOT timeout)
      set_property(TEST ${test} PROPERTY TIMEOUT 120)
    endif()
  endforeach()
endfunction()

# A test that only says why it cannot run in this build, as a skip.
function(karoblen_skipped_test name label why)
  add_test(NAME ${name} COMMAND sh -c "echo 'SKIP: ${why}'; exit 77")
  set_tests_properties(${name} PROPERTIES LABELS ${label} SKIP_RETURN_CODE 77)
endfunction()
