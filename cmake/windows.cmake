# The Windows build (cross-compiled from Debian with scripts/package-windows.sh,
# against the prefix of scripts/windows-toolchain.sh): the Windows
# implementations of the platform calls, the executables' manifest, icon and
# version, and pkg-config confined to the prefix.
set(SORVIX_WINDOWS ON)

target_sources(sorvix_base PRIVATE
  ${CMAKE_SOURCE_DIR}/src/base/platform_windows.cpp
  ${CMAKE_SOURCE_DIR}/src/base/childprocess_windows.cpp
  ${CMAKE_SOURCE_DIR}/src/base/gbk_windows.cpp)
# gbk.cpp converts through ICU, which this Qt lacks; gbk_windows.cpp replaces it.
get_target_property(base_sources sorvix_base SOURCES)
list(FILTER base_sources EXCLUDE REGEX "/src/base/gbk\\.cpp$")
set_property(TARGET sorvix_base PROPERTY SOURCES ${base_sources})

# The workbook libraries and libqrencode come from the toolchain prefix's own
# .pc files, whose prefix is where the prefix was unpacked.
set(ENV{PKG_CONFIG_LIBDIR} "${sorvix_windows_prefix}/lib/pkgconfig:${sorvix_windows_prefix}/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --define-prefix)

# Windows' 8-bit calls (fopen in freexl, the C runtime's argv) take UTF-8 with
# this manifest (Windows 10 1903 and later), so any file name reaches the
# workbook libraries and the command line. Earlier systems use the ANSI code
# page, which on a Chinese Windows holds every Chinese name.
set(SORVIX_MANIFEST ${CMAKE_BINARY_DIR}/packaging/windows/sorvix.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/sorvix.manifest.in ${SORVIX_MANIFEST} @ONLY)
set(SORVIX_ICON ${CMAKE_BINARY_DIR}/packaging/windows/sorvix.ico)
find_program(ICOTOOL icotool REQUIRED)
set(icon_sizes 16 24 32 48 64 128 256)
set(icon_pngs "")
foreach(size ${icon_sizes})
  list(APPEND icon_pngs ${CMAKE_SOURCE_DIR}/assets/icons/${size}x${size}/sorvix.png)
endforeach()
add_custom_command(OUTPUT ${SORVIX_ICON}
  COMMAND ${ICOTOOL} -c -o ${SORVIX_ICON} ${icon_pngs}
  DEPENDS ${icon_pngs} COMMENT "Windows icon from the shipped PNG icons")
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/sorvix.rc.in ${CMAKE_BINARY_DIR}/packaging/windows/sorvix.rc @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/manifest.rc.in
  ${CMAKE_BINARY_DIR}/packaging/windows/manifest.rc @ONLY)

# The test programs list their tests when ctest runs, not when they are built
# (they run under Wine, from scripts/windows-check.sh).
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Without Qt HttpServer in the toolchain the phone remote is left out: a
# server that never listens, whose menu entry says so.
if(NOT TARGET Qt6::HttpServer)
  message(STATUS "No Qt HttpServer in the toolchain: the phone remote is left out")
  add_library(Qt6::HttpServer INTERFACE IMPORTED)
  get_target_property(app_sources sorvix_app SOURCES)
  list(FILTER app_sources EXCLUDE REGEX "/src/app/remote/remoteserver\\.cpp$")
  set_property(TARGET sorvix_app PROPERTY SOURCES ${app_sources}
    ${CMAKE_SOURCE_DIR}/src/app/remote/remoteserver_windows.cpp)
  set(SORVIX_WINDOWS_NO_REMOTE ON)
endif()

# Once every target is defined: the program is a windowed program (no
# console) with our icon; every executable gets the manifest (the test
# programs start themselves again as the workbook reader); tests of what
# only Linux has are left out.
function(sorvix_windows_targets)
  target_sources(Sorvix PRIVATE ${CMAKE_BINARY_DIR}/packaging/windows/sorvix.rc ${SORVIX_ICON})
  set_target_properties(Sorvix PROPERTIES WIN32_EXECUTABLE ON)
  foreach(target sorvix_tests sorvix_ui_tests)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/packaging/windows/manifest.rc)
    get_target_property(sources ${target} SOURCES)
    if(SORVIX_WINDOWS_NO_REMOTE)
      list(FILTER sources EXCLUDE REGEX "/tests/app/(remoteserver_test|ui/remote_test)\\.cpp$")
    endif()
    set_property(TARGET ${target} PROPERTY SOURCES ${sources})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL sorvix_windows_targets)
