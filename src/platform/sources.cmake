list(APPEND HB_CORE_SOURCES
  src/platform/KeyRepeat.cpp
  src/platform/ScreenMapping.cpp
  src/platform/SingleInstance.cpp)
list(APPEND HB_UI_SOURCES
  src/platform/GlobalHotkey.h
  src/platform/InstanceChannel.cpp
  src/platform/KeyNames.cpp
  src/platform/PlatformFactory.cpp
  src/platform/SystemLanguage.cpp
  src/platform/null/NullPlatform.cpp
  src/platform/x11/X11GlobalHotkey.cpp
  src/platform/x11/X11KeyNames.cpp
  src/platform/x11/X11ScreenSampler.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/portal/sources.cmake)
