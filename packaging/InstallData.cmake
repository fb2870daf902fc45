# Run by `cmake --install` (and cpack): copies the game's data into
# ${KM_DATA_DESTINATION} below the install prefix. Shipped are the files the
# repository tracks under data/ plus the generated art, sound and music, so whatever
# a developer's own playing left in data/ (settings.lua, stats, progress,
# saved levels, modules saved with the editor and never committed, the
# developer's own data/content/) stays
# behind. Outside a git checkout everything but those user files is shipped.

set(root "${KM_SOURCE_DIR}")
execute_process(COMMAND git ls-files -- data
                WORKING_DIRECTORY "${root}"
                OUTPUT_VARIABLE tracked RESULT_VARIABLE status ERROR_QUIET)
if(status EQUAL 0 AND tracked)
  string(STRIP "${tracked}" tracked)
  string(REPLACE "\n" ";" files "${tracked}")
else()
  file(GLOB_RECURSE files RELATIVE "${root}" "${root}/data/*")
  list(FILTER files EXCLUDE REGEX
       "^data/(settings\\.lua|stats|stats\\.broken|campaign|progress[^/]*|stdout\\.txt|stderr\\.txt)$|^data/content/|\\.tmp$|/static\\.lua$")
endif()
file(GLOB_RECURSE generated RELATIVE "${root}" "${root}/data/gfx/*" "${root}/data/sfx/*"
     "${root}/data/music/*.ogg")
if(NOT generated)
  message(FATAL_ERROR "no generated art or sound in ${root}/data: build the game before installing it")
endif()
list(APPEND files ${generated})
list(REMOVE_DUPLICATES files)

# file(INSTALL) adds DESTDIR itself (cpack stages the package that way).
set(destination "${CMAKE_INSTALL_PREFIX}/${KM_DATA_DESTINATION}")
foreach(file IN LISTS files)
  if(NOT file OR NOT EXISTS "${root}/${file}")
    continue()  # tracked but deleted in the working tree
  endif()
  string(REGEX REPLACE "^data/?" "" relative "${file}")
  get_filename_component(subdir "${relative}" DIRECTORY)
  file(INSTALL "${root}/${file}" DESTINATION "${destination}/${subdir}")
endforeach()
