# The portable folder that `cmake --install` gives, whichever skin builds the executable: beside
# the executable, its start script, default settings and the map catalogue. On Windows, CPack
# zips that folder for the players.
install(FILES ${PROJECT_SOURCE_DIR}/dist/auto.kvx DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dist/data/ DESTINATION data)
# The player's settings are installed only where they are absent: installing again over a folder
# in use must not reset them.
foreach(settings IN ITEMS config.kvx settings.kvx)
  install(CODE "
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${settings}\")
    if(EXISTS \"\${target}\")
      message(STATUS \"Kept: \${target}\")
    else()
      file(INSTALL \"${PROJECT_SOURCE_DIR}/dist/${settings}\" DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    endif()
  ")
endforeach()

if(WIN32)
  # Kovar-Launcher-0.01-win64.zip, holding the folder of the same name with a stripped program.
  set(CPACK_PACKAGE_NAME Kovar-Launcher)
  set(CPACK_PACKAGE_VENDOR "Kovar Launcher")
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
endif()
