# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The system layout's desktop files, installed by `cmake --install` under the prefix as a
# distribution's package ships them (the Debian package is made from this tree): the menu entry,
# the AppStream data, the icons, the manual page, and the package's copyright file and changelog.
# The program and its own files are installed by ui/qt and dist.
set(KOVAR_APP_ID org.tarnfield.KovarLauncher)
find_program(GZIP gzip REQUIRED)

set(assets ${PROJECT_SOURCE_DIR}/assets)
set(debian ${PROJECT_SOURCE_DIR}/dist/debian)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The menu entry names the command by its full path: a desktop session's search path need not hold
# the games folder.
cmake_path(ABSOLUTE_PATH KOVAR_BIN_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
  OUTPUT_VARIABLE command_dir)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${assets}/${KOVAR_APP_ID}.desktop)
file(READ ${assets}/${KOVAR_APP_ID}.desktop desktop_entry)
string(REPLACE "\nExec=kovar-launcher\n" "\nExec=${command_dir}/kovar-launcher\n"
  desktop_entry "${desktop_entry}")
file(WRITE ${CMAKE_BINARY_DIR}/system/${KOVAR_APP_ID}.desktop "${desktop_entry}")
install(FILES ${CMAKE_BINARY_DIR}/system/${KOVAR_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${assets}/${KOVAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon at each size docks, menus and software centres ask for, and a scalable one.
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES ${assets}/kovar-launcher-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${KOVAR_APP_ID}.png)
endforeach()
install(FILES ${assets}/kovar-launcher.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KOVAR_APP_ID}.svg)

# Compressed without name or time stamp, so that the same sources give the same files.
set(compressed)
foreach(file IN ITEMS changelog kovar-launcher.6)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/system/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/system
    COMMAND ${GZIP} -9nc ${debian}/${file} > ${CMAKE_BINARY_DIR}/system/${file}.gz
    DEPENDS ${debian}/${file}
    VERBATIM)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/system/${file}.gz)
endforeach()
add_custom_target(kovar_system_docs ALL DEPENDS ${compressed})
# The package's name, not the project's, as GNUInstallDirs' DOCDIR would have it.
install(FILES ${debian}/copyright ${CMAKE_BINARY_DIR}/system/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kovar-launcher)
install(FILES ${CMAKE_BINARY_DIR}/system/kovar-launcher.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
