# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared settings every target links: the language standard and the warnings.
add_library(kovar_options INTERFACE)
target_compile_features(kovar_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(kovar_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(kovar_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
  if(KOVAR_WARNINGS_AS_ERRORS)
    target_compile_options(kovar_warnings INTERFACE -Werror)
  endif()
endif()

# Built for shipping, a program's bytes depend on its sources alone: the source and build folders
# are mapped out of the file names it carries (assertions, debugging information, and so its build
# ID), and the Windows linker leaves out its time stamp. The times of files and archive entries
# come from SOURCE_DATE_EPOCH (tools/reproducible-env.sh).
option(KOVAR_REPRODUCIBLE
  "Map the source and build folders out of the programs; no time stamp from the Windows linker" OFF)
if(KOVAR_REPRODUCIBLE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
  if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
endif()

# The Windows sources see Windows XP's declarations and structure sizes: most newer functions
# are not declared at all. What the built program imports is checked apart (tools/check-pe.sh).
if(WIN32)
  target_compile_definitions(kovar_options INTERFACE _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()
