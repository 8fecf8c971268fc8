# The Windows backends in place of Linux's (the X11, Wayland and portal ones,
# the POSIX signals, the keysyms; the core has its own for the lock file and
# the home folder).
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
