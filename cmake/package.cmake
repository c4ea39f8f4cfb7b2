# The Debian package that `cpack -G DEB` builds: nosignal_VERSION_ARCH.deb,
# with the libraries it needs found from the binaries, plus the caption's font.
# Included by install.cmake, whose names it uses.

# The copyright file in the machine-readable format, with the grant of LICENSE.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "Permission is hereby granted" grant_start)
string(SUBSTRING "${license}" ${grant_start} -1 grant)
string(STRIP "${grant}" grant)
string(REPLACE "\n\n" "\n.\n" grant "${grant}")
string(REPLACE "\n" "\n " NOSIGNAL_LICENSE_GRANT " ${grant}")
configure_file(${data}/debian/copyright.in ${built}/debian/copyright @ONLY)

execute_process(COMMAND date --utc --rfc-email --date ${NOSIGNAL_RELEASE_DATE}
                OUTPUT_VARIABLE NOSIGNAL_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${data}/debian/changelog.in ${built}/debian/changelog @ONLY)
nosignal_gzip(${built}/debian/changelog ${built}/debian/changelog.gz)
list(APPEND built_files ${built}/debian/changelog.gz)
install(FILES ${built}/debian/copyright ${built}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME nosignal)
set(CPACK_PACKAGE_VENDOR "The nosignal developers")
set(CPACK_PACKAGE_CONTACT "${NOSIGNAL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "television screen with no signal, in a window")
set(CPACK_PACKAGE_DESCRIPTION
    "A window that shows grey static repainted about twenty times a second, now\n"
    "and then an interference line, a ring or a large twin-ring figure, and a big\n"
    "bold Ukrainian caption that trembles, tilts and jumps, and walks through a\n"
    "table of 21 texts. The same sequence of window sizes always paints the same\n"
    "frames.\n"
    "\n"
    "nosignal-render composes the same frames without a display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# A hack for its screensaver daemon, which the window does not need.
set(CPACK_DEBIAN_PACKAGE_ENHANCES xscreensaver)
# The error box writes with the X server's fonts; these have Cyrillic letters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xfonts-base)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
