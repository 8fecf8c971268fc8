list(APPEND HB_UI_SOURCES
  src/capture/CaptureController.cpp
  src/capture/CentreSample.cpp
  src/capture/DesktopCapture.cpp
  src/capture/FrozenScreens.cpp
  src/capture/HotkeyDialog.cpp
  src/capture/HotkeyEdit.cpp
  src/capture/HotkeyService.cpp
  src/capture/PickModeController.cpp
  src/capture/PickOverlay.cpp
  src/capture/TickPresenters.cpp
  src/capture/x11/X11TickPresenter.cpp)
if(WIN32)
  list(REMOVE_ITEM HB_UI_SOURCES src/capture/TickPresenters.cpp src/capture/x11/X11TickPresenter.cpp)
  list(APPEND HB_UI_SOURCES src/capture/WidgetTickPresenters.cpp)
endif()
