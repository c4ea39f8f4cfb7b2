# What `cmake --install` puts in place on Linux: the two programs and what a
# desktop expects beside them (a desktop entry, the icon in the hicolor theme,
# AppStream metadata, manual pages), and the README and licence.
if(WIN32)
  return()
endif()
include(GNUInstallDirs)

# One name for the desktop entry, the icon and the AppStream component.
set(NOSIGNAL_APP_ID org.nosignal.nosignal)
# The day the release that the project's VERSION names was made.
set(NOSIGNAL_RELEASE_DATE 2026-12-07)
# There is no web site yet, so the metadata names no address (a software
# centre fetches what it names); the package's maintainer field requires one,
# and the reserved .invalid domain says that it reaches no one.
set(NOSIGNAL_MAINTAINER "The nosignal developers <developers@nosignal.invalid>")

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)
set(data ${CMAKE_SOURCE_DIR}/data)
set(built ${CMAKE_BINARY_DIR}/data)

configure_file(${data}/metainfo/${NOSIGNAL_APP_ID}.metainfo.xml.in
               ${built}/metainfo/${NOSIGNAL_APP_ID}.metainfo.xml @ONLY)

# Compressed without a timestamp, so that the same sources give the same files.
function(nosignal_gzip source output)
  add_custom_command(OUTPUT ${output} COMMAND ${GZIP} -9nc ${source} > ${output}
                     DEPENDS ${source} VERBATIM)
endfunction()

set(built_files)
foreach(page nosignal.1 nosignal-render.1)
  configure_file(${data}/man/${page}.in ${built}/man/${page} @ONLY)
  nosignal_gzip(${built}/man/${page} ${built}/man/${page}.gz)
  list(APPEND built_files ${built}/man/${page}.gz)
endforeach()

# The PNG icons are rendered from the SVG, so they always show the same picture.
set(icon ${data}/icons/${NOSIGNAL_APP_ID}.svg)
foreach(size 48 128 256)
  set(png ${built}/icons/${size}x${size}/${NOSIGNAL_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${built}/icons/${size}x${size}
                     COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon}
                     DEPENDS ${icon} VERBATIM)
  list(APPEND built_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

install(TARGETS nosignal nosignal-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${data}/desktop/${NOSIGNAL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${built}/metainfo/${NOSIGNAL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${built}/man/nosignal.1.gz ${built}/man/nosignal-render.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A hack of the X screensaver daemon: where the daemon and its settings look
# for the program, its description, and the entry other desktops' screensaver
# settings read. The hack is the program itself, started with --root.
file(MAKE_DIRECTORY ${built}/screensaver)
file(CREATE_LINK ../../${CMAKE_INSTALL_BINDIR}/nosignal ${built}/screensaver/nosignal SYMBOLIC)
install(FILES ${built}/screensaver/nosignal DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${data}/screensaver/nosignal.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${data}/screensaver/nosignal.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
# The README with the pictures it shows.
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs DESTINATION ${CMAKE_INSTALL_DOCDIR} FILES_MATCHING PATTERN "*.png")

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
add_custom_target(nosignal_data ALL DEPENDS ${built_files})
