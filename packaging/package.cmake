# The Debian package (scripts/package.sh configures with -DSORVIX_PACKAGE=ON):
# install rules and CPack's DEB generator, dependencies found by dpkg-shlibdeps.
#
#   /usr/lib/sorvix/Sorvix           the executable
#   /usr/lib/sorvix/factory/         the factory program folder, read-only
#   /usr/bin/sorvix                  the launcher: runs on the user's own folder
#   /usr/share/...                   desktop entry, icons, metainfo, manual, doc
set(SORVIX_LIB_DIR ${CMAKE_INSTALL_PREFIX}/lib/sorvix)
set(staging ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sorvix.in ${staging}/sorvix @ONLY)
execute_process(COMMAND date -u -R -d "${SORVIX_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE SORVIX_RELEASE_DATE_RFC OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/org.sorvix.Sorvix.metainfo.xml.in
               ${staging}/org.sorvix.Sorvix.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${staging}/changelog @ONLY)
# Compressed without names or times, so a rebuild gives the same bytes.
foreach(name changelog sorvix.1)
  set(source ${staging}/${name})
  if(name STREQUAL "sorvix.1")
    set(source ${CMAKE_CURRENT_LIST_DIR}/sorvix.1)
  endif()
  add_custom_command(OUTPUT ${staging}/${name}.gz COMMAND gzip -9nc ${source} > ${staging}/${name}.gz
                     DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(package_files ALL DEPENDS ${staging}/changelog.gz ${staging}/sorvix.1.gz)

install(TARGETS Sorvix RUNTIME DESTINATION lib/sorvix)
# The factory folder is laid out afresh, never copied from build/program,
# which holds the developer's own list and draw.
install(CODE "execute_process(COMMAND \"${CMAKE_COMMAND}\" -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
  \"-DPROGRAM_DIR=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/sorvix/factory\"
  -P ${CMAKE_SOURCE_DIR}/scripts/layout-program-folder.cmake COMMAND_ERROR_IS_FATAL ANY)
  # A user's folder gets its empty result folders from the lay-out itself.
  file(REMOVE_RECURSE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/sorvix/factory/dat\"
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/sorvix/factory/datm\")")
install(PROGRAMS ${staging}/sorvix DESTINATION bin)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.sorvix.Sorvix.desktop DESTINATION share/applications)
install(FILES ${staging}/org.sorvix.Sorvix.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/sorvix.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/${size}x${size}/sorvix.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${staging}/changelog.gz DESTINATION share/doc/sorvix)
install(FILES ${staging}/sorvix.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME sorvix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sorvix developers")
set(CPACK_PACKAGE_CONTACT "Sorvix developers <sorvix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raffle for the company party, drawn on the big screen")
set(CPACK_PACKAGE_DESCRIPTION "Sorvix is the raffle a company runs on a projector at its New Year party.
The organiser prepares a participant list and up to eleven award levels; on
the night the screen rolls names and freezes on each round's winners. Every
winner is decided when the draw is prepared and kept in plain files, so an
interrupted draw resumes where it stopped. The program's texts are Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link shows: the music's decoder and a Chinese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-good, fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_SOURCE_DIR}/dist)
include(CPack)
