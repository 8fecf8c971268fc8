list(APPEND HB_UI_SOURCES
  src/platform/AsyncScreenSampler.cpp
  src/platform/DesktopServices.h
  src/platform/GlobalHotkey.h
  src/platform/PointerWarp.h
  src/platform/InstanceChannel.cpp
  src/platform/KeyNames.cpp
  src/platform/KeySyms.cpp
  src/platform/VirtualKeys.cpp
  src/platform/PlatformFactory.cpp
  src/platform/TerminationSignals.cpp
  src/platform/UserEnvironment.cpp
  src/platform/null/NullPlatform.cpp
  src/platform/x11/X11Connection.cpp
  src/platform/x11/X11GlobalHotkey.cpp
  src/platform/x11/X11KeyNames.cpp
  src/platform/x11/X11PointerWarp.cpp
  src/platform/wayland/PointerShield.cpp
  src/platform/wayland/Registry.cpp
  src/platform/wayland/Screencopy.cpp
  src/platform/wayland/ShmPool.cpp
  src/platform/wayland/WaylandScreenSampler.cpp
  src/platform/x11/X11ScreenSampler.cpp
  src/platform/x11/X11ShmSegment.cpp
  src/platform/x11/X11TickThread.cpp)
if(WIN32)
  # The X11, Wayland and portal backends, the lock file and the POSIX signals
  # are Linux's; Windows has its own in win/.
  list(FILTER HB_UI_SOURCES EXCLUDE REGEX "^src/platform/(x11|wayland)/")
  include(${CMAKE_CURRENT_LIST_DIR}/win/sources.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/portal/sources.cmake)
endif()
