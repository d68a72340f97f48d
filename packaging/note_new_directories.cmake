# SPDX-License-Identifier: GPL-3.0-or-later
# Run by the install before it puts any file in place: notes in
# karoblen_made_dirs which of the directories the install needs
# (karoblen_install_dirs, relative to the prefix or absolute) are not there yet, with
# their missing parents. The install opens them to all when it is done,
# whatever the umask; directories that were there keep their mode.
set(karoblen_made_dirs "")
foreach(dir IN LISTS karoblen_install_dirs)
  if(NOT IS_ABSOLUTE "${dir}")
    set(dir "${CMAKE_INSTALL_PREFIX}/${dir}")
  endif()
  set(dir "$ENV{DESTDIR}${dir}")
  while(NOT EXISTS "${dir}")
    list(FIND karoblen_made_dirs "${dir}" seen)
    if(NOT seen EQUAL -1)
      break()
    endif()
    list(APPEND karoblen_made_dirs "${dir}")
    get_filename_component(dir "${dir}" DIRECTORY)
  endwhile()
endforeach()

# In a staged install everything inside DESTDIR is the install's own,
# including the prefix that the package's staging makes beforehand.
string(LENGTH "$ENV{DESTDIR}" staging)
set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
string(LENGTH "${dir}" length)
while(staging GREATER 0 AND length GREATER staging)
  list(APPEND karoblen_made_dirs "${dir}")
  get_filename_component(dir "${dir}" DIRECTORY)
  string(LENGTH "${dir}" length)
endwhile()
