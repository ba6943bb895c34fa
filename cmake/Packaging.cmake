# Installing and packaging: `cmake --install` lays out an installed copy, and CPack makes the
# Debian package tavolex_<version>_amd64.deb from it (see scripts/package.sh).
include(GNUInstallDirs)

set(TAVOLEX_SHARED_DIR ${CMAKE_INSTALL_DATADIR}/tavolex)

install(TARGETS tavolex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The files the program reads but never writes, and the marker that tells the program it is an
# installed copy (its users' archives then live in their own folders).
file(WRITE ${CMAKE_BINARY_DIR}/installed-copy "")
install(FILES ${CMAKE_BINARY_DIR}/installed-copy ${TAVOLEX_PROGRAM_FOLDER}/Guida.pdf
              ${PROJECT_SOURCE_DIR}/resources/shipped/Avviso.mp3
              ${PROJECT_SOURCE_DIR}/resources/shipped/unins000.dll
        DESTINATION ${TAVOLEX_SHARED_DIR})

# Desktop integration: menu entry, AppStream metainfo, icons.
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.tavolex.Tavolex.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.tavolex.Tavolex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/tavolex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Debian wants the copyright and a compressed changelog in the package's doc folder, and a
# manual page for the command.
set(TAVOLEX_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.gz)
set(TAVOLEX_MANPAGE ${CMAKE_BINARY_DIR}/tavolex.1.gz)
add_custom_command(
  OUTPUT ${TAVOLEX_CHANGELOG}
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/resources/desktop/changelog
          ${TAVOLEX_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/desktop/changelog
  VERBATIM)
add_custom_command(
  OUTPUT ${TAVOLEX_MANPAGE}
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/resources/desktop/tavolex.1
          ${TAVOLEX_MANPAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/desktop/tavolex.1
  VERBATIM)
add_custom_target(tavolex_changelog ALL DEPENDS ${TAVOLEX_CHANGELOG} ${TAVOLEX_MANPAGE})
install(FILES ${TAVOLEX_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/copyright ${TAVOLEX_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavolex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavolex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavolex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "office paperwork in order: clients, mail, cases, deadlines")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavolex keeps the paperwork of a small office on one computer: a client\n\
registry, a yearly mail protocol register, case files, deadlines and\n\
appointments with a warning sound, income and expense movements, a cash\n\
book with its balance, unpaid payments and monthly statistics charts,\n\
behind one password. The program is in Italian.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavolex developers <sviluppo@tavolex.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not pull in: Italian button texts, the plugins that play MP3, the
# fonts of the reports and the desktop opener.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, gstreamer1.0-plugins-good, fonts-liberation, fonts-dejavu-core, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
