# The system layout's desktop files and the Debian package built from it by CPack: the program in
# lib/kovar-launcher, the command as a relative link in games (as Debian asks of games), the menu
# entry, the AppStream data, the icons, the manual page and the package's documentation.
set(KOVAR_APP_ID org.tarnfield.KovarLauncher)
set(KOVAR_PACKAGE_MAINTAINER "Kovar Launcher developers <maintainers@kovar-launcher.invalid>"
  CACHE STRING "The Debian package's maintainer, as Name <address>")
set(KOVAR_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package
  CACHE PATH "Where CPack leaves the Debian package")
find_program(GZIP gzip REQUIRED)

set(assets ${PROJECT_SOURCE_DIR}/assets)
set(debian ${PROJECT_SOURCE_DIR}/dist/debian)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(CODE "
  set(games \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games\")
  file(MAKE_DIRECTORY \"\${games}\")
  file(CREATE_LINK ../${KOVAR_APP_DIR}/kovar-launcher \"\${games}/kovar-launcher\" SYMBOLIC)
")
# The menu entry names the command by its full path: a desktop session's search path need not hold
# the games folder.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${assets}/${KOVAR_APP_ID}.desktop)
file(READ ${assets}/${KOVAR_APP_ID}.desktop desktop_entry)
string(REPLACE "\nExec=kovar-launcher\n" "\nExec=${CMAKE_INSTALL_PREFIX}/games/kovar-launcher\n"
  desktop_entry "${desktop_entry}")
file(WRITE ${CMAKE_BINARY_DIR}/debian/${KOVAR_APP_ID}.desktop "${desktop_entry}")
install(FILES ${CMAKE_BINARY_DIR}/debian/${KOVAR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${assets}/${KOVAR_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The icon at each size docks, menus and software centres ask for, and a scalable one.
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES ${assets}/kovar-launcher-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${KOVAR_APP_ID}.png)
endforeach()
install(FILES ${assets}/kovar-launcher.svg
  DESTINATION share/icons/hicolor/scalable/apps RENAME ${KOVAR_APP_ID}.svg)

# Compressed without name or time stamp, so that the same sources give the same package.
set(compressed)
foreach(file IN ITEMS changelog kovar-launcher.6)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
    COMMAND ${GZIP} -9nc ${debian}/${file} > ${CMAKE_BINARY_DIR}/debian/${file}.gz
    DEPENDS ${debian}/${file}
    VERBATIM)
  list(APPEND compressed ${CMAKE_BINARY_DIR}/debian/${file}.gz)
endforeach()
add_custom_target(kovar_package_docs ALL DEPENDS ${compressed})
install(FILES ${debian}/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DESTINATION share/doc/kovar-launcher)
install(FILES ${CMAKE_BINARY_DIR}/debian/kovar-launcher.6.gz DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kovar-launcher)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${KOVAR_PACKAGE_DIRECTORY})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KOVAR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A terminal shows why a launch script stopped; without Qt's Wayland plugin the window runs on
# XWayland, where it is matched to its menu entry by its X11 class instead.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "x-terminal-emulator | xterm, qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for the Tarnfield modification of Quake")
# CPack puts the summary above this text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kovar Launcher starts a Quake engine with the Tarnfield modification. The
player picks a map from its catalogue (title, description and preview
picture), one of five engines and extra engine parameters, and starts the
game; the launcher writes a small launch script that changes into the Quake
directory and runs the engine.

It asks for the Quake directory on a player's first start, and keeps each
player's choices in ~/.config/kovar-launcher. A Quake engine and the game
data of Quake and of Tarnfield are not part of this package.")
include(CPack)
