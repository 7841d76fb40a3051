# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer, installer/Kovar-Launcher-VERSION-SYSTEM-setup.exe in the build directory
# (SYSTEM as the zip names it): an NSIS setup program (dist/windows/kovar-launcher.nsi) with the
# program built for the system layout, stripped, and the files the portable folder has beside it,
# the runtime's notices among them. Part of every build when makensis is found; tools/windows-installer.sh builds only it.
find_program(KOVAR_MAKENSIS makensis)
if(NOT KOVAR_MAKENSIS)
  message(STATUS "The Windows installer needs makensis (Debian package nsis): not built")
  return()
endif()

set(KOVAR_WINDOWS_INSTALLER
  ${CMAKE_BINARY_DIR}/installer/Kovar-Launcher-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}-setup.exe)
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(work ${CMAKE_BINARY_DIR}/installer-work)

# Every installed file but the uninstaller, one a line, the sample maps one by one: the installer
# writes, swaps in and puts back exactly these, and the uninstaller removes exactly these.
file(GLOB maps RELATIVE ${dist}/data CONFIGURE_DEPENDS ${dist}/data/*)
set(files "\${FILE} \"${work}/kovar-launcher.exe\" \"kovar-launcher.exe\"\n")
foreach(file IN ITEMS auto.kvx config.kvx settings.kvx)
  string(APPEND files "\${FILE} \"${dist}/${file}\" \"${file}\"\n")
endforeach()
string(APPEND files "\${FILE} \"${CMAKE_BINARY_DIR}/NOTICE.txt\" \"NOTICE.txt\"\n")
foreach(map IN LISTS maps)
  string(APPEND files "\${FILE} \"${dist}/data/${map}\" \"data\\${map}\"\n")
endforeach()

# The launcher's licence (dist/CMakeLists.txt writes it once the sources carry it), installed and
# shown on a page of its own.
set(licence_page "")
set(licence "")
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt)
  string(APPEND files "\${FILE} \"${CMAKE_BINARY_DIR}/LICENSE.txt\" \"LICENSE.txt\"\n")
  set(licence_page -DLICENCE=${CMAKE_BINARY_DIR}/LICENSE.txt)
  set(licence ${CMAKE_BINARY_DIR}/LICENSE.txt)
endif()
file(CONFIGURE OUTPUT ${work}/files.nsh CONTENT "${files}" @ONLY)
list(TRANSFORM maps PREPEND ${dist}/data/)

# The installer is as wide as the program: 32-bit for an i686 one.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$")
  set(arch x86)
else()
  set(arch amd64)
endif()

# Four numbers for the version record: 0.01 is 0.1.0.0, as the program's own record has it.
math(EXPR version4_minor "${PROJECT_VERSION_MINOR}")
set(version4 ${PROJECT_VERSION_MAJOR}.${version4_minor}.0.0)

set(makensis ${KOVAR_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DVERSION4=${version4}
  ${licence_page} -DFILES=${work}/files.nsh -DICON=${PROJECT_SOURCE_DIR}/assets/kovar-launcher.ico)
add_custom_command(OUTPUT ${KOVAR_WINDOWS_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
  COMMAND ${CMAKE_STRIP} -o ${work}/kovar-launcher.exe $<TARGET_FILE:kovar-launcher-installed>
  COMMAND ${makensis} -DARCH=${arch} -DOUTFILE=${KOVAR_WINDOWS_INSTALLER}
    ${dist}/windows/kovar-launcher.nsi
  DEPENDS kovar-launcher-installed ${dist}/windows/kovar-launcher.nsi ${dist}/auto.kvx
    ${dist}/config.kvx ${dist}/settings.kvx ${PROJECT_SOURCE_DIR}/assets/kovar-launcher.ico
    ${maps} ${work}/files.nsh ${CMAKE_BINARY_DIR}/NOTICE.txt ${licence}
  COMMENT "Making the Windows installer ${KOVAR_WINDOWS_INSTALLER}"
  VERBATIM)
add_custom_target(kovar_windows_installer ALL DEPENDS ${KOVAR_WINDOWS_INSTALLER})

# For the installer check only: a 64-bit installer of the same files, whose installation (in the
# 64-bit Program Files and registry view) the 32-bit installer must upgrade.
set(KOVAR_WINDOWS_INSTALLER_64 "")
if(arch STREQUAL x86)
  set(KOVAR_WINDOWS_INSTALLER_64 ${work}/earlier-64-bit-setup.exe)
  add_custom_command(OUTPUT ${KOVAR_WINDOWS_INSTALLER_64}
    COMMAND ${makensis} -DARCH=amd64 -DOUTFILE=${KOVAR_WINDOWS_INSTALLER_64}
      ${dist}/windows/kovar-launcher.nsi
    DEPENDS ${KOVAR_WINDOWS_INSTALLER}
    COMMENT "Making a 64-bit installer for the installer check"
    VERBATIM)
  add_custom_target(kovar_windows_installer_64 ALL DEPENDS ${KOVAR_WINDOWS_INSTALLER_64})
endif()
