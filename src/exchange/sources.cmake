list(APPEND HB_CORE_SOURCES
  src/exchange/ColorListFile.cpp
  src/exchange/ColorExport.cpp)
