# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the catalogue template from the tables in res/ (the output of
# POT_GEN), the desktop entry and the metainfo, and writes it to POT. With
# CHECK set it writes nothing and fails when POT is not current. Otherwise
# it also brings every .po beside POT up to date with msgmerge.
#   cmake -DPOT_GEN=... -DSOURCE_DIR=... -DWORK_DIR=... -DPOT=... [-DCHECK=ON] -P update.cmake
foreach(var POT_GEN SOURCE_DIR WORK_DIR POT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "update.cmake needs -D${var}=...")
  endif()
endforeach()
find_program(XGETTEXT xgettext REQUIRED)
find_program(MSGCAT msgcat REQUIRED)
find_program(MSGMERGE msgmerge REQUIRED)
file(MAKE_DIRECTORY ${WORK_DIR})

execute_process(COMMAND ${POT_GEN} OUTPUT_FILE ${WORK_DIR}/tables.pot COMMAND_ERROR_IS_FATAL ANY)
# Relative paths keep the template the same wherever the tree lies.
set(app_id invalid.karoblen.Karoblen)
execute_process(
  COMMAND ${XGETTEXT} --omit-header --add-location=file -L Desktop -o ${WORK_DIR}/desktop.pot
          packaging/${app_id}.desktop
  WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${XGETTEXT} --omit-header --add-location=file
          --its=/usr/share/gettext/its/metainfo.its -o ${WORK_DIR}/metainfo.pot
          packaging/${app_id}.metainfo.xml.in
  WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${MSGCAT} --use-first -o ${WORK_DIR}/karoblen.pot ${WORK_DIR}/tables.pot
          ${WORK_DIR}/desktop.pot ${WORK_DIR}/metainfo.pot
  COMMAND_ERROR_IS_FATAL ANY)

if(CHECK)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/karoblen.pot ${POT}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${POT} is not current: a text changed in res/ or packaging/; "
                        "run `make update-po` and commit po/")
  endif()
  return()
endif()

file(COPY_FILE ${WORK_DIR}/karoblen.pot ${POT} ONLY_IF_DIFFERENT)
cmake_path(GET POT PARENT_PATH po_dir)
file(GLOB catalogues ${po_dir}/*.po)
foreach(po IN LISTS catalogues)
  execute_process(COMMAND ${MSGMERGE} --quiet --update --backup=none ${po} ${POT}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
