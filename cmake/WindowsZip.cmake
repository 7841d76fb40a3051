# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kovar-Launcher-0.01-win32.zip: the portable folder that `cmake --install` gives, in a folder of
# the same name, with a stripped program. `cpack -G ZIP` in the build directory makes it.
set(CPACK_PACKAGE_NAME Kovar-Launcher)
set(CPACK_PACKAGE_VENDOR "Kovar Launcher")
set(CPACK_SYSTEM_NAME win32)
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
