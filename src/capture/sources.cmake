list(APPEND HB_CORE_SOURCES
  src/capture/AtomTable.cpp
  src/capture/ShortcutText.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/CaptureController.cpp
  src/capture/HotkeyDialog.cpp
  src/capture/HotkeyEdit.cpp
  src/capture/HotkeyService.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/ShortcutKeys.cpp)
list(APPEND HB_UI_SOURCES
  src/capture/FrozenScreens.cpp
  src/capture/PickOverlay.cpp)
