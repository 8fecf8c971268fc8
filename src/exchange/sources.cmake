list(APPEND HB_CORE_SOURCES
  src/exchange/ColorListFile.cpp
  src/exchange/ColorExport.cpp)
list(APPEND HB_UI_SOURCES
  src/exchange/ListFileService.cpp)
