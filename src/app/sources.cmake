list(APPEND HB_CORE_SOURCES
  src/app/CommandLine.cpp)
list(APPEND HB_UI_SOURCES
  src/app/MainWindow.cpp
  src/app/MainWindowConfig.cpp
  src/app/MainWindowList.cpp
  src/app/MainWindowUpdate.cpp
  src/app/Application.cpp)
