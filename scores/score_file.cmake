# SPDX-License-Identifier: GPL-3.0-or-later
# The window-free half of the scores: the score store, its tables and the
# score file, with its careful, locked save. The scores' own CMakeLists
# builds it for the program, and the fuzzers build it again with their
# instrumentation, in the main build or in a clang configuration of their own.

# karoblen_score_file_library(NAME): a static library NAME of those sources
# exporting their headers.
function(karoblen_score_file_library name)
  set(dir ${KAROBLEN_SOURCE_ROOT}/scores)
  add_library(${name} STATIC
    ${dir}/high_score_tables.cpp
    ${dir}/score_store.cpp
    ${dir}/score_file.cpp
    ${dir}/brief_lock.cpp
    ${dir}/file_calls.cpp
    ${dir}/save_target.cpp
    ${dir}/save_temporaries.cpp
    ${dir}/whole_file_write.cpp
  )
  karoblen_export_headers(${name}
    ${dir}/brief_lock.h
    ${dir}/file_calls.h
    ${dir}/file_descriptor.h
    ${dir}/high_score_tables.h
    ${dir}/save_target.h
    ${dir}/save_temporaries.h
    ${dir}/score_file.h
    ${dir}/score_store.h
  )
  # A save may run beside the window's thread.
  find_package(Threads REQUIRED)
  target_link_libraries(${name} PUBLIC karoblen_game Threads::Threads)
endfunction()
