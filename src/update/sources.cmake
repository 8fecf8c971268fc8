list(APPEND HB_UI_SOURCES
  src/update/NewVersionDialog.cpp
  src/update/UpdateChecker.cpp)
