list(APPEND HB_CORE_SOURCES
  src/config/UiTexts.cpp)
list(APPEND HB_UI_SOURCES
  src/config/MainFormConfig.cpp
  src/config/reFormAbout.cpp)
