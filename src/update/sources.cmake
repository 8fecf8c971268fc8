list(APPEND HB_UI_SOURCES
  src/update/MainFormUpdate.cpp
  src/update/ReNewVersionExists.cpp)
