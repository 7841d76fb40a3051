# The Windows installer, installer/Kovar-Launcher-VERSION-win32-setup.exe in the build directory:
# an NSIS setup program (dist/windows/kovar-launcher.nsi) with the program built for the system
# layout, stripped, and the files the portable folder has beside it. Part of every build when
# makensis is found; tools/windows-installer.sh builds only it.
find_program(KOVAR_MAKENSIS makensis)
if(NOT KOVAR_MAKENSIS)
  message(STATUS "The Windows installer needs makensis (Debian package nsis): not built")
  return()
endif()

set(KOVAR_WINDOWS_INSTALLER
  ${CMAKE_BINARY_DIR}/installer/Kovar-Launcher-${PROJECT_VERSION}-win32-setup.exe)
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(work ${CMAKE_BINARY_DIR}/installer-work)

# The sample maps one by one: the uninstaller removes exactly what was installed.
file(GLOB maps RELATIVE ${dist}/data CONFIGURE_DEPENDS ${dist}/data/*)
set(install_maps "")
set(remove_maps "")
foreach(map IN LISTS maps)
  string(APPEND install_maps "!insertmacro PutFile \"${dist}/data/${map}\" \"data\\${map}\"\n")
  string(APPEND remove_maps "Delete \"$INSTDIR\\data\\${map}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${work}/maps.nsh CONTENT "${install_maps}" @ONLY)
file(CONFIGURE OUTPUT ${work}/unmaps.nsh CONTENT "${remove_maps}" @ONLY)
list(TRANSFORM maps PREPEND ${dist}/data/)

# Four numbers for the version record: 0.01 is 0.1.0.0, as the program's own record has it.
math(EXPR version4_minor "${PROJECT_VERSION_MINOR}")
set(version4 ${PROJECT_VERSION_MAJOR}.${version4_minor}.0.0)

add_custom_command(OUTPUT ${KOVAR_WINDOWS_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
  COMMAND ${CMAKE_STRIP} -o ${work}/kovar-launcher.exe $<TARGET_FILE:kovar-launcher-installed>
  COMMAND ${KOVAR_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DVERSION4=${version4}
    -DPROGRAM=${work}/kovar-launcher.exe -DDIST=${dist}
    -DICON=${PROJECT_SOURCE_DIR}/assets/kovar-launcher.ico
    -DMAPS=${work}/maps.nsh -DUNMAPS=${work}/unmaps.nsh
    -DOUTFILE=${KOVAR_WINDOWS_INSTALLER} ${dist}/windows/kovar-launcher.nsi
  DEPENDS kovar-launcher-installed ${dist}/windows/kovar-launcher.nsi ${dist}/auto.kvx
    ${dist}/config.kvx ${dist}/settings.kvx ${PROJECT_SOURCE_DIR}/assets/kovar-launcher.ico
    ${maps} ${work}/maps.nsh ${work}/unmaps.nsh
  COMMENT "Making the Windows installer ${KOVAR_WINDOWS_INSTALLER}"
  VERBATIM)
add_custom_target(kovar_windows_installer ALL DEPENDS ${KOVAR_WINDOWS_INSTALLER})
