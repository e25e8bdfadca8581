# Warnings are errors everywhere in the project's own code.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough -Werror)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # A pack pragma leaking out of a header would change other records' layouts.
  add_compile_options(-Werror=pragma-pack)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # At -O2 and above GCC 12 reports impossible overlaps, overflows and uninitialised
  # reads inside libstdc++'s std::string (known false positives, fixed in
  # GCC 13). Debug builds never ran these analyses, so nothing is lost there.
  add_compile_options(-Wno-restrict -Wno-maybe-uninitialized -Wno-stringop-overflow)
endif()
