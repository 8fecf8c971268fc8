# Client code for Wayland protocols, generated from their XML by wayland-scanner
# at build time.
#
#   hb_add_wayland_protocols(<library> <xml>...)
#
# makes a static C library holding each protocol's interface tables; including
# "<name>-client-protocol.h" (name: the XML file's name without ".xml") works
# for everything that links it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WAYLAND_CURSOR REQUIRED IMPORTED_TARGET wayland-cursor)
pkg_get_variable(HB_WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(HB_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT HB_WAYLAND_SCANNER)
  find_program(HB_WAYLAND_SCANNER wayland-scanner REQUIRED)
endif()
if(NOT HB_WAYLAND_PROTOCOLS_DIR)
  message(FATAL_ERROR "wayland-protocols not found (Debian: wayland-protocols)")
endif()

function(hb_add_wayland_protocols library)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${library})
  file(MAKE_DIRECTORY ${out})
  set(sources)
  foreach(xml ${ARGN})
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(
      OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
      COMMAND ${HB_WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client-protocol.h
      COMMAND ${HB_WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
      DEPENDS ${xml}
      COMMENT "Generating the ${name} Wayland protocol code"
      VERBATIM)
    list(APPEND sources ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
  endforeach()
  add_library(${library} STATIC ${sources})
  target_include_directories(${library} PUBLIC ${out})
  target_link_libraries(${library} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()
