list(APPEND HB_CORE_SOURCES
  src/capture/AtomTable.cpp
  src/capture/ShortcutText.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/MainFormCapture.cpp
  src/capture/MainFormHotKey.cpp
  src/capture/reFormHotKey.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/ShortcutKeys.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/FrozenScreens.cpp
  src/capture/PickOverlay.cpp)
