# What Windows shows of a program: the TV icon, version information, and a
# manifest (supported systems, DPI awareness, the user's own rights), compiled
# in with windres. One call per program:
#   nosignal_windows_resources(TARGET "File description" [NAME_IN_SCREEN_SAVER_LIST])
# A screensaver's string 1 is the name that the Screen Saver settings list.
if(NOT WIN32)
  return()
endif()
enable_language(RC)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)

# One icon for all, in the sizes that Explorer, the taskbar and the Start
# menu pick from, rendered from the same picture as the Linux menu's.
set(NOSIGNAL_ICON ${CMAKE_BINARY_DIR}/windows/nosignal.ico)
set(_svg ${CMAKE_SOURCE_DIR}/data/icons/org.nosignal.nosignal.svg)
set(_pngs)
set(_commands)
foreach(size 16 20 24 32 40 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/windows/icon-${size}.png)
  list(APPEND _pngs ${png})
  list(APPEND _commands COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${_svg})
endforeach()
add_custom_command(OUTPUT ${NOSIGNAL_ICON}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
                   ${_commands}
                   COMMAND ${IMAGEMAGICK_CONVERT} ${_pngs} ${NOSIGNAL_ICON}
                   DEPENDS ${_svg} VERBATIM)
add_custom_target(nosignal_windows_icon DEPENDS ${NOSIGNAL_ICON})

# Release programs are stripped: Windows has no use for the symbols.
add_link_options($<$<CONFIG:Release>:-s>)

function(nosignal_windows_resources target description)
  set(NAME ${target})
  set(DESCRIPTION "${description}")
  set(FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  set(VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  set(ICON ${NOSIGNAL_ICON})
  set(STRING_TABLE "")
  if(ARGC GREATER 2)
    set(STRING_TABLE "STRINGTABLE\nBEGIN\n  1, \"${ARGV2}\"\nEND\n")
  endif()
  set(folder ${CMAKE_BINARY_DIR}/windows/${target})
  set(MANIFEST ${folder}/${target}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/nosignal.manifest.in ${MANIFEST} @ONLY)
  # The file's name is known once the target's suffix is (.exe or .scr).
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/resources.rc.in ${folder}/resources.rc.in @ONLY)
  file(GENERATE OUTPUT ${folder}/resources.rc INPUT ${folder}/resources.rc.in)
  target_sources(${target} PRIVATE ${folder}/resources.rc)
  set_source_files_properties(${folder}/resources.rc PROPERTIES OBJECT_DEPENDS "${NOSIGNAL_ICON};${MANIFEST}")
  add_dependencies(${target} nosignal_windows_icon)
endfunction()
