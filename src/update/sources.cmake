list(APPEND HB_CORE_SOURCES
  src/update/Scrambling.cpp
  src/update/UpdateVerdict.cpp)
list(APPEND HB_UI_SOURCES
  src/update/NewVersionDialog.cpp
  src/update/UpdateChecker.cpp)
