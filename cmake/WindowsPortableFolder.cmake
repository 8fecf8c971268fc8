# cmake -DOUT=... -DSOURCE_DIR=... -DEXECUTABLES=... -DQT_PREFIX=... -DQT_DLLS=...
#       -DQT_PLUGINS=... -DRUNTIME_DLLS=... -DJPEG_LICENSE=... -DSTRIP=... -DVERSION=...
#       -P WindowsPortableFolder.cmake
# Lays out the portable folder afresh: what a user unpacks and runs.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

set(binaries ${EXECUTABLES} ${RUNTIME_DLLS})
foreach(dll ${QT_DLLS})
  list(APPEND binaries ${QT_PREFIX}/bin/${dll}.dll)
endforeach()
file(COPY ${binaries} DESTINATION ${OUT})
foreach(plugin ${QT_PLUGINS})
  get_filename_component(kind ${plugin} DIRECTORY)
  file(COPY ${QT_PREFIX}/plugins/${plugin}.dll DESTINATION ${OUT}/${kind})
endforeach()
file(GLOB_RECURSE copied ${OUT}/*.exe ${OUT}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${copied} COMMAND_ERROR_IS_FATAL ANY)

foreach(dir language help palettes)
  file(COPY ${SOURCE_DIR}/data/${dir} DESTINATION ${OUT} PATTERN .keep EXCLUDE)
endforeach()
# Settings stay beside the executable in this copy.
file(TOUCH ${OUT}/portable)

# Licences: Qt under the LGPL 3 (which builds on the GPL 3), and where its source is.
file(MAKE_DIRECTORY ${OUT}/licenses)
configure_file(${SOURCE_DIR}/packaging/windows/THIRD-PARTY.txt ${OUT}/licenses/THIRD-PARTY.txt @ONLY)
configure_file(${SOURCE_DIR}/packaging/windows/qt-6.4.2-no-direct2d.patch ${OUT}/licenses/qt-6.4.2-no-direct2d.patch COPYONLY)
configure_file(/usr/share/common-licenses/LGPL-3 ${OUT}/licenses/LGPL-3.0.txt COPYONLY)
configure_file(/usr/share/common-licenses/GPL-3 ${OUT}/licenses/GPL-3.0.txt COPYONLY)
if(EXISTS ${JPEG_LICENSE})
  configure_file(${JPEG_LICENSE} ${OUT}/licenses/libjpeg-turbo.md COPYONLY)
endif()
