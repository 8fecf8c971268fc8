list(APPEND HB_CORE_SOURCES
  src/colorlist/HuebirdLiteUtils.cpp)
list(APPEND HB_UI_SOURCES
  src/colorlist/Clrgrid.cpp
  src/colorlist/MainFormList.cpp
  src/colorlist/MainFormManager.cpp
  src/colorlist/reFormColorList.cpp)
