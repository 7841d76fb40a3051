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
