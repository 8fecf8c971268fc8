list(APPEND HB_UI_SOURCES
  src/app/MainWindow.cpp
  src/app/MainWindowUi.cpp
  src/app/MainWindowMenus.cpp
  src/app/MainWindowList.cpp
  src/app/Application.cpp)
