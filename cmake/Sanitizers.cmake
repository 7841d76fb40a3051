# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Optional instrumented builds: AddressSanitizer with UndefinedBehaviorSanitizer for the whole
# project, and the libFuzzer targets, which need clang.
option(KOVAR_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KOVAR_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(KOVAR_SANITIZE)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" OR CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "KOVAR_SANITIZE needs GCC or clang building for this machine")
  endif()
  # Any finding ends the program with an error, so that a test that trips one fails.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(KOVAR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "KOVAR_FUZZ needs clang (libFuzzer), e.g. CXX=clang++-14")
  endif()
  # Coverage instrumentation for every library the fuzzers reach; the fuzzers add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
