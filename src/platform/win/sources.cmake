# The Windows backends in place of Linux's (the X11, Wayland and portal ones,
# the lock file, the home folder, the POSIX signals, the keysyms).
list(REMOVE_ITEM HB_CORE_SOURCES src/platform/SingleInstance.cpp src/platform/HomeFolder.cpp)
list(APPEND HB_CORE_SOURCES src/platform/win/WinSingleInstance.cpp src/platform/win/WinHomeFolder.cpp)
list(REMOVE_ITEM HB_UI_SOURCES
  src/platform/PlatformFactory.cpp
  src/platform/KeySyms.cpp
  src/platform/TerminationSignals.cpp
  src/platform/UserEnvironment.cpp)
list(APPEND HB_UI_SOURCES
  src/platform/TerminationSignals.h
  src/platform/win/WinGlobalHotkey.cpp
  src/platform/win/WinPlatformFactory.cpp
  src/platform/win/WinPointerWarp.cpp
  src/platform/win/WinScreenSampler.cpp
  src/platform/win/WinTerminationSignals.cpp
  src/platform/win/WinUserEnvironment.cpp)
