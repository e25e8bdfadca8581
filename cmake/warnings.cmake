# Warnings are errors everywhere in the project's own code.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough -Werror)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # A pack pragma leaking out of a header would change other records' layouts.
  add_compile_options(-Werror=pragma-pack)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports impossible overlaps inside libstdc++'s string concatenation
  # at -O2 and above (a known false positive, fixed in GCC 13).
  add_compile_options(-Wno-restrict)
endif()
