# Cross-compiling for 64-bit Windows with Debian's mingw-w64 compilers (posix
# threads, so std::thread and std::mutex work). The toolchain script copies
# this file into the prefix it builds (<prefix>/share/sorvix/); there it finds
# the prefix's libraries beside itself, so a prefix unpacked elsewhere works.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

get_filename_component(sorvix_windows_prefix "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
if(NOT EXISTS "${sorvix_windows_prefix}/share/sorvix/mingw-w64-x86_64.cmake")
  # Used from the source tree: the prefix is named from outside.
  set(sorvix_windows_prefix "$ENV{SORVIX_WINDOWS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${sorvix_windows_prefix})
# Host programs (moc, rcc, pkg-config) from the build machine; libraries,
# headers and CMake packages only from the Windows side.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
