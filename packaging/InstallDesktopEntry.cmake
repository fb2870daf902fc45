# Run by `cmake --install` (and cpack): installs the desktop entry with Exec
# and TryExec naming the installed binary by its full path,
# ${CMAKE_INSTALL_PREFIX}/${KM_GAMES_DESTINATION}/korvanmire.
file(READ "${KM_DESKTOP_ENTRY}" entry)
set(binary "${CMAKE_INSTALL_PREFIX}/${KM_GAMES_DESTINATION}/korvanmire")
string(REGEX REPLACE "\nExec=korvanmire\n" "\nExec=${binary}\n" entry "${entry}")
string(REGEX REPLACE "\nTryExec=korvanmire\n" "\nTryExec=${binary}\n" entry "${entry}")
if(NOT entry MATCHES "\nExec=${binary}\n" OR NOT entry MATCHES "\nTryExec=${binary}\n")
  message(FATAL_ERROR "${KM_DESKTOP_ENTRY}: no Exec=korvanmire and TryExec=korvanmire lines")
endif()
file(WRITE "${KM_STAGED_ENTRY}" "${entry}")
file(INSTALL "${KM_STAGED_ENTRY}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${KM_APPLICATIONS_DESTINATION}")
