# The Windows packages (`make windows-zip`, `make windows-installer`):
#   HuebirdLite-<version>-win64/             the portable folder: the program, its data,
#                                             the `portable` marker, the DLLs it needs
#   HuebirdLite-<version>-win64-portable.zip that folder zipped
#   HuebirdLite-<version>-win64-setup.exe    a per-user installer (NSIS)
# windeployqt does not run on Linux: the Qt DLLs and plugins are listed here,
# and tests/windows checks under Wine that the folder starts on its own.
set(HB_WINDOWS_PACKAGE HuebirdLite-${PROJECT_VERSION}-win64)
set(HB_PORTABLE_DIR ${CMAKE_BINARY_DIR}/${HB_WINDOWS_PACKAGE})
get_filename_component(HB_QT_WINDOWS_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)

set(HB_QT_DLLS Qt6Core Qt6Gui Qt6Widgets Qt6Network)
# Windows desktop, native style, HTTPS through Windows' own TLS. The program
# decodes its pictures itself, so no image format plugin is needed.
set(HB_QT_PLUGINS platforms/qwindows styles/qwindowsvistastyle tls/qschannelbackend)
# Qt's DLLs were built against the compiler's runtime DLLs (our executables
# carry their own copy of it).
set(HB_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    find_file(found_${dll} ${dll} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(found ${found_${dll}})
  endif()
  list(APPEND HB_RUNTIME_DLLS ${found})
endforeach()
get_filename_component(HB_JPEG_LICENSE "${JPEG_INCLUDE_DIR}/../share/doc/libjpeg-turbo/LICENSE.md" ABSOLUTE)

# Laid out again only when the program or what goes beside it changes.
file(GLOB_RECURSE HB_PACKAGED_DATA CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/data/language/* ${CMAKE_SOURCE_DIR}/data/help/* ${CMAKE_SOURCE_DIR}/data/palettes/*)
set(HB_PORTABLE_STAMP ${CMAKE_BINARY_DIR}/windows/portable.stamp)
add_custom_command(OUTPUT ${HB_PORTABLE_STAMP}
  COMMAND ${CMAKE_COMMAND}
    -DOUT=${HB_PORTABLE_DIR}
    -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
    "-DEXECUTABLES=$<TARGET_FILE:huebird-lite>;$<TARGET_FILE:huebird-code>"
    -DQT_PREFIX=${HB_QT_WINDOWS_PREFIX}
    "-DQT_DLLS=${HB_QT_DLLS}"
    "-DQT_PLUGINS=${HB_QT_PLUGINS}"
    "-DRUNTIME_DLLS=${HB_RUNTIME_DLLS}"
    -DJPEG_LICENSE=${HB_JPEG_LICENSE}
    -DSTRIP=${CMAKE_STRIP}
    -DVERSION=${PROJECT_VERSION}
    -P ${CMAKE_SOURCE_DIR}/cmake/WindowsPortableFolder.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${HB_PORTABLE_STAMP}
  DEPENDS huebird-lite huebird-code ${HB_PACKAGED_DATA}
    ${CMAKE_SOURCE_DIR}/cmake/WindowsPortableFolder.cmake
    ${CMAKE_SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt
  COMMENT "Laying out ${HB_WINDOWS_PACKAGE}/"
  VERBATIM)
add_custom_target(windows_portable DEPENDS ${HB_PORTABLE_STAMP})

set(HB_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${HB_WINDOWS_PACKAGE}-portable.zip)
add_custom_command(OUTPUT ${HB_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${HB_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${HB_WINDOWS_ZIP} --format=zip ${HB_WINDOWS_PACKAGE}
  DEPENDS ${HB_PORTABLE_STAMP}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Zipping ${HB_WINDOWS_PACKAGE}-portable.zip"
  VERBATIM)
add_custom_target(windows_zip DEPENDS ${HB_WINDOWS_ZIP})

find_program(MAKENSIS makensis)
if(MAKENSIS)
  set(HB_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${HB_WINDOWS_PACKAGE}-setup.exe)
  add_custom_command(OUTPUT ${HB_WINDOWS_INSTALLER}
    COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
      -DVERSION=${PROJECT_VERSION}
      -DPORTABLE_DIR=${HB_PORTABLE_DIR}
      -DICON=${HB_WINDOWS_ICON}
      -DOUTFILE=${HB_WINDOWS_INSTALLER}
      ${CMAKE_SOURCE_DIR}/packaging/windows/installer.nsi
    DEPENDS ${HB_PORTABLE_STAMP} ${HB_WINDOWS_ICON} ${CMAKE_SOURCE_DIR}/packaging/windows/installer.nsi
    COMMENT "Building ${HB_WINDOWS_PACKAGE}-setup.exe"
    VERBATIM)
  add_custom_target(windows_installer DEPENDS ${HB_WINDOWS_INSTALLER})
endif()
