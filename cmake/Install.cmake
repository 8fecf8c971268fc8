# What `cmake --install` lays out under the prefix (GNU directories):
#   bin/huebird-lite, bin/huebird-code
#   share/huebird-lite/{language,help,palettes}
#   share/applications, share/metainfo, share/icons/hicolor   (desktop id ${HB_DESKTOP_ID})
#   share/man/man1, share/doc/huebird-lite
# Installed, the program keeps its settings under ~/.config (see src/core/config/SettingsLocation.h).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

set(HB_DATA_DEST ${CMAKE_INSTALL_DATADIR}/huebird-lite)
set(HB_DOC_DEST ${CMAKE_INSTALL_DATAROOTDIR}/doc/huebird-lite)
set(HB_GENERATED ${CMAKE_BINARY_DIR}/install-files)

# The icon is drawn once as SVG; the theme's fixed sizes are made from it.
set(HB_ICON_SVG ${CMAKE_SOURCE_DIR}/data/icons/${HB_DESKTOP_ID}.svg)
set(HB_GENERATED_FILES)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${HB_GENERATED}/icons/${size}x${size}/apps/${HB_DESKTOP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HB_GENERATED}/icons/${size}x${size}/apps
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${HB_ICON_SVG}
    DEPENDS ${HB_ICON_SVG} VERBATIM)
  list(APPEND HB_GENERATED_FILES ${png})
endforeach()

# Manual pages and the changelog, compressed as Debian wants them (no time stamp, -9).
foreach(source docs/man/huebird-lite.1 docs/man/huebird-code.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(gz ${HB_GENERATED}/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HB_GENERATED}
    COMMAND ${GZIP} -9 -n -c ${CMAKE_SOURCE_DIR}/${source} > ${gz}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND HB_GENERATED_FILES ${gz})
endforeach()
add_custom_target(huebird_install_files ALL DEPENDS ${HB_GENERATED_FILES})

install(TARGETS huebird-lite RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/language data/help data/palettes DESTINATION ${HB_DATA_DEST}
        PATTERN .keep EXCLUDE)
install(FILES data/desktop/${HB_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/${HB_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${HB_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${HB_GENERATED}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${HB_GENERATED}/huebird-lite.1.gz ${HB_GENERATED}/huebird-code.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${HB_GENERATED}/changelog.gz DESTINATION ${HB_DOC_DEST})
