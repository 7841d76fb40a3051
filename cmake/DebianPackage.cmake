# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by CPack from exactly the tree `cmake --install` gives in the system
# layout (cmake/SystemInstall.cmake, ui/qt, dist) under the prefix /usr.
set(KOVAR_PACKAGE_MAINTAINER "Kovar Launcher developers <maintainers@kovar-launcher.invalid>"
  CACHE STRING "The Debian package's maintainer, as Name <address>")
set(KOVAR_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package
  CACHE PATH "Where CPack leaves the Debian package")

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
# Debian's Quake engines (quakespasm, darkplaces) provide quake-engine; the player types its name
# into the engine box.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS quake-engine)
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
