# The Debian package: `cpack -G DEB` in a build folder makes vantelo_<version>_<arch>.deb of
# what the install rules install, under /usr, with the Debian packages the programs need found
# from the built binaries by dpkg-shlibdeps. scripts/package.sh builds it and runs lintian.

# What Debian asks of every package's documentation folder: the copyright and, for a package
# without a Debian revision, changelog.gz.
set(VANTELO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantelo)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/debian/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/debian/changelog.gz
                RESULT_VARIABLE gzip_failed)
if(gzip_failed)
    message(FATAL_ERROR "gzip could not compress the package's changelog")
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
              ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${VANTELO_DOC_DIR})

# Installing (and so packaging) takes the programs as they are built, without first checking
# every target of the build: scripts build what they install.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantelo)
set(CPACK_PACKAGE_VENDOR "The Vantelo developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "work a Kenwood HF transceiver from the screen")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantelo controls a Kenwood HF transceiver of the TS-570 class over a serial\n"
    "cable with the radio's own CAT commands. It mirrors the radio on its main\n"
    "window, tunes it, switches its functions, sets its levels and sends CW\n"
    "through the radio's keyer. It keeps the radio's memory channels, a band\n"
    "list, frequency-scan ranges, a logbook and a table of menu settings, and\n"
    "shares the radio with other programs over Hamlib's rigctld protocol.\n"
    "A simulated radio, vantelo-radio-sim, lets it be tried without a radio.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vantelo developers <developers@vantelo.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so no binary names it: the tables' SQLite driver.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
include(CPack)
