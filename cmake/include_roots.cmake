# SPDX-License-Identifier: GPL-3.0-or-later
# Every library exports an include root of its own in the build tree, holding
# links to its own headers and to nothing else. A target therefore finds the
# headers of the libraries it links and no others: an include across a layer
# boundary the design does not have fails to compile. The links keep the
# repository's paths, so sources write "game/karoblen_doc.h" wherever they are.

# The repository, also when a nested project (the fuzzers' own clang
# configuration) includes this file.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH KAROBLEN_SOURCE_ROOT)

# karoblen_export_headers(TARGET header...): headers absolute or relative to
# the current source directory.
function(karoblen_export_headers target)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
  # Made afresh at each configure: a header that left the list leaves the root.
  file(REMOVE_RECURSE ${root})
  foreach(header IN LISTS ARGN)
    cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE
               OUTPUT_VARIABLE source)
    cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${KAROBLEN_SOURCE_ROOT} OUTPUT_VARIABLE relative)
    cmake_path(GET relative PARENT_PATH directory)
    file(MAKE_DIRECTORY ${root}/${directory})
    file(CREATE_LINK ${source} ${root}/${relative} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
    target_sources(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# The tests' own helpers are reached as "tests/...": one link to the whole
# folder, for test programs only.
set(KAROBLEN_TESTS_ROOT ${PROJECT_BINARY_DIR}/include-roots/tests)
file(MAKE_DIRECTORY ${KAROBLEN_TESTS_ROOT})
file(CREATE_LINK ${KAROBLEN_SOURCE_ROOT}/tests ${KAROBLEN_TESTS_ROOT}/tests SYMBOLIC)
