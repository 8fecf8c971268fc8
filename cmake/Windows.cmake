# The Windows build (cross-compiled with cmake/mingw-w64-toolchain.cmake):
# Windows 10 API level, wide-character Win32 calls, and no runtime DLLs of
# the compiler beside our executables (Qt's own DLLs bring theirs).
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
set(HB_WINDOWS_LINK_OPTIONS -static -static-libgcc -static-libstdc++)

# X keysyms are plain numbers the key tables share with X11; the cross
# compiler sees only these two macro headers of the X protocol.
set(HB_X11_KEYSYM_HEADERS ${CMAKE_BINARY_DIR}/x11-keysyms)
foreach(header keysym.h keysymdef.h)
  if(EXISTS /usr/include/X11/${header})
    file(COPY /usr/include/X11/${header} DESTINATION ${HB_X11_KEYSYM_HEADERS}/X11)
  endif()
endforeach()

# The icon at the sizes Explorer, the taskbar and the Start menu ask for; Qt
# gives its windows the resource named IDI_ICON1.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT NAMES convert REQUIRED)
set(HB_ICON_SVG ${CMAKE_SOURCE_DIR}/data/icons/${HB_DESKTOP_ID}.svg)
set(HB_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/huebird-lite.ico)
set(HB_ICON_PNGS)
foreach(size 16 20 24 32 40 48 64 256)
  list(APPEND HB_ICON_PNGS ${CMAKE_BINARY_DIR}/windows/icon-${size}.png)
endforeach()
add_custom_command(OUTPUT ${HB_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
  COMMAND ${CMAKE_COMMAND} -DRSVG=${RSVG_CONVERT} -DSVG=${HB_ICON_SVG} -DOUT=${CMAKE_BINARY_DIR}/windows
          -P ${CMAKE_SOURCE_DIR}/cmake/WindowsIconSizes.cmake
  COMMAND ${IMAGEMAGICK_CONVERT} ${HB_ICON_PNGS} ${HB_WINDOWS_ICON}
  DEPENDS ${HB_ICON_SVG} ${CMAKE_SOURCE_DIR}/cmake/WindowsIconSizes.cmake VERBATIM)
add_custom_target(huebird_windows_icon DEPENDS ${HB_WINDOWS_ICON})

# A version resource (and for the program its icon and manifest) for executable $target.
function(hb_windows_resource target description)
  set(HB_RC_FILE_NAME ${target}.exe)
  set(HB_RC_DESCRIPTION "${description}")
  string(REPLACE "." "," HB_RC_VERSION_COMMAS ${PROJECT_VERSION})
  set(HB_RC_EXTRA "")
  if(ARGN)
    set(HB_RC_EXTRA "IDI_ICON1 ICON \"${HB_WINDOWS_ICON}\"\n1 24 \"${CMAKE_SOURCE_DIR}/packaging/windows/huebird-lite.manifest\"\n")
    add_dependencies(${target} huebird_windows_icon)
    set_source_files_properties(${CMAKE_BINARY_DIR}/windows/${target}.rc PROPERTIES
      OBJECT_DEPENDS "${HB_WINDOWS_ICON};${CMAKE_SOURCE_DIR}/packaging/windows/huebird-lite.manifest")
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/version.rc.in ${CMAKE_BINARY_DIR}/windows/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/windows/${target}.rc)
endfunction()
